#include "windows/about_box.h"

#include "platform/prompter.h"
#include "windows/command_handlers.h"
#include "windows/dialog_buttons.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtGlobal>

namespace qzx {

namespace {

QLabel* addLine(QFrame* panel, QVBoxLayout* layout, const QString& name, const QString& text) {
    auto* label = new QLabel(text, panel);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    layout->addWidget(label);
    return label;
}

} // namespace

AboutBox::AboutBox(const WindowContext& context, QWidget* parent)
    : QDialog(parent), m_prompter(context.prompter) {
    setObjectName(QStringLiteral("TAboutBox"));
    setWindowTitle(QStringLiteral("About QZX Pro"));

    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto* panelLayout = new QVBoxLayout(panel);
    panelLayout->setContentsMargins(24, 16, 24, 16);

    QLabel* product = addLine(panel, panelLayout, QStringLiteral("ProductName"),
                              QStringLiteral("Quorin Professional"));
    QFont productFont(QStringLiteral("Times New Roman"), 20, QFont::Bold);
    productFont.setItalic(true);
    product->setFont(productFont);
    product->setWordWrap(false);

    addLine(panel, panelLayout, QStringLiteral("Version"), QStringLiteral("Version 4.0 for Linux"));
    // The Qt library actually loaded, which may be newer than the one the program was built with.
    addLine(panel, panelLayout, QStringLiteral("QtVersion"),
            QStringLiteral("Uses Qt ") + QString::fromLatin1(qVersion()));
    panelLayout->addSpacing(8);
    addLine(panel, panelLayout, QStringLiteral("Comments"),
            QStringLiteral("Draw a structure, read its composition and mass, break it into "
                           "fragments and compare them with a mass spectrum; isotope profiles "
                           "and elemental formulas of measured masses."));

    QPushButton* ok = makeAcceptButton(this);

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(panel);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
    panel->setFixedWidth(360);
}

void AboutBox::registerCommands(CommandHandlers& handlers) {
    handlers.add("m7About", [this] { m_prompter.showModal(*this); });
}

} // namespace qzx
