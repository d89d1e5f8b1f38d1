#pragma once

#include <QString>

#include <functional>

class CTallywickData;
class QObject;

// The file steps a copy or a compaction can fail at.
enum class FileStep { OpenSource, CreateTarget, Write, Replace, Export, Verify };

// A seam for the file system's failures: when set, called before each step
// with the file it works on; a non-zero errno fails that step as the system
// would. Tests use it for read-only media and interrupted copies.
using FileFaultHook = std::function<int(FileStep step, const QString &path)>;
void SetFileFaultHook(FileFaultHook hook);
int InjectedFileFault(FileStep step, const QString &path);
// Throws the system's text for `error` as a CFrameworkException.
[[noreturn]] void ThrowSystemError(int error);
// Throws as the system would when the seam fails `step`.
void FailInjectedStep(FileStep step, const QString &path);

// Copies `source` to `destination` through a temporary file beside the
// destination that is renamed into place only when complete, so a failed
// copy never destroys an earlier one. Failures are shown; true when copied.
bool CopyDataFile(const QString &source, const QString &destination, QObject *owner = nullptr);

// Flushes the folder holding `path` to the disk, so that a file renamed
// into it is still there after a power failure. Best effort.
void SyncFolderOf(const QString &path);

// Copies the logo of the company record into `folder` (ending in "/") under
// its own file name.
bool BackupLogoFile(const CTallywickData &data, const QString &folder, QObject *owner = nullptr);

// The Backup Data command: asks for a folder, copies the database and the
// logo there. True when the database file was copied.
bool BackupData(CTallywickData &data, QObject *owner = nullptr);

// The automatic backup when the main window closes; does nothing unless
// it is switched on. Shows only failures.
void BackupOnClosing(CTallywickData &data, bool printPreviewOpen, QObject *owner = nullptr);

// "dir" -> "dir/"; an empty folder stays empty.
QString WithTrailingSlash(const QString &folder);

// "TallywickPlus.mdb" inside `folder`: where a backup to that folder goes.
QString BackupTargetIn(const QString &folder);
// Whether two paths name the same file, compared as the backup does: made
// absolute, slashes removed, letter case ignored.
bool IsSameDataFile(const QString &a, const QString &b);
