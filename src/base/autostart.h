#pragma once

#include <QString>

// The run-at-start-up entry: a freedesktop autostart file named after the
// value ("NRWLBApp.desktop"), for the current user or for all users. The
// all-users folder needs rights; a failed write returns false.
QString AutostartFolder(bool allUsers);
bool SetRunAtStartup(const QString &valueName, bool allUsers, const QString &executable = QString());
bool RemoveRunAtStartup(const QString &valueName, bool allUsers);
bool IsRunAtStartup(const QString &valueName = QStringLiteral("NRWLBApp"), bool allUsers = true);

// The Exec value that starts `program` with no arguments, quoted and escaped
// as desktop entries require.
QString DesktopExecValue(const QString &program);
