#include "platform/program_start.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <cerrno>
#include <cstring>

namespace qzx {
namespace {

struct Invocation {
    QString program;
    QStringList arguments;
};

Invocation split(const QString& commandLine) {
    const QFileInfo whole(commandLine.trimmed());
    if (commandLine.trimmed().contains(u' ') && whole.isFile() && whole.isExecutable())
        return {whole.filePath(), {}};
    QStringList parts = QProcess::splitCommand(commandLine);
    if (parts.isEmpty()) return {};
    const QString program = parts.takeFirst();
    return {program, parts};
}

/// Checks the program before starting it, so that the reason of a failure is known exactly.
StartFailure checkProgram(const QString& program) {
    if (program.isEmpty()) return StartFailure::FileNotFound;
    if (!program.contains(u'/'))
        return QStandardPaths::findExecutable(program).isEmpty() ? StartFailure::FileNotFound
                                                                 : StartFailure::None;
    const QFileInfo file(program);
    if (!file.exists())
        return QFileInfo(file.absolutePath()).isDir() ? StartFailure::FileNotFound
                                                      : StartFailure::PathNotFound;
    if (file.isDir() || !file.isExecutable()) return StartFailure::NotAProgram;
    return StartFailure::None;
}

/// The failure behind QProcess's error text, which ends with the system's text for errno.
StartFailure failureFromErrorText(const QString& text) {
    const struct {
        int error;
        StartFailure failure;
    } known[] = {{ENOENT, StartFailure::FileNotFound}, {ENOTDIR, StartFailure::PathNotFound},
                 {ENOEXEC, StartFailure::NotAProgram}, {EACCES, StartFailure::NotAProgram},
                 {EISDIR, StartFailure::NotAProgram},  {ELIBBAD, StartFailure::NotAProgram},
                 {ENOMEM, StartFailure::OutOfMemory},  {EAGAIN, StartFailure::OutOfMemory}};
    for (const auto& k : known)
        if (text.endsWith(QString::fromLocal8Bit(std::strerror(k.error)))) return k.failure;
    return StartFailure::Unknown;
}

} // namespace

StartResult startCommandLine(const QString& commandLine) {
    const Invocation invocation = split(commandLine);
    if (const StartFailure failure = checkProgram(invocation.program);
        failure != StartFailure::None)
        return {failure, 0};
    QProcess process;
    process.setProgram(invocation.program);
    process.setArguments(invocation.arguments);
    qint64 pid = 0;
    if (!process.startDetached(&pid)) return {failureFromErrorText(process.errorString()), 0};
    return {StartFailure::None, pid};
}

QString startFailureMessage(StartFailure failure, const QString& commandLine) {
    switch (failure) {
    case StartFailure::None:
        return {};
    case StartFailure::OutOfMemory:
        return QStringLiteral("Memory error");
    case StartFailure::FileNotFound:
        return QStringLiteral("File ") + commandLine + QStringLiteral(" not found");
    case StartFailure::PathNotFound:
        return QStringLiteral("Path to ") + commandLine + QStringLiteral(" not found");
    case StartFailure::NotAProgram:
        return QStringLiteral("File format error");
    case StartFailure::Unknown:
        break;
    }
    return QStringLiteral("Unknown error");
}

} // namespace qzx
