#pragma once

#include "base/uiseam.h"

#include <QString>

class QObject;

// Where the file dialogs start: the folder the user last chose a file or a
// folder in (kept in the profile, "Settings", "LastFolder"), else the
// documents folder, else home; the program's own folder (an installed
// program's share folder) only when the user last went there.
QString FileDialogFolder();
// Remembers a chosen folder, or the folder of a chosen file; an empty choice
// (cancelled) changes nothing.
void RememberFileDialogChoice(const QString &chosen);

// The seam's dialogs, started in FileDialogFolder unless the request names a
// folder (a file name with a folder names it too); the choice is
// remembered. Empty when cancelled.
QString ChooseOpenFile(QObject *owner, FileDialogRequest request);
SaveFileChoice ChooseSaveFile(QObject *owner, FileDialogRequest request);
// Starts in `startFolder` when it exists.
QString ChooseFolder(QObject *owner, const QString &title, const QString &startFolder = QString());
