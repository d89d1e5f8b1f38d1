#include "frame/helpviewer.h"

#include "base/uiseam.h"
#include "frame/helpfiles.h"

#include <QAction>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QTextBrowser>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QUrl PageUrl(const QString &folder, const QString &page)
{
    QUrl url = QUrl::fromLocalFile(QDir(folder).filePath(page.section(u'#', 0, 0)));
    if (page.contains(u'#'))
        url.setFragment(page.section(u'#', 1));
    return url;
}

} // namespace

CHelpViewer::CHelpViewer(const QString &helpFolder, QWidget *parent)
    : QMainWindow(parent, Qt::Window)
    , m_folder(helpFolder)
{
    setObjectName(QStringLiteral("helpViewer"));
    // Closing the main window ends the program even while help is open.
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowTitle(QStringLiteral("Tallywick + Help"));

    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(QStringLiteral("helpPage"));
    m_browser->setSearchPaths({helpFolder});
    m_browser->setOpenLinks(false);
    // Pages and pictures of the help stay here; the web goes to the browser.
    connect(m_browser, &QTextBrowser::anchorClicked, this, [this](const QUrl &url) {
        if (url.isLocalFile() || url.isRelative())
            m_browser->setSource(url);
        else
            TwkOpenUrl(url, this);
    });
    // A link to a section of another page may report no source change;
    // every step of the history does.
    const auto followPage = [this] {
        setWindowTitle(QStringLiteral("Tallywick + Help - ") + m_browser->documentTitle());
        SelectInContents();
    };
    connect(m_browser, &QTextBrowser::sourceChanged, this, followPage);
    connect(m_browser, &QTextBrowser::historyChanged, this, followPage);

    m_contents = new QTreeWidget(this);
    m_contents->setObjectName(QStringLiteral("helpContents"));
    m_contents->setHeaderHidden(true);
    m_contents->setRootIsDecorated(true);
    connect(m_contents, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem *item) { ShowPage(item->data(0, Qt::UserRole).toString()); });
    connect(m_contents, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem *item) { ShowPage(item->data(0, Qt::UserRole).toString()); });

    auto *searchPane = new QWidget(this);
    m_searchWords = new QLineEdit(searchPane);
    m_searchWords->setObjectName(QStringLiteral("helpSearchWords"));
    m_searchWords->setPlaceholderText(QStringLiteral("Type the words to find"));
    auto *list = new QPushButton(QStringLiteral("&List Topics"), searchPane);
    m_results = new QListWidget(searchPane);
    m_results->setObjectName(QStringLiteral("helpSearchResults"));
    auto *wordsLabel = new QLabel(QStringLiteral("Type in the &word(s) to search for:"), searchPane);
    wordsLabel->setBuddy(m_searchWords);
    auto *resultsLabel = new QLabel(QStringLiteral("Select a &topic to display:"), searchPane);
    resultsLabel->setBuddy(m_results);
    auto *searchLayout = new QVBoxLayout(searchPane);
    searchLayout->addWidget(wordsLabel);
    searchLayout->addWidget(m_searchWords);
    searchLayout->addWidget(list, 0, Qt::AlignRight);
    searchLayout->addWidget(resultsLabel);
    searchLayout->addWidget(m_results, 1);
    connect(m_searchWords, &QLineEdit::returnPressed, this, [this] { Search(m_searchWords->text()); });
    connect(list, &QPushButton::clicked, this, [this] { Search(m_searchWords->text()); });
    connect(m_results, &QListWidget::itemActivated, this, &CHelpViewer::OpenSearchResult);
    connect(m_results, &QListWidget::itemClicked, this, &CHelpViewer::OpenSearchResult);

    m_tabs = new QTabWidget(this);
    m_tabs->addTab(m_contents, QStringLiteral("&Contents"));
    m_tabs->addTab(searchPane, QStringLiteral("&Search"));

    auto *splitter = new QSplitter(this);
    splitter->addWidget(m_tabs);
    splitter->addWidget(m_browser);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({240, 660});
    setCentralWidget(splitter);

    auto *bar = addToolBar(QStringLiteral("Help"));
    bar->setObjectName(QStringLiteral("helpToolbar"));
    bar->setMovable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    QAction *back = bar->addAction(style()->standardIcon(QStyle::SP_ArrowBack), QStringLiteral("Back"));
    back->setObjectName(QStringLiteral("helpBack"));
    back->setShortcut(QKeySequence::Back);
    back->setEnabled(false);
    QAction *forward = bar->addAction(style()->standardIcon(QStyle::SP_ArrowForward), QStringLiteral("Forward"));
    forward->setObjectName(QStringLiteral("helpForward"));
    forward->setShortcut(QKeySequence::Forward);
    forward->setEnabled(false);
    QAction *home = bar->addAction(style()->standardIcon(QStyle::SP_DirHomeIcon), QStringLiteral("Home"));
    home->setObjectName(QStringLiteral("helpHome"));
    connect(back, &QAction::triggered, m_browser, &QTextBrowser::backward);
    connect(forward, &QAction::triggered, m_browser, &QTextBrowser::forward);
    connect(home, &QAction::triggered, this, [this] { ShowPage(HelpStartPage()); });
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);

    FillContents();
    resize(960, 680);
}

