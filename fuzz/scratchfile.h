#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

// Readers that take a path get the input through one file in a temporary
// folder, rewritten for every input and removed at exit.
inline QString ScratchFile(const QByteArray &contents, const QString &name = QStringLiteral("input"))
{
    static QTemporaryDir folder;
    const QString path = folder.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(contents) != contents.size())
        std::abort();
    return path;
}
