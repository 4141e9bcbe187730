#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <filesystem>

#include "platform/help_browser.h"
#include "test_paths.h"

// Failure messages show a QString as its text, not as its bytes.
static void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace qzx {
namespace {

/// A program folder with a small help/ of its own, so the search tests do not depend on the
/// wording of the shipped topics.
class HelpFolder : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("help")));
        write("1049.html", "<html><head><title>Help Contents</title></head><body>"
                           "<a href=\"2001.html\">profiler</a> <a href=\"7777.html\">gone</a>"
                           "</body></html>");
        write("2001.html", "<html><head><title>Isotopic\n  Profiler</title>"
                           "<meta name=\"keywords\" content=\"isotope cluster, pattern\">"
                           "</head><body>Profiler page</body></html>");
        write("2002.html", "<html><head><TITLE>isotope match &amp; comparison</TITLE></head>"
                           "<body>Match page</body></html>");
        write("2003.html", "<html><body>No title here</body></html>");
        write("index.html", "<html><head><title>Help Topics</title></head><body></body></html>");
    }

    void write(const char* name, const char* html) {
        QFile file(m_dir.path() + QStringLiteral("/help/") + QString::fromLatin1(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(html);
    }

    std::filesystem::path programDirectory() const { return m_dir.path().toStdString(); }

    QTemporaryDir m_dir;
};

QStringList shownTitles(const HelpBrowser& help) {
    const auto* list = help.findChild<QListWidget*>(QStringLiteral("TopicList"));
    QStringList titles;
    for (int row = 0; list != nullptr && row < list->count(); ++row)
        if (!list->item(row)->isHidden()) titles << list->item(row)->text();
    return titles;
}

TEST_F(HelpFolder, TopicTitlesAreDecodedAndSorted) {
    EXPECT_EQ(helpTopicTitle(QStringLiteral("<title>Loss &amp; Delta</title>")), "Loss & Delta");
    EXPECT_TRUE(helpTopicTitle(QStringLiteral("<p>none</p>")).isEmpty());

    const QList<HelpTopic> topics = helpTopics(m_dir.path() + QStringLiteral("/help"));
    QStringList titles;
    for (const HelpTopic& topic : topics)
        titles << topic.title;
    // Case-insensitive order; a file without a title is listed under its name.
    EXPECT_EQ(titles, QStringList({"2003", "Help Contents", "Help Topics",
                                   "isotope match & comparison", "Isotopic Profiler"}));
    EXPECT_TRUE(topics[4].filePath.endsWith("/help/2001.html"));
}

TEST_F(HelpFolder, SearchNarrowsTheTitlesAsTheUserTypes) {
    HelpBrowser help(programDirectory());
    help.showContext(1049); // the window is up before the search is asked for
    help.showSearch();
    auto* edit = help.findChild<QLineEdit*>(QStringLiteral("SearchEdit"));
    ASSERT_NE(edit, nullptr);
    ASSERT_TRUE(edit->isVisible());
    EXPECT_GT(edit->width(), 100);
    EXPECT_EQ(shownTitles(help).size(), 5);

    QTest::keyClicks(edit, QStringLiteral("ISO"));
    EXPECT_EQ(shownTitles(help), QStringList({"isotope match & comparison", "Isotopic Profiler"}));
    QTest::keyClicks(edit, QStringLiteral("topic"));
    EXPECT_EQ(shownTitles(help), QStringList({"Isotopic Profiler"}));
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(help.currentTitle(), "Isotopic Profiler");

    // Keywords find a topic whose title does not hold the word.
    edit->setText(QStringLiteral("cluster"));
    EXPECT_EQ(shownTitles(help), QStringList({"Isotopic Profiler"}));
    edit->setText(QStringLiteral("no such topic"));
    EXPECT_TRUE(shownTitles(help).isEmpty());
    QTest::keyClick(edit, Qt::Key_Return); // nothing to open: the page stays
    EXPECT_EQ(help.currentTitle(), "Isotopic Profiler");
    edit->clear();
    EXPECT_EQ(shownTitles(help).size(), 5);

    // Clicking a title opens it.
    auto* list = help.findChild<QListWidget*>(QStringLiteral("TopicList"));
    const QListWidgetItem* match = list->findItems("isotope match", Qt::MatchStartsWith).value(0);
    ASSERT_NE(match, nullptr);
    const QRect row = list->visualItemRect(match);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, row.center());
    EXPECT_EQ(help.currentTitle(), "isotope match & comparison");
}

