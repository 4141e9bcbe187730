#include "platform/help_browser.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSplitter>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>

namespace qzx {

namespace {

const QString kWindowTitle = QStringLiteral("QZX Pro Help");
const QString kIndexFile = QStringLiteral("index.html");
constexpr int kSearchPanelWidth = 240; // pixels

QString plainTextOfHtml(const QString& html) {
    return QTextDocumentFragment::fromHtml(html).toPlainText().simplified();
}

QString readTopicFile(const QString& filePath) {
    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(file.readAll());
}

QString keywordsOf(const QString& html) {
    static const QRegularExpression meta(
        QStringLiteral(R"re(<meta\s+name\s*=\s*"keywords"\s+content\s*=\s*"([^"]*)")re"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = meta.match(html);
    return match.hasMatch() ? plainTextOfHtml(match.captured(1)) : QString();
}

QPushButton* toolButton(QWidget* parent, QHBoxLayout* layout, const QString& name,
                        const QString& caption) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    layout->addWidget(button);
    return button;
}

} // namespace

QString helpTopicTitle(const QString& html) {
    static const QRegularExpression title(QStringLiteral("<title[^>]*>(.*?)</title>"),
                                          QRegularExpression::CaseInsensitiveOption |
                                              QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch match = title.match(html);
    return match.hasMatch() ? plainTextOfHtml(match.captured(1)) : QString();
}

QList<HelpTopic> helpTopics(const QString& helpFolder) {
    QList<HelpTopic> topics;
    const QDir folder(helpFolder);
    const QStringList files =
        folder.entryList({QStringLiteral("*.html")}, QDir::Files | QDir::Readable, QDir::Name);
    for (const QString& name : files) {
        const QString path = folder.absoluteFilePath(name);
        const QString html = readTopicFile(path);
        HelpTopic topic;
        topic.title = helpTopicTitle(html);
        if (topic.title.isEmpty()) topic.title = QFileInfo(name).completeBaseName();
        topic.keywords = keywordsOf(html);
        topic.filePath = path;
        topics.append(topic);
    }
    std::stable_sort(topics.begin(), topics.end(), [](const HelpTopic& a, const HelpTopic& b) {
        return a.title.compare(b.title, Qt::CaseInsensitive) < 0;
    });
    return topics;
}

bool helpTopicMatches(const HelpTopic& topic, const QString& text) {
    const QString wanted = text.simplified();
    if (wanted.isEmpty()) return true;
    return topic.title.contains(wanted, Qt::CaseInsensitive) ||
           topic.keywords.contains(wanted, Qt::CaseInsensitive);
}

HelpBrowser::HelpBrowser(const std::filesystem::path& programDirectory, QWidget* parent)
    : QDialog(parent),
      m_helpFolder(QDir::cleanPath(QString::fromStdString((programDirectory / "help").string()))) {
    setObjectName(QStringLiteral("HelpBrowser"));
    setWindowTitle(kWindowTitle);
    setWindowFlags(Qt::Window | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    setModal(false);
    resize(860, 620);

    auto* buttons = new QHBoxLayout;
    QPushButton* contents =
        toolButton(this, buttons, QStringLiteral("ContentsBtn"), QStringLiteral("Contents"));
    QPushButton* index =
        toolButton(this, buttons, QStringLiteral("IndexBtn"), QStringLiteral("Index"));
    QPushButton* search =
        toolButton(this, buttons, QStringLiteral("SearchBtn"), QStringLiteral("Search"));
    QPushButton* back =
        toolButton(this, buttons, QStringLiteral("BackBtn"), QStringLiteral("Back"));
    QPushButton* forward =
        toolButton(this, buttons, QStringLiteral("ForwardBtn"), QStringLiteral("Forward"));
    buttons->addStretch();
    back->setEnabled(false);
    forward->setEnabled(false);

    m_searchPanel = new QWidget(this);
    m_searchPanel->setObjectName(QStringLiteral("SearchPanel"));
    auto* searchLayout = new QVBoxLayout(m_searchPanel);
    searchLayout->setContentsMargins(0, 0, 0, 0);
    auto* prompt =
        new QLabel(QStringLiteral("Type a word of the topic you are looking for:"), m_searchPanel);
    prompt->setWordWrap(true);
    m_searchEdit = new QLineEdit(m_searchPanel);
    m_searchEdit->setObjectName(QStringLiteral("SearchEdit"));
    m_searchEdit->setClearButtonEnabled(true);
    m_searchEdit->setAccessibleName(QStringLiteral("Search for help on"));
    prompt->setBuddy(m_searchEdit);
    m_topicList = new QListWidget(m_searchPanel);
    m_topicList->setObjectName(QStringLiteral("TopicList"));
    m_topicList->setAccessibleName(QStringLiteral("Help topics"));
    auto* display = new QPushButton(QStringLiteral("Display"), m_searchPanel);
    display->setObjectName(QStringLiteral("DisplayBtn"));
    display->setAutoDefault(false);
    searchLayout->addWidget(prompt);
    searchLayout->addWidget(m_searchEdit);
    searchLayout->addWidget(m_topicList, 1);
    searchLayout->addWidget(display);
    m_searchPanel->hide();

    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(QStringLiteral("Browser"));
    m_browser->setAccessibleName(QStringLiteral("Help topic"));
    m_browser->setSearchPaths({m_helpFolder});
    // Links are followed here, so a link to a missing topic shows a clear page and links to
    // web pages open in the desktop's browser.
    m_browser->setOpenLinks(false);

    m_splitter = new QSplitter(Qt::Horizontal, this);
    m_splitter->addWidget(m_searchPanel);
    m_splitter->addWidget(m_browser);
    m_splitter->setStretchFactor(1, 1);
    m_splitter->setChildrenCollapsible(false);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(m_splitter, 1);

    connect(contents, &QPushButton::clicked, this, [this] { showContext(HelpContext::Contents); });
    connect(index, &QPushButton::clicked, this, &HelpBrowser::showIndex);
    connect(search, &QPushButton::clicked, this, [this] {
        if (m_searchPanel->isVisible())
            m_searchPanel->hide();
        else
            showSearch();
    });
    connect(back, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
    connect(forward, &QPushButton::clicked, m_browser, &QTextBrowser::forward);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QPushButton::setEnabled);
    connect(m_browser, &QTextBrowser::anchorClicked, this, &HelpBrowser::followLink);
    connect(m_browser, &QTextBrowser::sourceChanged, this, &HelpBrowser::updateTitle);
    connect(m_searchEdit, &QLineEdit::textChanged, this, &HelpBrowser::filterTopics);
    connect(m_searchEdit, &QLineEdit::returnPressed, this, &HelpBrowser::openChosenTopic);
    connect(m_topicList, &QListWidget::itemActivated, this, &HelpBrowser::openChosenTopic);
    connect(m_topicList, &QListWidget::itemClicked, this, &HelpBrowser::openChosenTopic);
    connect(display, &QPushButton::clicked, this, &HelpBrowser::openChosenTopic);
}

void HelpBrowser::showContext(int context) {
    const QString path = m_helpFolder + QStringLiteral("/%1.html").arg(context);
    if (QFileInfo::exists(path)) {
        openFile(path);
    } else {
        showMissing(
            QStringLiteral("No help topic is available for context number %1.").arg(context));
    }
    present();
}

void HelpBrowser::showSearch() {
    fillTopicList();
    if (m_searchPanel->isHidden()) {
        m_searchPanel->show();
        // A panel that was hidden when the splitter was laid out would come back 0 wide.
        const int total = std::max(m_splitter->width(), width());
        m_splitter->setSizes({kSearchPanelWidth, std::max(total - kSearchPanelWidth, 1)});
    }
    if (m_browser->document()->isEmpty()) {
        const QString index = m_helpFolder + QLatin1Char('/') + kIndexFile;
        if (QFileInfo::exists(index)) openFile(index);
    }
    present();
    m_searchEdit->setFocus();
    m_searchEdit->selectAll();
}

void HelpBrowser::showIndex() {
    const QString index = m_helpFolder + QLatin1Char('/') + kIndexFile;
    if (QFileInfo::exists(index))
        openFile(index);
    else
        showMissing(QStringLiteral("The list of help topics is missing."));
    present();
}

QString HelpBrowser::currentTitle() const {
    // A <title> may run over several lines; show it as one.
    return m_browser->documentTitle().simplified();
}

void HelpBrowser::openFile(const QString& filePath) {
    m_browser->setSource(QUrl::fromLocalFile(filePath));
    updateTitle();
}

void HelpBrowser::showMissing(const QString& what) {
    QString page = QStringLiteral("<html><head><title>No help topic</title></head><body>"
                                  "<h2>No help topic</h2><p>%1</p>"
                                  "<p>Help topics are read from the folder %2.</p>")
                       .arg(what.toHtmlEscaped(), m_helpFolder.toHtmlEscaped());
    const QString index = m_helpFolder + QLatin1Char('/') + kIndexFile;
    if (QFileInfo::exists(index)) {
        page += QStringLiteral("<p><a href=\"%1\">List of help topics</a></p>")
                    .arg(QUrl::fromLocalFile(index).toString(QUrl::FullyEncoded));
    }
    page += QStringLiteral("</body></html>");
    m_browser->setHtml(page);
    updateTitle();
}

void HelpBrowser::followLink(const QUrl& link) {
    QUrl target = link;
    if (link.isRelative()) {
        const QUrl base = m_browser->source().isLocalFile()
                              ? m_browser->source()
                              : QUrl::fromLocalFile(m_helpFolder + QLatin1Char('/'));
        target = base.resolved(link);
    }
    if (!target.isLocalFile()) {
        QDesktopServices::openUrl(target);
        return;
    }
    if (QFileInfo::exists(target.toLocalFile())) {
        m_browser->setSource(target);
        updateTitle();
    } else {
        showMissing(QStringLiteral("The topic %1 does not exist.")
                        .arg(QFileInfo(target.toLocalFile()).fileName()));
    }
}

void HelpBrowser::fillTopicList() {
    m_topics = helpTopics(m_helpFolder);
    m_topicList->clear();
    for (const HelpTopic& topic : m_topics)
        m_topicList->addItem(topic.title);
    filterTopics(m_searchEdit->text());
}

void HelpBrowser::filterTopics(const QString& text) {
    QListWidgetItem* first = nullptr;
    for (int row = 0; row < m_topicList->count(); ++row) {
        QListWidgetItem* item = m_topicList->item(row);
        const bool shown = row < m_topics.size() && helpTopicMatches(m_topics[row], text);
        item->setHidden(!shown);
        if (shown && first == nullptr) first = item;
    }
    m_topicList->setCurrentItem(first);
}

void HelpBrowser::openChosenTopic() {
    const int row = m_topicList->currentRow();
    if (row < 0 || row >= m_topics.size() || m_topicList->item(row)->isHidden()) return;
    openFile(m_topics[row].filePath);
}

void HelpBrowser::updateTitle() {
    const QString title = currentTitle();
    setWindowTitle(title.isEmpty() ? kWindowTitle : title + QStringLiteral(" - ") + kWindowTitle);
}

QRect initialHelpGeometry(const QRect& available, const QSize& preferred) {
    constexpr int kTopClearance = 80; ///< the main window's title, menu and speed bar
    const int width = std::min(preferred.width(), available.width() * 45 / 100);
    const int height = std::min(preferred.height(), available.height() - kTopClearance);
    return QRect(available.right() + 1 - width, available.top() + kTopClearance, width,
                 std::max(height, 0));
}

void HelpBrowser::present() {
    if (!m_placed) {
        if (const QScreen* target = screen())
            setGeometry(initialHelpGeometry(target->availableGeometry(), QSize(860, 620)));
        m_placed = true;
    }
    show();
    raise();
    activateWindow();
}

} // namespace qzx
