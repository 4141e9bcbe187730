#include "windows/delta_mass_window.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "chem/neutral_losses.h"

namespace qzx {

DeltaMassWindow::DeltaMassWindow(const WindowContext&, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TNeutForm"));
    setWindowTitle(QStringLiteral("Delta Mass"));
    auto* layout = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    auto* fields = new QFormLayout;
    const auto field = [&](const char* name, const QString& caption) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QString::fromLatin1(name));
        fields->addRow(caption, edit);
        return edit;
    };
    m_first = field("Edit1", QStringLiteral("Mass-1"));
    m_second = field("Edit2", QStringLiteral("Mass-2"));
    m_difference = field("Edit3", QStringLiteral("Difference"));
    m_difference->setReadOnly(true);
    left->addLayout(fields);
    auto* buttons = new QHBoxLayout;
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("Button1"));
    auto* reset = new QPushButton(QStringLiteral("Reset"), this);
    reset->setObjectName(QStringLiteral("Button2"));
    for (QPushButton* b : {close, reset}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    left->addLayout(buttons);
    layout->addLayout(left);
    auto* right = new QVBoxLayout;
    right->addWidget(new QLabel(QStringLiteral("Common Neutrals"), this));
    m_neutrals = new QListWidget(this);
    m_neutrals->setObjectName(QStringLiteral("ListBox1"));
    right->addWidget(m_neutrals);
    layout->addLayout(right);
    m_first->installEventFilter(this);
    m_second->installEventFilter(this);
    connect(reset, &QPushButton::clicked, this, &DeltaMassWindow::reset);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

void DeltaMassWindow::lookUp() {
    const std::optional<DeltaMassResult> result =
        LookUpDeltaMass(m_first->text().toStdString(), m_second->text().toStdString());
    if (!result) return;
    m_difference->setText(QString::fromStdString(result->differenceText()));
    m_neutrals->clear();
    for (std::string_view name : result->neutrals)
        m_neutrals->addItem(QString::fromUtf8(name.data(), static_cast<int>(name.size())));
    m_first->setFocus();
}

void DeltaMassWindow::reset() {
    m_first->clear();
    m_second->clear();
    m_difference->clear();
    m_neutrals->clear();
}

void DeltaMassWindow::done(int result) {
    reset();
    QDialog::done(result);
}

bool DeltaMassWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (watched == m_first) {
                m_difference->clear();
                m_second->setFocus();
            } else {
                lookUp();
            }
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace qzx
