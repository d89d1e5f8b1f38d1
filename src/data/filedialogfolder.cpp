#include "data/filedialogfolder.h"

#include "data/profile.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

const QString kSection = QStringLiteral("Settings");
const QString kEntry = QStringLiteral("LastFolder");

bool IsFolder(const QString &path)
{
    return !path.isEmpty() && QFileInfo(path).isDir();
}

// A name with a folder in it moves the folder into the request.
FileDialogRequest StartedWhereTheUserWas(FileDialogRequest request)
{
    if (!request.fileName.isEmpty() && request.fileName.contains(u'/')) {
        const QFileInfo named(request.fileName);
        if (request.directory.isEmpty() && IsFolder(named.absolutePath()))
            request.directory = named.absolutePath();
        request.fileName = named.fileName();
    }
    if (!IsFolder(request.directory))
        request.directory = FileDialogFolder();
    return request;
}

} // namespace

QString FileDialogFolder()
{
    const QString last = GetProfileString(kSection, kEntry);
    if (IsFolder(last))
        return QDir::cleanPath(last);
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (IsFolder(documents))
        return QDir::cleanPath(documents);
    return QDir::homePath();
}

void RememberFileDialogChoice(const QString &chosen)
{
    if (chosen.isEmpty())
        return;
    const QFileInfo info(chosen);
    const QString folder = info.isDir() ? info.absoluteFilePath() : info.absolutePath();
    // A profile that cannot be written only loses the convenience.
    WriteProfileString(kSection, kEntry, QDir::cleanPath(folder));
}

QString ChooseOpenFile(QObject *owner, FileDialogRequest request)
{
    const QString chosen = UiSeam().OpenFileName(owner, StartedWhereTheUserWas(std::move(request)));
    RememberFileDialogChoice(chosen);
    return chosen;
}

SaveFileChoice ChooseSaveFile(QObject *owner, FileDialogRequest request)
{
    const SaveFileChoice chosen = UiSeam().SaveFile(owner, StartedWhereTheUserWas(std::move(request)));
    RememberFileDialogChoice(chosen.path);
    return chosen;
}

QString ChooseFolder(QObject *owner, const QString &title, const QString &startFolder)
{
    const QString chosen = UiSeam().BrowseFolder(owner, title, IsFolder(startFolder) ? startFolder : FileDialogFolder());
    RememberFileDialogChoice(chosen);
    return chosen;
}
