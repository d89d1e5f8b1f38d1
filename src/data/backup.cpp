#include "data/backup.h"

#include "base/stringids.h"
#include "base/stringtable.h"
#include "base/uiseam.h"
#include "data/dberror.h"
#include "data/dbuselock.h"
#include "data/filedialogfolder.h"
#include "data/tallywickdata.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

FileFaultHook &FaultHook()
{
    static FileFaultHook hook;
    return hook;
}

const QString kDataFileName = QStringLiteral("TallywickPlus.mdb");
constexpr qint64 kCopyBlock = 5120;

QString StorageMediaText()
{
    return QStringLiteral(
        "Cannot back up to this storage media. You cannot directly back up to a CD. You can back up to hard disk, "
        "floppy diskette, or pendrive. Or else you should back up to a valid folder in hard disk and then write it "
        "to a CD using CD writer. Before backing up, please make sure that the drive is not write protected.");
}

QString SystemText(int error)
{
    return QString::fromLocal8Bit(std::strerror(error)).left(1024);
}

bool IsMediaError(int error)
{
    return error == EACCES || error == EPERM || error == EROFS || error == EIO;
}

// Closes a descriptor when it goes out of scope.
struct FileHandle {
    int fd = -1;
    ~FileHandle()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

bool WriteAll(int fd, const char *data, ssize_t size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size_t(size));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += n;
        size -= n;
    }
    return true;
}

// The copy itself; returns 0 or the errno of the failed step, and the step.
int CopyThroughTemporary(const QString &source, const QString &destination, const QString &temporary, FileStep &step)
{
    step = FileStep::OpenSource;
    FileHandle in;
    if (int fault = InjectedFileFault(step, source))
        return fault;
    in.fd = ::open(QFile::encodeName(source).constData(), O_RDONLY | O_CLOEXEC);
    if (in.fd < 0)
        return errno;

    step = FileStep::CreateTarget;
    FileHandle out;
    if (int fault = InjectedFileFault(step, destination))
        return fault;
    out.fd = ::open(QFile::encodeName(temporary).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (out.fd < 0)
        return errno;

    step = FileStep::Write;
    char block[kCopyBlock];
    for (;;) {
        const ssize_t n = ::read(in.fd, block, sizeof block);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (n == 0)
            break;
        if (!WriteAll(out.fd, block, n))
            return errno;
    }
    if (int fault = InjectedFileFault(step, destination))
        return fault;
    // The copy must be on the disk before it replaces an earlier one.
    if (::fsync(out.fd) != 0)
        return errno;

    step = FileStep::Replace;
    if (int fault = InjectedFileFault(step, destination))
        return fault;
    if (::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(destination).constData()) != 0)
        return errno;
    SyncFolderOf(destination);
    return 0;
}

} // namespace

void SetFileFaultHook(FileFaultHook hook)
{
    FaultHook() = std::move(hook);
}

int InjectedFileFault(FileStep step, const QString &path)
{
    return FaultHook() ? FaultHook()(step, path) : 0;
}

void ThrowSystemError(int error)
{
    throw CFrameworkException(QString::fromLocal8Bit(std::strerror(error)));
}

void FailInjectedStep(FileStep step, const QString &path)
{
    if (const int fault = InjectedFileFault(step, path))
        ThrowSystemError(fault);
}

void SyncFolderOf(const QString &path)
{
    FileHandle folder;
    folder.fd = ::open(QFile::encodeName(QFileInfo(path).absolutePath()).constData(),
                       O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder.fd >= 0)
        ::fsync(folder.fd);
}

QString WithTrailingSlash(const QString &folder)
{
    if (folder.isEmpty() || folder.endsWith(u'/'))
        return folder;
    return folder + u'/';
}

QString BackupTargetIn(const QString &folder)
{
    return WithTrailingSlash(folder) + kDataFileName;
}

bool IsSameDataFile(const QString &a, const QString &b)
{
    // Normalised for the same-place check: no slashes, upper case.
    const auto comparable = [](const QString &path) {
        return QDir::cleanPath(QFileInfo(path).absoluteFilePath()).remove(u'/').toUpper();
    };
    return comparable(a) == comparable(b);
}

