#pragma once

#include <QString>

#include <functional>

// The two folders a run uses: `files`, where the program's own files are
// read (banner, tips, help pages, the delivered settings file and
// database), and `data`, where everything it writes goes (settings file,
// database, compaction copy, custom report file, the last folder of a file
// dialog). Beside a program that can write its folder both are that folder.
// Installed (the files under <prefix>/share/tallywick) and not writable
// there, the data folder is the user's "$XDG_DATA_HOME/Tallywick", seeded on
// the first start (no settings file there yet) with the delivered settings
// file and database.
struct ProgramFolders {
    QString files;
    QString data;
};

// The folder of the running program's file.
QString ProgramFolder();

// Whether the program may write into a folder; tests answer through it,
// since CI runs as root.
using FolderWritable = std::function<bool(const QString &folder)>;

ProgramFolders ResolveProgramFolders(const QString &programFolder, const FolderWritable &writable = {});

// The installed files' folder relative to the program's folder.
inline const QString kInstalledFiles = QStringLiteral("../share/tallywick");
