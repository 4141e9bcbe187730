// Starting the word processor: how a command line is split and started, how each failure reads,
// and how the key sender's results are reported. No X display here: the keys themselves are
// played in the x11 tests.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <unistd.h>

#include "platform/process_tree.h"
#include "platform/program_start.h"
#include "platform/word_processor.h"
#include "scripted_prompter.h"

namespace qzx {
namespace {

/// Removes DISPLAY for one test, so nothing can reach a desktop the tests happen to run on.
class NoDisplay {
public:
    NoDisplay() : m_saved(qgetenv("DISPLAY")) { qunsetenv("DISPLAY"); }
    ~NoDisplay() {
        if (!m_saved.isNull()) qputenv("DISPLAY", m_saved);
    }
    NoDisplay(const NoDisplay&) = delete;
    NoDisplay& operator=(const NoDisplay&) = delete;

private:
    QByteArray m_saved;
};

class WordProcessorStart : public ::testing::Test {
protected:
    /// Writes a file with the given text and permissions into the test folder.
    QString makeFile(const QString& name, const QByteArray& text, bool executable) {
        const QString path = folder.filePath(name);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
        file.close();
        QFile::Permissions permissions = QFile::ReadOwner | QFile::WriteOwner;
        if (executable) permissions |= QFile::ExeOwner;
        file.setPermissions(permissions);
        return path;
    }
    /// A script that writes its arguments, one a line, to `out` in the test folder.
    QString makeArgumentWriter(const QString& name) {
        return makeFile(name,
                        "#!/bin/sh\nprintf '%s\\n' \"$@\" > \"" +
                            folder.filePath(QStringLiteral("out.tmp")).toLocal8Bit() + "\"\nmv \"" +
                            folder.filePath(QStringLiteral("out.tmp")).toLocal8Bit() + "\" \"" +
                            folder.filePath(QStringLiteral("out")).toLocal8Bit() + "\"\n",
                        true);
    }
    QString writtenArguments() {
        QString text;
        // The caller compares the text; a timeout shows there as a mismatch.
        (void)QTest::qWaitFor(
            [&] {
                QFile file(folder.filePath(QStringLiteral("out")));
                if (!file.open(QIODevice::ReadOnly)) return false;
                text = QString::fromLocal8Bit(file.readAll());
                return true;
            },
            5000);
        return text;
    }
    QString failureText(const QString& commandLine) {
        return startFailureMessage(startCommandLine(commandLine).failure, commandLine);
    }

    QTemporaryDir folder;
    NoDisplay noDisplay;
    test::ScriptedPrompter prompter;
};

TEST_F(WordProcessorStart, EachStartFailureHasItsMessage) {
    ASSERT_TRUE(folder.isValid());
    // The old Windows default names a file that is not there; the whole setting is quoted.
    EXPECT_EQ(failureText(QStringLiteral("C:\\Program Files\\Accessories\\WordPad.exe")),
              "File C:\\Program Files\\Accessories\\WordPad.exe not found");
    EXPECT_EQ(failureText(QStringLiteral("qzx-no-such-program --writer")),
              "File qzx-no-such-program --writer not found");
    EXPECT_EQ(failureText(QString()), "File  not found");
    const QString missingFile = folder.filePath(QStringLiteral("writer"));
    EXPECT_EQ(failureText(missingFile), "File " + missingFile + " not found");
    const QString missingFolder = folder.filePath(QStringLiteral("no/such/folder/writer -n"));
    EXPECT_EQ(failureText(missingFolder), "Path to " + missingFolder + " not found");

    EXPECT_EQ(failureText(folder.path()), "File format error");
    EXPECT_EQ(failureText(makeFile(QStringLiteral("notes.txt"), "text\n", false)),
              "File format error");
    // Executable, but no program the system can run: the start itself fails.
    EXPECT_EQ(failureText(makeFile(QStringLiteral("garbage"), "\x01\x02garbage\n", true)),
              "File format error");

    EXPECT_EQ(startFailureMessage(StartFailure::OutOfMemory, QStringLiteral("x")), "Memory error");
    EXPECT_EQ(startFailureMessage(StartFailure::Unknown, QStringLiteral("x")), "Unknown error");
}

TEST_F(WordProcessorStart, TheCommandLineIsSplitIntoProgramAndArguments) {
    ASSERT_TRUE(folder.isValid());
    const QString writer = makeArgumentWriter(QStringLiteral("writer"));
    const StartResult quoted =
        startCommandLine(writer + QStringLiteral(" \"two words\"  three --writer"));
    EXPECT_EQ(quoted.failure, StartFailure::None);
    EXPECT_GT(quoted.pid, 0);
    EXPECT_EQ(writtenArguments().toStdString(), "two words\nthree\n--writer\n");

    // A path with blanks that names a program as a whole starts that program.
    QFile::remove(folder.filePath(QStringLiteral("out")));
    const QString spaced = makeArgumentWriter(QStringLiteral("my tools/word writer"));
    EXPECT_EQ(startCommandLine(spaced).failure, StartFailure::None);
    EXPECT_EQ(writtenArguments().toStdString(), "\n");
}

TEST_F(WordProcessorStart, AFailedStartSendsNoKeys) {
    int calls = 0;
    WordProcessorOptions options;
    options.sendKeys = [&](const char*) { return ++calls, 0; };
    EXPECT_FALSE(RunInWordProcessor(QStringLiteral("^V"), QStringLiteral("/qzx/missing/writer"),
                                    prompter, nullptr, options));
    EXPECT_EQ(calls, 0);
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].title, "Quorin Professional");
    EXPECT_EQ(prompter.shown[0].text, "Path to /qzx/missing/writer not found");
    EXPECT_EQ(prompter.shown[0].icon, Prompter::Icon::Error);
}

