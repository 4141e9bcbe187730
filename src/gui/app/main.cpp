// Start-up: the application, its records and its windows in their fixed order.
#include <QApplication>
#include <QFont>

#include "app/app_state.h"
#include "app/app_windows.h"
#include "app/main_window.h"
#include "platform/app_style.h"
#include "platform/help_browser.h"
#include "platform/prompter.h"
#include "windows/about_box.h"
#include "windows/notice_window.h"
#include "windows/shortcuts_window.h"
#include "windows/status_window.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorin Professional"));
    // The desktop's style, with hints shown 300 ms after the pointer comes to rest.
    QApplication::setStyle(new qzx::AppStyle);
    // Fonts the windows ask for that Linux does not have under these names.
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Small Fonts"), QStringLiteral("Liberation Sans"));

    qzx::AppState state;
    state.programDirectory = qzx::applicationFolder();
    qzx::DialogPrompter prompter;
    qzx::AppWindows windows;

    // The main window first: its creation reads the settings and the element table.
    qzx::MainWindow mainWindow(state, prompter, windows);
    qzx::AboutBox aboutBox(&mainWindow);
    windows.aboutBox = &aboutBox;
    qzx::NoticeWindow notice(&mainWindow);
    windows.notice = &notice;
    qzx::StatusWindow status(state, &mainWindow);
    windows.status = &status;
    qzx::ShortcutsWindow shortcuts(&mainWindow);
    windows.shortcuts = &shortcuts;
    qzx::HelpBrowser help(state.programDirectory);
    windows.help = &help;

    mainWindow.showMaximized();
    return QApplication::exec();
}
