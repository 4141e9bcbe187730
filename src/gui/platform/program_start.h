#pragma once

#include <QString>

#include "platform/process_tree.h"

namespace qzx {

/// Why a program could not be started, in the terms of the messages the user sees.
enum class StartFailure { None, OutOfMemory, FileNotFound, PathNotFound, NotAProgram, Unknown };

struct StartResult {
    StartFailure failure = StartFailure::None;
    ProcessId pid = 0; ///< the started program's process id when `failure` is None
};

/// Starts a command line as a program of its own that outlives this one. Blanks separate the
/// program and its arguments and double quotes group words ("/opt/my tools/writer" --new);
/// a line that as a whole names an executable file (a path with blanks) starts that file.
/// A program without a "/" is looked up on PATH.
StartResult startCommandLine(const QString& commandLine);

/// The message for a failed start: "File " + command line + " not found" and the like.
QString startFailureMessage(StartFailure failure, const QString& commandLine);

} // namespace qzx