TEST_F(WordProcessorStart, KeySendingResultsAreReportedWithTheirMessages) {
    // The real library: without a display it cannot play, but checks the macro first.
    const std::vector<std::pair<QString, QString>> cases{
        {QStringLiteral("^V"), QStringLiteral("Error setting hook.")},
        {QStringLiteral("{ENTER"), QStringLiteral("Closing brace on special character missing.")},
        {QStringLiteral("{RETURN}"), QStringLiteral("Error in special character.")},
        {QStringLiteral("\u20AC"), QStringLiteral("Error in special character.")},
    };
    for (const auto& [macro, message] : cases) {
        prompter.shown.clear();
        EXPECT_FALSE(RunInWordProcessor(macro, QStringLiteral("true"), prompter));
        ASSERT_EQ(prompter.shown.size(), 1u) << macro.toStdString();
        EXPECT_EQ(prompter.shown[0].text, message);
    }
    // A macro without keys plays nothing and succeeds.
    prompter.shown.clear();
    EXPECT_TRUE(RunInWordProcessor(QStringLiteral("^"), QStringLiteral("true"), prompter));
    EXPECT_TRUE(prompter.shown.empty());

    for (int code : {4, -1, 99}) {
        WordProcessorOptions options;
        options.sendKeys = [code](const char*) { return code; };
        prompter.shown.clear();
        EXPECT_FALSE(RunInWordProcessor(QStringLiteral("^V"), QStringLiteral("true"), prompter,
                                        nullptr, options));
        ASSERT_EQ(prompter.shown.size(), 1u);
        EXPECT_EQ(prompter.shown[0].text, "Unknown error in macro or program.");
    }
}

TEST(ProcessTree, TheFamilyOfAProgramHoldsTheProcessesItStarted) {
    QProcess shell;
    // The shell waits for its "sleep" child, as a launcher script waits for the real program.
    shell.start(QStringLiteral("/bin/sh"),
                {QStringLiteral("-c"), QStringLiteral("sleep 30; true")});
    ASSERT_TRUE(shell.waitForStarted());
    const ProcessId pid = shell.processId();
    std::set<ProcessId> family;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            family = processFamily(pid);
            for (ProcessId member : family) {
                QFile comm(QStringLiteral("/proc/%1/comm").arg(member));
                if (member != pid && comm.open(QIODevice::ReadOnly) &&
                    comm.readAll().trimmed() == "sleep")
                    return true;
            }
            return false;
        },
        5000));
    EXPECT_EQ(family.count(pid), 1u);
    EXPECT_TRUE(processRunning(pid));
    EXPECT_EQ(processFamily(::getpid()).count(pid), 1u) << "a child of this test";

    for (ProcessId member : family)
        if (member != pid) ::kill(static_cast<pid_t>(member), SIGKILL);
    shell.kill();
    ASSERT_TRUE(shell.waitForFinished());
    EXPECT_FALSE(processRunning(pid));
    EXPECT_TRUE(processFamily(pid).empty());
}

} // namespace
} // namespace qzx
