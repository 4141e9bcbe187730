#include <gtest/gtest.h>

#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

#include "gui_fixture.h"
#include "platform/prompter.h"
#include "platform/system_facts.h"
#include "windows/about_box.h"
#include "windows/notice_window.h"
#include "windows/shortcut_line.h"
#include "windows/shortcuts_window.h"
#include "windows/splash_window.h"
#include "windows/status_window.h"

// Failure messages show a QString as its text, not as its bytes.
static void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace qzx {
namespace {

QString labelText(const QWidget& window, const QString& name) {
    const auto* label = window.findChild<QLabel*>(name);
    return label != nullptr ? label->text() : QStringLiteral("<no label %1>").arg(name);
}

QPushButton* button(const QWidget& window, const QString& name) {
    return window.findChild<QPushButton*>(name);
}

SystemFacts typicalFacts() {
    SystemFacts facts;
    facts.totalMemoryBytes = 8ULL * 1024 * 1024 * 1024;
    facts.memoryLoadPercent = 37;
    facts.osName = QStringLiteral("Debian GNU/Linux 12 (bookworm)");
    facts.kernelMajor = 6;
    facts.kernelMinor = 1;
    facts.cpuModel = QStringLiteral("Intel(R) Xeon(R) CPU @ 2.20GHz");
    facts.programFolder = QStringLiteral("/opt/qzx");
    facts.systemFolder = QStringLiteral("/usr/lib/x86_64-linux-gnu");
    facts.diskName = QStringLiteral("/");
    facts.freeDiskBytes = 10ULL * 1024 * 1024 + 1023;
    return facts;
}

TEST(StatusLines, SevenLinesInTheStatusLayout) {
    const QStringList lines = statusLines(typicalFacts());
    ASSERT_EQ(lines.size(), 7);
    EXPECT_EQ(lines[0], "Total System Memory:   8388608 KB");
    EXPECT_EQ(lines[1], "Current Allocation: 37 %");
    EXPECT_EQ(lines[2], "Debian GNU/Linux 12 (bookworm)   Vers: 6.1");
    EXPECT_EQ(lines[3], "Intel(R) Xeon(R) CPU @ 2.20GHz Processor installed");
    EXPECT_EQ(lines[4], "Path to Program: /opt/qzx");
    EXPECT_EQ(lines[5], "Path to System: /usr/lib/x86_64-linux-gnu");
    EXPECT_EQ(lines[6], "Space Available on / is: 10240 Kbytes");
}

TEST(StatusLines, KilobytesTruncateAndUnknownProcessorsAreNamedSo) {
    SystemFacts facts = typicalFacts();
    facts.totalMemoryBytes = 1023;
    facts.freeDiskBytes = 2047;
    facts.cpuModel.clear();
    QStringList lines = statusLines(facts);
    EXPECT_EQ(lines[0], "Total System Memory:   0 KB");
    EXPECT_EQ(lines[6], "Space Available on / is: 1 Kbytes");
    EXPECT_EQ(lines[3], "Unknown Processor installed");

    facts.cpuModel = QStringLiteral("   ");
    facts.totalMemoryBytes = 1024;
    lines = statusLines(facts);
    EXPECT_EQ(lines[3], "Unknown Processor installed");
    EXPECT_EQ(lines[0], "Total System Memory:   1 KB");

    // A model name that says "Processor" itself does not get the word twice.
    facts.cpuModel = QStringLiteral("Intel(R) Xeon(R) Processor");
    EXPECT_EQ(statusLines(facts)[3], "Intel(R) Xeon(R) Processor installed");
    facts.cpuModel = QStringLiteral("AMD EPYC 7B13 64-Core processor ");
    EXPECT_EQ(statusLines(facts)[3], "AMD EPYC 7B13 64-Core processor installed");
}

TEST(SystemFactsParsing, MeminfoAmountsAreKilobytesAndLoadTruncates) {
    const auto memory = memoryFromMeminfo(QStringLiteral("MemTotal:        4000000 kB\n"
                                                         "MemFree:          100000 kB\n"
                                                         "MemAvailable:    1000001 kB\n"
                                                         "HugePages_Total:       0\n"));
    ASSERT_TRUE(memory.has_value());
    EXPECT_EQ(memory->totalBytes, 4000000ULL * 1024);
    EXPECT_EQ(memory->availableBytes, 1000001ULL * 1024);
    // 74.99997 % in use shows as 74.
    EXPECT_EQ(memoryLoadPercent(memory->totalBytes, memory->availableBytes), 74);

    // Old kernels without MemAvailable: free + buffers + cached.
    const auto old = memoryFromMeminfo(QStringLiteral("MemTotal: 1000 kB\nMemFree: 100 kB\n"
                                                      "Buffers: 50 kB\nCached: 250 kB\n"));
    ASSERT_TRUE(old.has_value());
    EXPECT_EQ(old->availableBytes, 400ULL * 1024);
    EXPECT_EQ(memoryLoadPercent(old->totalBytes, old->availableBytes), 60);

    EXPECT_FALSE(memoryFromMeminfo(QStringLiteral("MemFree: 100 kB\n")).has_value());
    EXPECT_FALSE(memoryFromMeminfo(QString()).has_value());
    EXPECT_EQ(memoryLoadPercent(0, 0), 0);
    EXPECT_EQ(memoryLoadPercent(100, 200), 0);
    EXPECT_EQ(memoryLoadPercent(100, 0), 100);
}

TEST(SystemFactsParsing, OsNameProcessorAndKernelVersion) {
    EXPECT_EQ(
        osNameFromOsRelease(QStringLiteral("NAME=\"Debian GNU/Linux\"\nID=debian\n"
                                           "PRETTY_NAME=\"Debian GNU/Linux 12 (bookworm)\"\n")),
        "Debian GNU/Linux 12 (bookworm)");
    EXPECT_EQ(osNameFromOsRelease(QStringLiteral("NAME='Alpine Linux'\nID=alpine\n")),
              "Alpine Linux");
    EXPECT_EQ(osNameFromOsRelease(QStringLiteral("PRETTY_NAME=\"Say \\\"hi\\\"\"\n")),
              "Say \"hi\"");
    EXPECT_EQ(osNameFromOsRelease(QStringLiteral("PRETTY_NAME=Plain\n")), "Plain");
    EXPECT_TRUE(osNameFromOsRelease(QStringLiteral("ID=x\n")).isEmpty());

    const QString twoCores = QStringLiteral("processor\t: 0\nvendor_id\t: GenuineIntel\n"
                                            "model name\t: Intel(R)  Core(TM) i5   CPU\n\n"
                                            "processor\t: 1\nmodel name\t: Other CPU\n");
    EXPECT_EQ(cpuModelFromCpuinfo(twoCores), "Intel(R) Core(TM) i5 CPU");
    EXPECT_TRUE(cpuModelFromCpuinfo(QStringLiteral("processor\t: 0\nBogoMIPS\t: 50.00\n"
                                                   "CPU implementer\t: 0x41\n"))
                    .isEmpty());

    EXPECT_EQ(kernelVersionFromRelease(QStringLiteral("6.1.0-18-amd64")), std::make_pair(6, 1));
    EXPECT_EQ(kernelVersionFromRelease(QStringLiteral("5.15.90.1-microsoft-standard-WSL2")),
              std::make_pair(5, 15));
    EXPECT_EQ(kernelVersionFromRelease(QStringLiteral("4")), std::make_pair(4, 0));
    EXPECT_EQ(kernelVersionFromRelease(QString()), std::make_pair(0, 0));
}

TEST(SystemFacts, GatheredFromThisMachine) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const SystemFacts facts = gatherSystemFacts(folder.path().toStdString());
    EXPECT_GT(facts.totalMemoryBytes, 16ULL * 1024 * 1024);
    EXPECT_GE(facts.memoryLoadPercent, 0);
    EXPECT_LE(facts.memoryLoadPercent, 100);
    EXPECT_FALSE(facts.osName.isEmpty());
    EXPECT_GT(facts.kernelMajor, 2);
    EXPECT_EQ(facts.programFolder, folder.path());
    EXPECT_FALSE(facts.systemFolder.isEmpty());
    EXPECT_TRUE(facts.diskName.startsWith(u'/'));
    EXPECT_GT(facts.freeDiskBytes, 0U);
}

using InformationWindows = test::GuiTest;

TEST_F(InformationWindows, CaptionsAndWindowNames) {
    SplashWindow splash;
    AboutBox about(context());
    StatusWindow status(context(), typicalFacts());
    ShortcutsWindow shortcuts(context());
    NoticeWindow notice(context());
    const std::vector<std::pair<QWidget*, std::pair<const char*, const char*>>> expected = {
        {&splash, {"TSplash", "QZX Pro"}},  {&about, {"TAboutBox", "About QZX Pro"}},
        {&status, {"TStatform", "Status"}}, {&shortcuts, {"TShrtform", "Shortcuts"}},
        {&notice, {"TMsgForm", "Notice"}},
    };
    for (const auto& [window, names] : expected) {
        EXPECT_EQ(window->objectName(), names.first);
        EXPECT_EQ(window->windowTitle(), names.second) << names.first;
    }
}

TEST_F(InformationWindows, OkButtonClosesEachWindow) {
    std::vector<std::unique_ptr<QDialog>> windows;
    windows.push_back(std::make_unique<AboutBox>(context()));
    windows.push_back(std::make_unique<StatusWindow>(context(), typicalFacts()));
    windows.push_back(std::make_unique<ShortcutsWindow>(context()));
    windows.push_back(std::make_unique<NoticeWindow>(context()));
    for (const auto& window : windows) {
        QPushButton* ok = button(*window, QStringLiteral("BitBtn1"));
        ASSERT_NE(ok, nullptr) << window->objectName().toStdString();
        EXPECT_EQ(ok->text(), "OK");
        window->show();
        ASSERT_TRUE(window->isVisible());
        QTest::mouseClick(ok, Qt::LeftButton);
        EXPECT_FALSE(window->isVisible()) << window->objectName().toStdString();
        EXPECT_EQ(window->result(), QDialog::Accepted);
    }
}

TEST_F(InformationWindows, AboutBoxTitleSitsInAPanel) {
    AboutBox about(context());
    const auto* panel = about.findChild<QFrame*>(QStringLiteral("Panel1"));
    ASSERT_NE(panel, nullptr);
    const QList<QLabel*> labels = panel->findChildren<QLabel*>();
    const bool titled = std::any_of(labels.begin(), labels.end(), [](const QLabel* label) {
        return label->text() == "Quorin Professional";
    });
    EXPECT_TRUE(titled);
}

TEST_F(InformationWindows, StatusWindowIsFilledOnceWhenCreated) {
    const SystemFacts facts = typicalFacts();
    StatusWindow window(context(), facts);
    const QStringList expected = statusLines(facts);
    for (int line = 1; line <= 7; ++line)
        EXPECT_EQ(labelText(window, QStringLiteral("Label%1").arg(line)), expected[line - 1]);

    // Showing the window does not gather this machine's facts afresh: the made-up facts it
    // was filled with stay on display.
    window.show();
    window.hide();
    window.show();
    EXPECT_EQ(labelText(window, QStringLiteral("Label2")), "Current Allocation: 37 %");
    EXPECT_EQ(labelText(window, QStringLiteral("Label7")), "Space Available on / is: 10240 Kbytes");
    window.hide();
}

TEST_F(InformationWindows, ShortcutsListTheTwentyOneKeysExactly) {
    const QStringList expected = {
        "F1 = Help .................... Access the Help System",
        "F2 = Select ..................Used to Move or Delete Substructures",
        "F3 =  Valence +  ...........Used to increase the valence of an atom",
        "F4 = Valence -  .............Used to decrease the valence of an  atom",
        "F5 = Preferences ..........Access the Preferences window",
        "F6 = Spectrum ............. Access the Spectrum window",
        "F7 = Spectrum Editor .... Access the Spectrum Editor window",
        "F8 = Shortcuts ............. Show this screen",
        "<Ctrl>-A   Save As...",
        "<Ctrl>-D   Delete File...",
        "<Ctrl>-E   Elemental Formula",
        "<Ctrl>-I    Isotopic Profiler",
        "<Ctrl>-L   Loss off...",
        "<Ctrl>-N   New",
        "<Ctrl>-O   Open (file)",
        "<Ctrl>-P   Print",
        "<Ctrl>-S   Save (file)",
        "<Ctrl>-X   Exit Program",
        "Also:",
        "<Esc> ... Cancels Select or Valence when they are active",
        "<Shift> ... Force a Draw in Place - Prevent Merging",
    };
    ShortcutsWindow window(context());
    EXPECT_EQ(window.findChildren<QLabel*>().size(), 21);
    for (int line = 1; line <= 21; ++line) {
        const auto* label = window.findChild<QLabel*>(QStringLiteral("Label%1").arg(line));
        ASSERT_NE(label, nullptr) << line;
        EXPECT_EQ(label->text(), expected[line - 1]) << line;
        // "<Ctrl>", "<Esc>" and "<Shift>" must show as typed, not be swallowed as markup.
        EXPECT_EQ(label->textFormat(), Qt::PlainText) << line;
    }
    // The descriptions of each group start in one column, right of the group's widest key.
    const int groups[][2] = {{1, 8}, {9, 18}, {20, 21}};
    for (const auto& [first, last] : groups) {
        const auto* head = window.findChild<ShortcutLine*>(QStringLiteral("Label%1").arg(first));
        ASSERT_NE(head, nullptr);
        for (int line = first; line <= last; ++line) {
            const auto* l = window.findChild<ShortcutLine*>(QStringLiteral("Label%1").arg(line));
            EXPECT_EQ(l->descriptionColumn(), head->descriptionColumn()) << line;
            EXPECT_GT(l->descriptionColumn(), l->keyWidth()) << line;
        }
    }
    // Labels are laid out top to bottom in that order.
    window.show();
    for (int line = 2; line <= 21; ++line) {
        const auto* above = window.findChild<QLabel*>(QStringLiteral("Label%1").arg(line - 1));
        const auto* below = window.findChild<QLabel*>(QStringLiteral("Label%1").arg(line));
        EXPECT_LT(above->geometry().bottom(), below->geometry().top()) << line;
    }
    window.hide();
}

TEST(ShortcutLines, KeyAndDescriptionAreCutAtTheLeaderOrTheBlanks) {
    const auto f3 =
        splitShortcutLine(QStringLiteral("F3 =  Valence +  ...........Used to increase"));
    ASSERT_TRUE(f3);
    EXPECT_EQ(f3->key, "F3 =  Valence +") << "the dot leader wins over the blanks before it";
    EXPECT_EQ(f3->description, "Used to increase");
    EXPECT_TRUE(f3->dotted);
    const auto ctrl = splitShortcutLine(QStringLiteral("<Ctrl>-I    Isotopic Profiler"));
    ASSERT_TRUE(ctrl);
    EXPECT_EQ(ctrl->key, "<Ctrl>-I");
    EXPECT_EQ(ctrl->description, "Isotopic Profiler");
    EXPECT_FALSE(ctrl->dotted);
    const auto esc = splitShortcutLine(QStringLiteral("<Esc> ... Cancels Select"));
    ASSERT_TRUE(esc);
    EXPECT_EQ(esc->key, "<Esc>");
    EXPECT_FALSE(splitShortcutLine(QStringLiteral("Also:")));
    EXPECT_FALSE(splitShortcutLine(QStringLiteral("Save As...")));
}

TEST(SplashWindow, ProductTitleAndStayOnTop) {
    // An owner in a corner of the screen: the start screen centres on the screen, not on it.
    QWidget owner;
    owner.setGeometry(0, 0, 200, 150);
    owner.show();
    SplashWindow splash(&owner);
    EXPECT_EQ(labelText(splash, QStringLiteral("Label1")), "Quorin ");
    EXPECT_EQ(labelText(splash, QStringLiteral("Label2")), "Professional ");
    EXPECT_EQ(splash.buttonCaption(), "OK");
    EXPECT_TRUE(splash.windowFlags().testFlag(Qt::WindowStaysOnTopHint));

    splash.showWithoutWaiting();
    ASSERT_TRUE(splash.isVisible());
    EXPECT_FALSE(splash.isModal());
    const QRect screen = splash.screen()->availableGeometry();
    const QPoint offset = splash.frameGeometry().center() - screen.center();
    EXPECT_LE(std::abs(offset.x()), 1);
    EXPECT_LE(std::abs(offset.y()), 1);
    splash.hide();
    owner.hide();
}

TEST(SplashWindow, ClickOnTextWindowOrButtonCloses) {
    SplashWindow splash;
    const auto clickCloses = [&splash](QWidget* target, QPoint where) {
        splash.showWithoutWaiting();
        if (!splash.isVisible()) return false;
        QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier, where);
        return !splash.isVisible();
    };
    for (const char* name : {"Label1", "Label2", "Label3", "Label4"}) {
        auto* label = splash.findChild<QLabel*>(name);
        ASSERT_NE(label, nullptr) << name;
        EXPECT_TRUE(clickCloses(label, label->rect().center())) << name;
    }
    // A corner of the window that no control covers.
    ASSERT_EQ(splash.childAt(QPoint(2, 2)), nullptr);
    EXPECT_TRUE(clickCloses(&splash, QPoint(2, 2)));
    QPushButton* ok = button(splash, QStringLiteral("OKBtn"));
    ASSERT_NE(ok, nullptr);
    EXPECT_TRUE(clickCloses(ok, ok->rect().center()));
}

