#include "windows/fragments_window.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace qzx {
namespace {

QLabel* addLabel(QGridLayout* grid, const QString& name, const QString& text, int row, int column,
                 QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    grid->addWidget(label, row, column);
    return label;
}

} // namespace

FragmentsWindow::FragmentsWindow(const WindowContext& /*context*/, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("TFragMassForm"));
    setWindowTitle(QStringLiteral("Fragments"));
    setModal(false);

    auto* grid = new QGridLayout(this);
    grid->setSizeConstraint(QLayout::SetFixedSize);
    grid->setContentsMargins(16, 12, 16, 12);
    grid->setHorizontalSpacing(12);
    addLabel(grid, QStringLiteral("Label1"), QStringLiteral("mass1:"), 0, 0, this);
    m_secondCaption =
        addLabel(grid, QStringLiteral("Label2"), QStringLiteral("M - mass1:"), 1, 0, this);
    m_firstValue = addLabel(grid, QStringLiteral("Label3"), QString(), 0, 1, this);
    m_secondValue = addLabel(grid, QStringLiteral("Label4"), QString(), 1, 1, this);
    m_firstValue->setMinimumWidth(90);

    auto* separator = new QFrame(this);
    separator->setObjectName(QStringLiteral("Bevel1"));
    separator->setFrameShape(QFrame::HLine);
    separator->setFrameShadow(QFrame::Sunken);
    grid->addWidget(separator, 2, 0, 1, 2);

    auto* close = new QPushButton(QStringLiteral("&Close"), this);
    close->setObjectName(QStringLiteral("BitBtn1"));
    connect(close, &QPushButton::clicked, this, &QDialog::hide);
    grid->addWidget(close, 3, 0, 1, 2, Qt::AlignHCenter);
}

void FragmentsWindow::registerCommands(CommandHandlers& /*handlers*/) {
    // The window serves no menu command: the cuts show it.
}

void FragmentsWindow::showFragmentMasses(const QString& firstValue, const QString& secondCaption,
                                         const QString& secondValue) {
    m_firstValue->setText(firstValue);
    m_secondCaption->setText(secondCaption);
    m_secondValue->setText(secondValue);
    show();
    raise();
}

} // namespace qzx