bool CopyDataFile(const QString &source, const QString &destination, QObject *owner)
{
    const QFileInfo target(destination);
    const QString temporary = target.absolutePath() + QStringLiteral("/.") + target.fileName() + QStringLiteral(".part");
    FileStep step = FileStep::OpenSource;
    int error = 0;
    try {
        error = CopyThroughTemporary(source, destination, temporary, step);
    } catch (const CFrameworkException &e) {
        QFile::remove(temporary);
        TwkMessageBox(e.Message(), QStringLiteral("Tallywick + "), MB_OK | MB_ICONERROR, owner);
        return false;
    } catch (...) {
        QFile::remove(temporary);
        TwkMessageBox(LoadString(StringId::SomeErrorOccured), QStringLiteral("Tallywick + "), MB_OK | MB_ICONERROR, owner);
        return false;
    }
    if (error == 0)
        return true;
    if (step != FileStep::OpenSource)
        QFile::remove(temporary);
    const bool media = step != FileStep::OpenSource && IsMediaError(error);
    TwkMessageBox(media ? StorageMediaText() : SystemText(error), QStringLiteral("Tallywick + "),
                  MB_OK | MB_ICONERROR, owner);
    return false;
}

bool BackupLogoFile(const CTallywickData &data, const QString &folder, QObject *owner)
{
    const QString logo = data.company.cLogoPath;
    const QString name = logo.mid(logo.lastIndexOf(u'/') + 1);
    return CopyDataFile(logo, folder + name, owner);
}

bool BackupData(CTallywickData &data, QObject *owner)
{
    QString chosen;
    for (;;) {
        chosen = ChooseFolder(owner, QStringLiteral("Select the Backup Folder"));
        if (chosen.isEmpty()) {
            TwkMessageBox(LoadString(StringId::BackupCancelled), QStringLiteral("Tallywick + "), MB_OK, owner);
            return false;
        }
        if (QFileInfo(chosen).isDir())
            break;
        TwkMessageBox(LoadString(StringId::SelectValidBackupFolder), QStringLiteral("Tallywick + "), MB_OK, owner);
    }

    const QString folder = WithTrailingSlash(chosen);
    const QString target = folder + kDataFileName;
    const QString database = data.ResolvedDatabasePath();
    if (IsSameDataFile(target, database)) {
        TwkMessageBox(LoadString(StringId::BackupSamePath), QStringLiteral("Tallywick + "), MB_OK, owner);
        return false;
    }
    if (QFileInfo::exists(target)
        && TwkMessageBox(LoadString(StringId::ReplaceDataFileQuestion), QStringLiteral("Tallywick + "),
                         MB_YESNO | MB_ICONQUESTION, owner)
            != IDYES)
        return false;
    // Renamed over a file another program works in, the copy would cut that
    // program's file loose and its later changes would be lost.
    if (CDbUseLock::InUse(target)) {
        TwkMessageBox(LoadString(StringId::BackupTargetInUse), QStringLiteral("Tallywick + "), MB_OK | MB_ICONEXCLAMATION,
                      owner);
        return false;
    }

    if (!CopyDataFile(database, target, owner)) {
        TwkMessageBox(LoadString(StringId::BackupFailed), QStringLiteral("Tallywick + "), MB_OK, owner);
        return false;
    }
    const bool logoFailed = !data.company.cLogoPath.isEmpty() && !BackupLogoFile(data, folder, owner);
    TwkMessageBox(LoadString(logoFailed ? StringId::BackupLogoFailed : StringId::BackupSuccessful),
                  QStringLiteral("Tallywick + "), MB_OK, owner);
    QDir::setCurrent(data.appFolder);
    return true;
}

void BackupOnClosing(CTallywickData &data, bool printPreviewOpen, QObject *owner)
{
    if (!data.settings.iAutoBackUpDb)
        return;
    // An empty folder would put the copy in the file-system root.
    if (data.settings.cBackUpDbPath.trimmed().isEmpty()) {
        TwkMessageBox(QStringLiteral("The automatic backup was skipped: no backup folder is set. Choose one in "
                                     "the Default Settings."),
                      QStringLiteral("Tallywick + "), MB_OK | MB_ICONEXCLAMATION, owner);
        return;
    }
    const QString folder = WithTrailingSlash(data.settings.cBackUpDbPath);
    // A restored backup may be in use from the backup folder itself: a copy
    // renamed over it would cut the open file loose.
    if (IsSameDataFile(folder + kDataFileName, data.ResolvedDatabasePath()))
        return;
    if (CDbUseLock::InUse(folder + kDataFileName)) {
        TwkMessageBox(LoadString(StringId::BackupTargetInUse), QStringLiteral("Tallywick + "), MB_OK | MB_ICONEXCLAMATION,
                      owner);
        return;
    }
    const bool withLogo = data.settings.iPromptForBackUpDb && !printPreviewOpen && data.loggedIn;
    CopyDataFile(data.ResolvedDatabasePath(), folder + kDataFileName, owner);
    if (withLogo && !data.company.cLogoPath.isEmpty())
        BackupLogoFile(data, folder, owner);
}
