#pragma once

#include <QString>
#include <chrono>
#include <functional>

class QWidget;

namespace qzx {

class Prompter;

/// How the word-processor launcher starts a program and types into it; tests replace the
/// key sender to see whether keys were sent.
struct WordProcessorOptions {
    /// How long the started program may take to show a focused window; a word processor
    /// starting cold takes several seconds.
    std::chrono::milliseconds focusTimeout{20000};
    /// Types a key macro into the focused window (the key-sending library's SendKeys when
    /// empty) and returns its result code.
    std::function<int(const char*)> sendKeys;
};

/// Starts `commandLine` as a program of its own, waits until a window of that program has the
/// keyboard focus, and types `macro` into it (normally "^V", so the program pastes what the
/// caller put on the clipboard). The caller's event loop keeps running while it waits, so the
/// caller can serve the clipboard. Failures are reported in a message box and no keys are sent:
/// a failed start ("File " + command line + " not found", ...), a program that shows no
/// focused window before the timeout, or an error of the macro ("Error setting hook.", ...).
/// Without an X display the macro is still handed to the key sender, which reports that it
/// cannot play. Returns true when the macro was typed.
bool RunInWordProcessor(const QString& macro, const QString& commandLine, Prompter& prompter,
                        QWidget* parent = nullptr, const WordProcessorOptions& options = {});

/// The message for a key-sending result other than 0, e.g. "Error setting hook." for 1.
QString sendKeysMessage(int code);

} // namespace qzx
