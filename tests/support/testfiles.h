#pragma once

#include <gtest/gtest.h>

#include <QFile>
#include <QString>

// Whole-file reads and writes for fixtures. A file that cannot be read reads
// as "<missing>"; one that cannot be written fails the test.
inline QByteArray ReadBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

inline QString ReadText(const QString &path)
{
    return QString::fromUtf8(ReadBytes(path));
}

inline void WriteBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    f.write(bytes);
}

inline void WriteText(const QString &path, const QString &text)
{
    WriteBytes(path, text.toUtf8());
}
