// The word-processor launcher on a real X display: it starts a stand-in word processor (the
// key receiver), waits until its window has the focus - forcing it, as no window manager runs
// here - and types key macros into it through the key-sending library.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>

#include "platform/word_processor.h"
#include "qzxpro.h"
#include "scripted_prompter.h"

namespace qzx {
namespace {

class WordProcessorUnderX11 : public ::testing::Test {
protected:
    void TearDown() override {
        // End the receiver this test started.
        QFile pidFile(output() + QStringLiteral(".pid"));
        if (pidFile.open(QIODevice::ReadOnly)) {
            const qint64 pid = pidFile.readAll().trimmed().toLongLong();
            if (pid > 0) ::kill(static_cast<pid_t>(pid), SIGTERM);
        }
    }

    QString output() const { return folder.filePath(QStringLiteral("received.txt")); }
    QString receiverCommandLine() const {
        return QStringLiteral(QZX_KEY_RECEIVER) + u' ' + output();
    }
    /// What the receiver holds, once it holds `expected` or after 10 seconds.
    QString receivedText(const QString& expected) const {
        QString text;
        // The caller compares the text; a timeout shows there as a mismatch.
        (void)QTest::qWaitFor(
            [&] {
                QFile file(output());
                text =
                    file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
                return text == expected;
            },
            10000);
        return text;
    }
    /// Counts the calls of the key sender and passes them on to the library.
    WordProcessorOptions countingOptions() {
        WordProcessorOptions options;
        options.focusTimeout = std::chrono::seconds(10);
        options.sendKeys = [this](const char* macro) {
            ++sendKeysCalls;
            return SendKeys(macro);
        };
        return options;
    }

    QTemporaryDir folder;
    test::ScriptedPrompter prompter;
    int sendKeysCalls = 0;
};

TEST_F(WordProcessorUnderX11, CtrlVPastesTheClipboardIntoTheStartedProgram) {
    ASSERT_TRUE(folder.isValid());
    const QString report = QStringLiteral("C6 H6 78.0470\nMatch index 35.0 %");
    QGuiApplication::clipboard()->setText(report);

    EXPECT_TRUE(RunInWordProcessor(QStringLiteral("^V"), receiverCommandLine(), prompter, nullptr,
                                   countingOptions()));
    EXPECT_EQ(sendKeysCalls, 1);
    // The receiver reads the clipboard from this process while its event loop runs here.
    EXPECT_EQ(receivedText(report), report);
    EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(WordProcessorUnderX11, ShiftTabAndEnterArriveAsTyped) {
    ASSERT_TRUE(folder.isValid());
    // Shift holds for one key only; a capital letter types its key without Shift.
    const QString expected = QStringLiteral("Hello\tworld\nA!;-");
    EXPECT_TRUE(RunInWordProcessor(QStringLiteral("+hello{TAB}World{ENTER}+a+1;-"),
                                   receiverCommandLine(), prompter, nullptr, countingOptions()));
    EXPECT_EQ(receivedText(expected), expected);
    EXPECT_TRUE(prompter.shown.empty());

    // No modifier is left pressed: a plain key afterwards types a plain character.
    EXPECT_EQ(SendKeys("x"), 0);
    EXPECT_EQ(receivedText(expected + u'x'), expected + u'x');
}

TEST_F(WordProcessorUnderX11, AMissingProgramIsReportedAndNoKeysAreSent) {
    const QString commandLine = QStringLiteral("qzx-no-such-word-processor --writer");
    EXPECT_FALSE(RunInWordProcessor(QStringLiteral("^V"), commandLine, prompter, nullptr,
                                    countingOptions()));
    EXPECT_EQ(sendKeysCalls, 0);
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text, "File qzx-no-such-word-processor --writer not found");
    EXPECT_EQ(prompter.shown[0].title, "Quorin Professional");
}

TEST_F(WordProcessorUnderX11, AProgramWithoutAWindowTimesOutAndNoKeysAreSent) {
    WordProcessorOptions options = countingOptions();
    options.focusTimeout = std::chrono::seconds(2);
    EXPECT_FALSE(RunInWordProcessor(QStringLiteral("^V"), QStringLiteral("sleep 3"), prompter,
                                    nullptr, options));
    EXPECT_EQ(sendKeysCalls, 0);
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text,
              "The word processor sleep 3 did not open a window. No keys were sent.");
}

} // namespace
} // namespace qzx

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        std::fprintf(stderr, "No X display: the X11 tests are skipped.\n");
        return 77;
    }
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