TEST_F(HelpFolder, LinksOpenTopicsAndMissingOnesSayNoHelpTopic) {
    HelpBrowser help(programDirectory());
    help.showContext(1049);
    auto* browser = help.findChild<QTextBrowser*>(QStringLiteral("Browser"));
    ASSERT_NE(browser, nullptr);

    emit browser->anchorClicked(QUrl(QStringLiteral("2001.html")));
    EXPECT_EQ(help.currentTitle(), "Isotopic Profiler");
    EXPECT_TRUE(browser->toPlainText().contains("Profiler page"));
    browser->backward();
    EXPECT_EQ(help.currentTitle(), "Help Contents");

    emit browser->anchorClicked(QUrl(QStringLiteral("7777.html")));
    EXPECT_EQ(help.currentTitle(), "No help topic");
    EXPECT_TRUE(browser->toPlainText().contains("7777.html"));
}

TEST_F(HelpFolder, UnknownContextOrMissingFolderShowsNoHelpTopicPage) {
    HelpBrowser help(programDirectory());
    help.showContext(4242);
    EXPECT_TRUE(help.isVisible());
    EXPECT_EQ(help.currentTitle(), "No help topic");
    const auto* browser = help.findChild<QTextBrowser*>(QStringLiteral("Browser"));
    EXPECT_TRUE(browser->toPlainText().contains("No help topic is available for context number "
                                                "4242."));

    // A program folder without any help/ at all.
    HelpBrowser bare(programDirectory() / "nowhere");
    bare.showContext(1049);
    EXPECT_EQ(bare.currentTitle(), "No help topic");
    bare.showIndex();
    EXPECT_EQ(bare.currentTitle(), "No help topic");
    bare.showSearch();
    EXPECT_TRUE(shownTitles(bare).isEmpty());
}

// The topics the program ships, as the build lays them out beside the program.
const std::filesystem::path kRuntimeFolder = QZX_RUNTIME_DIR;

TEST(ShippedHelp, MenuContextsOpenTheirTopics) {
    HelpBrowser help(kRuntimeFolder);
    const std::vector<std::pair<int, QString>> topics = {
        {HelpContext::Contents, "Help Contents"},
        {HelpContext::FirstTimeUser, "First Time User"},
        {HelpContext::Faq, "FAQ"},
    };
    for (const auto& [context, title] : topics) {
        help.showContext(context);
        EXPECT_EQ(help.currentTitle(), title) << context;
        EXPECT_TRUE(help.windowTitle().startsWith(title)) << context;
    }
    EXPECT_TRUE(help.isVisible());
    EXPECT_FALSE(help.isModal());
    help.showIndex();
    EXPECT_EQ(help.currentTitle(), "Help Topics");
}

TEST(ShippedHelp, EveryTopicHasATitleAndEveryLinkALocalTarget) {
    const QDir folder(QString::fromStdString((kRuntimeFolder / "help").string()));
    const QStringList files = folder.entryList({QStringLiteral("*.html")}, QDir::Files);
    ASSERT_GE(files.size(), 4);
    static const QRegularExpression href(QStringLiteral("href=\"([^\"#]*)(#[^\"]*)?\""));
    for (const QString& name : files) {
        QFile file(folder.absoluteFilePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
        const QString html = QString::fromUtf8(file.readAll());
        EXPECT_FALSE(helpTopicTitle(html).isEmpty()) << name.toStdString();
        for (auto it = href.globalMatch(html); it.hasNext();) {
            const QString target = it.next().captured(1);
            if (target.isEmpty() || target.contains(QStringLiteral("://"))) continue;
            EXPECT_TRUE(folder.exists(target))
                << name.toStdString() << " links to " << target.toStdString();
        }
    }
}

} // namespace
} // namespace qzx
