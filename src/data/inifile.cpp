#include "data/inifile.h"

#include "data/dberror.h"

#include <QFile>
#include <QSaveFile>
#include <QStringList>

namespace {

bool IsSection(const QString &line, const QString &section)
{
    const QString t = line.trimmed();
    return t.startsWith(u'[') && t.endsWith(u']') && t.mid(1, t.size() - 2).trimmed().compare(section, Qt::CaseInsensitive) == 0;
}

bool IsKey(const QString &line, const QString &key, QString *value = nullptr)
{
    const qsizetype eq = line.indexOf(u'=');
    if (eq <= 0 || line.left(eq).trimmed().compare(key, Qt::CaseInsensitive) != 0)
        return false;
    if (value)
        *value = line.mid(eq + 1).trimmed();
    return true;
}

} // namespace

CIniFile::CIniFile(QString path)
    : save([](const QString &target, const QByteArray &contents) {
          QSaveFile file(target);
          return file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size() && file.commit();
      })
    , m_path(std::move(path))
{
}

QString CIniFile::Read(const QString &section, const QString &key) const
{
    QFile file(m_path);
    if (!file.exists())
        return {};
    if (!file.open(QIODevice::ReadOnly))
        throw CFrameworkException(QStringLiteral("Cannot read the settings file %1.").arg(m_path));
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    bool inSection = false;
    for (QString line : lines) {
        line.remove(u'\r');
        if (line.trimmed().startsWith(u'[')) {
            inSection = IsSection(line, section);
            continue;
        }
        QString value;
        if (inSection && IsKey(line, key, &value)) {
            if (value.size() >= 2 && ((value.startsWith(u'"') && value.endsWith(u'"'))
                                      || (value.startsWith(u'\'') && value.endsWith(u'\''))))
                value = value.mid(1, value.size() - 2);
            return value;
        }
    }
    return {};
}

bool CIniFile::Write(const QString &section, const QString &key, const QString &value)
{
    QStringList lines;
    QFile existing(m_path);
    if (existing.exists()) {
        if (!existing.open(QIODevice::ReadOnly))
            return false;
        lines = QString::fromUtf8(existing.readAll()).split(u'\n');
        existing.close();
        if (!lines.isEmpty() && lines.last().isEmpty())
            lines.removeLast();
        for (QString &l : lines)
            l.remove(u'\r');
    }
    const QString entry = key + u'=' + value;
    qsizetype sectionAt = -1;
    qsizetype insertAt = -1;
    bool done = false;
    for (qsizetype i = 0; i < lines.size() && !done; ++i) {
        if (lines[i].trimmed().startsWith(u'[')) {
            if (sectionAt >= 0)
                break;
            if (IsSection(lines[i], section)) {
                sectionAt = i;
                insertAt = i + 1;
            }
            continue;
        }
        if (sectionAt >= 0) {
            if (IsKey(lines[i], key)) {
                lines[i] = entry;
                done = true;
            } else if (!lines[i].trimmed().isEmpty()) {
                insertAt = i + 1;
            }
        }
    }
    if (!done) {
        if (sectionAt < 0) {
            if (!lines.isEmpty() && !lines.last().trimmed().isEmpty())
                lines << QString();
            lines << u'[' + section + u']' << entry;
        } else {
            lines.insert(insertAt, entry);
        }
    }
    return save(m_path, (lines.join(u'\n') + u'\n').toUtf8());
}
