#pragma once

#include <QString>

// The settings file beside the program ("TallywickPlus.ini"): plain
// key=value lines under [section] headers, read and written as text so that
// values such as "Provider=...;" keep their exact form.
class CIniFile
{
public:
    explicit CIniFile(QString path = QString());
    void SetPath(const QString &path) { m_path = path; }
    const QString &Path() const { return m_path; }

    // At most 254 characters, as the settings buffer holds; an absent key or
    // file reads as empty text. Throws CFrameworkException when the file
    // exists but cannot be read.
    QString Read(const QString &section, const QString &key) const;
    // False when the file cannot be written; other lines are kept as they are.
    bool Write(const QString &section, const QString &key, const QString &value);

private:
    QString m_path;
};
