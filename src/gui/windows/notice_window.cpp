#include "windows/notice_window.h"

#include "platform/prompter.h"
#include "windows/dialog_buttons.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace qzx {

NoticeWindow::NoticeWindow(const WindowContext& context, QWidget* parent)
    : QDialog(parent), m_prompter(context.prompter) {
    setObjectName(QStringLiteral("TMsgForm"));
    setWindowTitle(QStringLiteral("Notice"));

    m_label = new QLabel(this);
    m_label->setObjectName(QStringLiteral("Label1"));
    // The caller's text is shown as it is, never interpreted as markup.
    m_label->setTextFormat(Qt::PlainText);
    m_label->setWordWrap(true);
    m_label->setMinimumWidth(300);
    m_label->setMaximumWidth(520);

    QPushButton* ok = makeAcceptButton(this);

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->setContentsMargins(20, 16, 20, 12);
    layout->addWidget(m_label);
    layout->addSpacing(8);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
}

void NoticeWindow::setNotice(const QString& text) {
    // Texts built with CR LF pairs would otherwise show a stray character per line break.
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(u'\r', u'\n');
    m_label->setText(shown);
}

QString NoticeWindow::notice() const {
    return m_label->text();
}

void NoticeWindow::showNotice(const QString& text) {
    m_prompter.beep();
    setNotice(text);
    m_prompter.showModal(*this);
}

} // namespace qzx
