#include "frame/helpfiles.h"

#include <algorithm>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QTextDocument>

namespace {

QString ReadUtf8(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(f.readAll());
}

QString PlainText(const QString &html)
{
    QTextDocument doc;
    doc.setHtml(html);
    return doc.toPlainText();
}

QString FileOf(const QString &page)
{
    return page.section(u'#', 0, 0);
}

} // namespace

QString HelpStartPage()
{
    return QStringLiteral("index.htm");
}

QString HelpPageForTopic(const QString &helpFolder, const QString &topic)
{
    // Everything before "::" names the help file; there is only the one.
    const qsizetype separator = topic.indexOf(QStringLiteral("::"));
    QString page = separator < 0 ? HelpStartPage() : topic.mid(separator + 2);
    while (page.startsWith(u'/') || page.startsWith(u'\\'))
        page.remove(0, 1);
    if (page.isEmpty())
        page = HelpStartPage();
    // A topic never leaves the help folder.
    const QString file = FileOf(page);
    if (file.contains(u'/') || file.contains(u'\\') || file.isEmpty())
        return QString();
    return QFileInfo(QDir(helpFolder).filePath(file)).isFile() ? page : QString();
}

QList<CHelpEntry> ReadHelpContents(const QString &helpFolder)
{
    QList<CHelpEntry> entries;
    const QStringList lines = ReadUtf8(QDir(helpFolder).filePath(QStringLiteral("contents.txt"))).split(u'\n');
    for (QString line : lines) {
        line.remove(u'\r');
        int depth = 0;
        while (depth < line.size() && line.at(depth) == u'\t')
            ++depth;
        const QString rest = line.mid(depth);
        if (rest.trimmed().isEmpty() || rest.startsWith(u'#'))
            continue;
        entries.append({rest.section(u'\t', 0, 0).trimmed(), rest.section(u'\t', 1).trimmed(), depth});
    }
    return entries;
}

QString HelpPageTitle(const QString &html)
{
    static const QRegularExpression title(QStringLiteral("<title>(.*?)</title>"),
                                          QRegularExpression::CaseInsensitiveOption |
                                              QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch m = title.match(html);
    return m.hasMatch() ? PlainText(m.captured(1)).simplified() : QString();
}

QList<CHelpEntry> SearchHelpPages(const QString &helpFolder, const QString &query)
{
    const QStringList words = query.simplified().split(u' ', Qt::SkipEmptyParts);
    if (words.isEmpty())
        return {};
    // Contents order first, anchors dropped: a page is listed once.
    QStringList order;
    for (const CHelpEntry &e : ReadHelpContents(helpFolder)) {
        if (!order.contains(FileOf(e.page)))
            order << FileOf(e.page);
    }
    QStringList others = QDir(helpFolder).entryList({QStringLiteral("*.htm"), QStringLiteral("*.html")}, QDir::Files);
    QList<CHelpEntry> found;
    QList<CHelpEntry> unlisted;
    QSet<QString> seen;
    for (const QString &file : order + others) {
        if (seen.contains(file))
            continue;
        seen.insert(file);
        const QString html = ReadUtf8(QDir(helpFolder).filePath(file));
        const QString text = PlainText(html);
        const bool all = std::all_of(words.cbegin(), words.cend(),
                                     [&](const QString &w) { return text.contains(w, Qt::CaseInsensitive); });
        if (html.isEmpty() || !all)
            continue;
        CHelpEntry entry{HelpPageTitle(html), file, 0};
        if (entry.title.isEmpty())
            entry.title = file;
        (order.contains(file) ? found : unlisted).append(entry);
    }
    std::sort(unlisted.begin(), unlisted.end(),
              [](const CHelpEntry &a, const CHelpEntry &b) { return a.title.compare(b.title, Qt::CaseInsensitive) < 0; });
    return found + unlisted;
}
