#include "base/stringtable.h"

#include <QFile>
#include <QHash>

namespace {

QString Unescape(QStringView raw)
{
    QString out;
    out.reserve(raw.size());
    for (qsizetype i = 0; i < raw.size(); ++i) {
        const QChar c = raw[i];
        if (c != u'\\' || i + 1 == raw.size()) {
            out += c;
            continue;
        }
        const QChar n = raw[++i];
        if (n == u'n')
            out += u'\n';
        else if (n == u't')
            out += u'\t';
        else
            out += n;
    }
    return out;
}

const QHash<unsigned, QString> &Table()
{
    static const QHash<unsigned, QString> table = [] {
        QHash<unsigned, QString> t;
        QFile f(QStringLiteral(":/twk/strings.txt"));
        if (!f.open(QIODevice::ReadOnly))
            return t;
        const QString all = QString::fromUtf8(f.readAll());
        for (const QStringView line : QStringView(all).split(u'\n')) {
            if (line.isEmpty() || line.startsWith(u'#'))
                continue;
            const qsizetype tab = line.indexOf(u'\t');
            if (tab <= 0)
                continue;
            bool ok = false;
            const unsigned id = line.left(tab).toUInt(&ok);
            if (ok)
                t.insert(id, Unescape(line.mid(tab + 1)));
        }
        return t;
    }();
    return table;
}

} // namespace

QString LoadString(unsigned id)
{
    return Table().value(id);
}

bool HasString(unsigned id)
{
    return Table().contains(id);
}

QString CommandPrompt(unsigned id)
{
    const QString s = LoadString(id);
    const qsizetype nl = s.indexOf(u'\n');
    return nl < 0 ? s : s.left(nl);
}

QString CommandTooltip(unsigned id)
{
    const QString s = LoadString(id);
    const qsizetype nl = s.indexOf(u'\n');
    return nl < 0 ? QString() : s.mid(nl + 1);
}

