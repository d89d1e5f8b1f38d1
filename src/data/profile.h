#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// The per-user profile: organisation "Norwend", application "Tallywick + ",
// kept by QSettings (an INI file under $XDG_CONFIG_HOME on Linux).
int GetProfileInt(const QString &section, const QString &entry, int defaultValue);
QString GetProfileString(const QString &section, const QString &entry, const QString &defaultValue = QString());
bool WriteProfileInt(const QString &section, const QString &entry, int value);
bool WriteProfileString(const QString &section, const QString &entry, const QString &value);
bool RemoveProfileEntry(const QString &section, const QString &entry);
bool HasProfileEntry(const QString &section, const QString &entry);
// The names of the sections directly under `section` (registry subkeys).
QStringList ProfileSubsections(const QString &section);
// A binary value; nothing when it is absent or not binary.
std::optional<QByteArray> GetProfileBinary(const QString &section, const QString &entry);
bool WriteProfileBinary(const QString &section, const QString &entry, const QByteArray &value);

// Answers whether a write (or removal) of "section/entry" may go ahead; a
// refused one fails as a failed write does. Tests refuse through it, since
// they run as root and a read-only profile would still be written.
using ProfileWriteGate = std::function<bool(const QString &key)>;
void SetProfileWriteGate(ProfileWriteGate gate);
