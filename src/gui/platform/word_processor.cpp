#include "platform/word_processor.h"

#include <QApplication>
#include <QEventLoop>
#include <QTimer>

#include "platform/program_start.h"
#include "platform/prompter.h"
#include "platform/x11_focus.h"
#include "qzxpro.h"

namespace qzx {
namespace {

const QString Title = QStringLiteral("Quorin Professional");

/// Shows the busy cursor while the launcher waits for the word processor.
class BusyCursor {
public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

/// Runs the event loop for `pause` without taking user input, so the program repaints and
/// serves the clipboard while it waits, but no command can start meanwhile.
void runEventsFor(std::chrono::milliseconds pause) {
    QEventLoop loop;
    QTimer::singleShot(pause, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

} // namespace

QString sendKeysMessage(int code) {
    switch (code) {
    case QZX_ERROR_HOOK:
        return QStringLiteral("Error setting hook.");
    case QZX_ERROR_SPECIAL_CHARACTER:
        return QStringLiteral("Error in special character.");
    case QZX_ERROR_CLOSING_BRACE:
        return QStringLiteral("Closing brace on special character missing.");
    default:
        return QStringLiteral("Unknown error in macro or program.");
    }
}

bool RunInWordProcessor(const QString& macro, const QString& commandLine, Prompter& prompter,
                        QWidget* parent, const WordProcessorOptions& options) {
    const StartResult started = startCommandLine(commandLine);
    if (started.failure != StartFailure::None) {
        prompter.message(parent, Title, startFailureMessage(started.failure, commandLine),
                         Prompter::Icon::Error, Prompter::Buttons::Ok);
        return false;
    }
    FocusWait waited = FocusWait::NoDisplay;
    {
        BusyCursor busy;
        waited = waitForProgramFocus(started.pid, options.focusTimeout, &runEventsFor);
    }
    if (waited == FocusWait::TimedOut) {
        prompter.message(parent, Title,
                         QStringLiteral("The word processor ") + commandLine +
                             QStringLiteral(" did not open a window. No keys were sent."),
                         Prompter::Icon::Warning, Prompter::Buttons::Ok);
        return false;
    }
    // The library reads 8-bit text. A character beyond Latin-1 becomes a control character,
    // which the library refuses as a character without a key, rather than a silent "?".
    QByteArray keys;
    for (const QChar c : macro)
        keys.append(c.unicode() <= 0xFF ? char(c.unicode()) : '\x01');
    const int result =
        options.sendKeys ? options.sendKeys(keys.constData()) : SendKeys(keys.constData());
    if (result == 0) return true;
    prompter.message(parent, Title, sendKeysMessage(result), Prompter::Icon::Error,
                     Prompter::Buttons::Ok);
    return false;
}

} // namespace qzx