void CHelpViewer::keyPressEvent(QKeyEvent *event)
{
    // Keys no field of the window wanted.
    if ((event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) || event->matches(QKeySequence::Close)) {
        close();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void CHelpViewer::FillContents()
{
    QList<QTreeWidgetItem *> parents;
    for (const CHelpEntry &entry : ReadHelpContents(m_folder)) {
        parents.resize(qMin(parents.size(), qsizetype(entry.depth)));
        auto *item = parents.isEmpty() ? new QTreeWidgetItem(m_contents) : new QTreeWidgetItem(parents.last());
        item->setText(0, entry.title);
        item->setData(0, Qt::UserRole, entry.page);
        parents.append(item);
    }
    m_contents->expandAll();
}

void CHelpViewer::ShowPage(const QString &page)
{
    const QUrl url = PageUrl(m_folder, page);
    if (url == m_browser->source())
        m_browser->reload();
    else
        m_browser->setSource(url);
    if (url.hasFragment())
        m_browser->scrollToAnchor(url.fragment());
}

QString CHelpViewer::CurrentPage() const
{
    return m_browser->source().fileName();
}

void CHelpViewer::SelectInContents()
{
    const QString file = CurrentPage();
    const QString fragment = m_browser->source().fragment();
    QTreeWidgetItem *best = nullptr;
    for (QTreeWidgetItemIterator it(m_contents); *it; ++it) {
        const QString page = (*it)->data(0, Qt::UserRole).toString();
        if (page.section(u'#', 0, 0) != file)
            continue;
        // The entry for the exact place wins over the page's first entry.
        if (!best || page.section(u'#', 1) == fragment)
            best = *it;
    }
    const QSignalBlocker quiet(m_contents);
    m_contents->setCurrentItem(best);
}

void CHelpViewer::Search(const QString &words)
{
    m_lastSearch = words.simplified();
    m_searchWords->setText(words);
    m_tabs->setCurrentIndex(1);
    m_results->clear();
    for (const CHelpEntry &entry : SearchHelpPages(m_folder, words)) {
        auto *item = new QListWidgetItem(entry.title, m_results);
        item->setData(Qt::UserRole, entry.page);
    }
    if (m_results->count() == 0)
        new QListWidgetItem(QStringLiteral("No topics found."), m_results);
}

void CHelpViewer::OpenSearchResult()
{
    QListWidgetItem *item = m_results->currentItem();
    if (!item || item->data(Qt::UserRole).toString().isEmpty())
        return;
    ShowPage(item->data(Qt::UserRole).toString());
    // Show where the first word stands on the page.
    const QString first = m_lastSearch.section(u' ', 0, 0);
    if (!first.isEmpty()) {
        m_browser->moveCursor(QTextCursor::Start);
        m_browser->find(first);
    }
}