TEST(SplashWindow, ShownModallyThroughTheDesktopPrompter) {
    SplashWindow splash;
    QString captionWhileShown;
    bool modalWhileShown = false;
    QTimer::singleShot(0, &splash, [&] {
        captionWhileShown = button(splash, QStringLiteral("OKBtn"))->text();
        modalWhileShown = splash.isModal() && splash.isVisible();
        QTest::mouseClick(splash.findChild<QLabel*>(QStringLiteral("Label1")), Qt::LeftButton);
    });
    // Rejection only if the click failed to close the window, so the test cannot hang.
    QTimer::singleShot(3000, &splash, &QDialog::reject);
    splash.setButtonCaption(QStringLiteral("Close"));
    DialogPrompter prompter;
    EXPECT_EQ(prompter.showModal(splash), QDialog::Accepted);
    EXPECT_EQ(captionWhileShown, "Close");
    EXPECT_TRUE(modalWhileShown);
    EXPECT_EQ(splash.buttonCaption(), "Close");
}

TEST_F(InformationWindows, NoticeShowsTheCallersTextUntilOk) {
    NoticeWindow notice(context());
    notice.setNotice(QStringLiteral("Chlorine will be limited\r\nto 6 atoms <max>"));
    EXPECT_EQ(notice.notice(), "Chlorine will be limited\nto 6 atoms <max>");
    const auto* label = notice.findChild<QLabel*>(QStringLiteral("Label1"));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), notice.notice());
    EXPECT_EQ(label->textFormat(), Qt::PlainText);

    QTimer::singleShot(0, &notice, [&notice] {
        QTest::mouseClick(notice.findChild<QPushButton*>(QStringLiteral("BitBtn1")),
                          Qt::LeftButton);
    });
    QTimer::singleShot(3000, &notice, &QDialog::reject);
    EXPECT_EQ(notice.exec(), QDialog::Accepted);

    notice.setNotice(QStringLiteral("Second notice"));
    EXPECT_EQ(label->text(), "Second notice");
}

} // namespace
} // namespace qzx
