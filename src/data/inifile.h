#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

// The settings file beside the program ("TallywickPlus.ini"): plain
// key=value lines under [section] headers, read and written as text so that
// values such as "Provider=...;" keep their exact form.
class CIniFile
{
public:
    explicit CIniFile(QString path = QString());
    void SetPath(const QString &path) { m_path = path; }
    const QString &Path() const { return m_path; }

    // The whole value, however long (a deep database path must survive); an
    // absent key or file reads as empty text. Throws CFrameworkException when
    // the file exists but cannot be read.
    QString Read(const QString &section, const QString &key) const;
    // False when the file cannot be written; other lines are kept as they are.
    bool Write(const QString &section, const QString &key, const QString &value);

    // Replaces the whole file with `contents`; true when it was written. Tests
    // put a failing one here: CI runs as root, so permissions cannot fail.
    std::function<bool(const QString &path, const QByteArray &contents)> save;

private:
    QString m_path;
};
