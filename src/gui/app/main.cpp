// Start-up: the application, its records and its windows in their fixed order.
#include <QApplication>
#include <QFont>

#include "app/main_window.h"
#include "app/window_registry.h"
#include "platform/app_style.h"
#include "platform/prompter.h"
#include "state/app_state.h"
#include "util/memory_retention.h"

int main(int argc, char** argv) {
    qzx::retainFreedMemory();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorin Professional"));
    // The desktop's style, with hints shown 300 ms after the pointer comes to rest.
    QApplication::setStyle(new qzx::AppStyle);
    // Fonts the windows ask for that Linux does not have under these names.
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Small Fonts"), QStringLiteral("Liberation Sans"));

    qzx::DialogPrompter prompter;
    const std::unique_ptr<qzx::AppState> state =
        qzx::loadAppState(qzx::applicationFolder(), prompter);
    qzx::WindowRegistry windows(*state, prompter);
    windows.mainWindow().showMaximized();
    return QApplication::exec();
}
