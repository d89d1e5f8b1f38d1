#include "data/programfolders.h"

#include "data/dbschema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

QString ProgramFolder()
{
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath().section(u'/', 0, -2);
}

ProgramFolders ResolveProgramFolders(const QString &programFolder, const FolderWritable &writable)
{
    ProgramFolders folders;
    const QDir installed(QDir(programFolder).filePath(kInstalledFiles));
    folders.files = installed.exists(QStringLiteral("TallywickPlus.ini")) ? installed.absolutePath()
                                                                          : QDir(programFolder).absolutePath();
    const bool canWrite = writable ? writable(folders.files) : QFileInfo(folders.files).isWritable();
    if (canWrite) {
        folders.data = folders.files;
        return folders;
    }
    // $XDG_DATA_HOME, else ~/.local/share: the generic folder, not one named
    // after the application object, so the command line finds the same one.
    folders.data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/Tallywick");
    QDir().mkpath(folders.data);
    // Seeded on the first start only, when the settings file is missing: a
    // database that went missing later must be asked for, not replaced by
    // an empty one.
    const QDir data(folders.data);
    const QString ini = QStringLiteral("TallywickPlus.ini");
    if (!data.exists(ini)) {
        if (!data.exists(kDbFileName))
            QFile::copy(QDir(folders.files).filePath(kDbFileName), data.filePath(kDbFileName));
        QFile::copy(QDir(folders.files).filePath(ini), data.filePath(ini));
    }
    return folders;
}
