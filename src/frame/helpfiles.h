#pragma once

#include <QList>
#include <QString>

// The help pages beside the program: "help/" holds one HTML page per topic
// and "contents.txt", the table of contents. A topic is named the way the
// program has always named it: "TallywickPlus.chm" for the start page,
// "TallywickPlus.chm::/SetupMenu.htm" for one page.

struct CHelpEntry {
    QString title;
    QString page; // file name inside the help folder, maybe with "#anchor"
    int depth = 0;
};

// The start page of the help.
QString HelpStartPage();

// The page file a topic opens, with its anchor kept ("#..."); empty when the
// topic names no page that exists.
QString HelpPageForTopic(const QString &helpFolder, const QString &topic);

// "contents.txt": one entry a line, "Title<TAB>Page.htm", each leading tab
// one level deeper; blank lines and lines starting with "#" are skipped.
QList<CHelpEntry> ReadHelpContents(const QString &helpFolder);

// The pages whose text holds every word of `query`, in the order of the
// contents, then any other pages by title. Case is ignored.
QList<CHelpEntry> SearchHelpPages(const QString &helpFolder, const QString &query);

// The text of a page's <title>.
QString HelpPageTitle(const QString &html);
