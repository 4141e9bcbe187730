#pragma once

#include <QString>
#include <QWidget>

#include "chem/isotope_pattern.h"
#include "platform/prompter.h"
#include "windows/window_steering.h"

namespace qzx {

/// Hands the isotope calculations' notices to the notice window, or, where a window was made
/// without one (a test making it alone), to a message box after one beep.
class WindowNotices : public IsotopeNotices {
public:
    WindowNotices(NoticeDisplay* display, Prompter& prompter, QWidget* parent)
        : m_display(display), m_prompter(prompter), m_parent(parent) {}
    void notice(const std::string& text) override {
        const QString shown = QString::fromStdString(text);
        if (m_display) {
            m_display->showNotice(shown);
            return;
        }
        m_prompter.beep();
        m_prompter.message(m_parent, QStringLiteral("Notice"), shown, Prompter::Icon::Information,
                           Prompter::Buttons::Ok);
    }

private:
    NoticeDisplay* m_display;
    Prompter& m_prompter;
    QWidget* m_parent;
};

} // namespace qzx
