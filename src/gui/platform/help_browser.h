#pragma once

#include <QDialog>
#include <QList>
#include <QRect>
#include <QString>
#include <filesystem>

class QLineEdit;
class QListWidget;
class QSplitter;
class QTextBrowser;
class QUrl;
class QWidget;

namespace qzx {

/// The help context numbers that the main window's Help menu opens.
namespace HelpContext {
inline constexpr int Faq = 1030;
inline constexpr int FirstTimeUser = 1032;
inline constexpr int Contents = 1049;
} // namespace HelpContext

/// One help topic file with the words it is found under.
struct HelpTopic {
    QString title;    ///< the text of the file's <title>, or its base name when it has none
    QString keywords; ///< the content of <meta name="keywords">, possibly empty
    QString filePath; ///< the file's absolute path
};

/// The title of a topic given its HTML text (entities decoded, blanks simplified); empty when
/// the text has no <title>.
QString helpTopicTitle(const QString& html);

/// Every "*.html" topic of a help folder, sorted by title (case-insensitive).
QList<HelpTopic> helpTopics(const QString& helpFolder);

/// True when the topic's title or keywords contain `text` (case-insensitive); every topic
/// matches an empty or blank text.
bool helpTopicMatches(const HelpTopic& topic, const QString& text);

/// Where the help window first opens on a screen whose free area is `available`: against the
/// right edge, below the main window's menu and speed bar, at most `preferred` in size and at
/// most 45 % of the screen's width, so the tool panel and most of the drawing stay in view.
QRect initialHelpGeometry(const QRect& available, const QSize& preferred);

/// The program's help window: topics are the files `<program folder>/help/<context>.html`,
/// shown in a text browser with working links, Back and Forward, a list of topics
/// (help/index.html) and a search over the topic titles that narrows as the user types.
/// Not modal; one instance lives as long as the window that creates it.
class HelpBrowser : public QDialog {
    Q_OBJECT
public:
    explicit HelpBrowser(const std::filesystem::path& programDirectory, QWidget* parent = nullptr);

    /// Shows the window with the topic of a help context number; an unknown number shows a
    /// page that says no help topic exists for it.
    void showContext(int context);
    /// Shows the window with the search field focused over the list of topic titles.
    void showSearch();
    /// Shows the window with the list of all topics (help/index.html).
    void showIndex();

    /// The title of the page on display.
    QString currentTitle() const;
    /// The folder the topics are read from.
    QString helpFolder() const { return m_helpFolder; }

private:
    void openFile(const QString& filePath);
    void showMissing(const QString& what);
    void followLink(const QUrl& link);
    void fillTopicList();
    void filterTopics(const QString& text);
    void openChosenTopic();
    void updateTitle();
    void present();
    bool m_placed = false; ///< placed once; after that it opens where the user left it

    QString m_helpFolder;
    QList<HelpTopic> m_topics; ///< in the order of the topic list's rows
    QTextBrowser* m_browser = nullptr;
    QSplitter* m_splitter = nullptr;
    QWidget* m_searchPanel = nullptr;
    QLineEdit* m_searchEdit = nullptr;
    QListWidget* m_topicList = nullptr;
};

} // namespace qzx
