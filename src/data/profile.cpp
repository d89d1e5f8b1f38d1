#include "data/profile.h"

#include <QSettings>

namespace {

ProfileWriteGate g_writeGate;

QSettings Profile()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Norwend"),
                     QStringLiteral("Tallywick + "));
}

QString Key(const QString &section, const QString &entry)
{
    return section + u'/' + entry;
}

bool Sync(QSettings &s)
{
    s.sync();
    return s.status() == QSettings::NoError;
}

bool MayWrite(const QString &section, const QString &entry)
{
    return !g_writeGate || g_writeGate(Key(section, entry));
}

} // namespace

void SetProfileWriteGate(ProfileWriteGate gate)
{
    g_writeGate = std::move(gate);
}

int GetProfileInt(const QString &section, const QString &entry, int defaultValue)
{
    const QVariant v = Profile().value(Key(section, entry));
    bool ok = false;
    const int n = v.toInt(&ok);
    return ok ? n : defaultValue;
}

QString GetProfileString(const QString &section, const QString &entry, const QString &defaultValue)
{
    const QVariant v = Profile().value(Key(section, entry));
    return v.isValid() ? v.toString() : defaultValue;
}

bool WriteProfileInt(const QString &section, const QString &entry, int value)
{
    if (!MayWrite(section, entry))
        return false;
    QSettings s = Profile();
    s.setValue(Key(section, entry), value);
    return Sync(s);
}

bool WriteProfileString(const QString &section, const QString &entry, const QString &value)
{
    if (!MayWrite(section, entry))
        return false;
    QSettings s = Profile();
    s.setValue(Key(section, entry), value);
    return Sync(s);
}

bool RemoveProfileEntry(const QString &section, const QString &entry)
{
    if (!MayWrite(section, entry))
        return false;
    QSettings s = Profile();
    s.remove(Key(section, entry));
    return Sync(s);
}

bool HasProfileEntry(const QString &section, const QString &entry)
{
    return Profile().contains(Key(section, entry));
}

QStringList ProfileSubsections(const QString &section)
{
    QSettings s = Profile();
    s.beginGroup(section);
    return s.childGroups();
}

std::optional<QByteArray> GetProfileBinary(const QString &section, const QString &entry)
{
    const QVariant v = Profile().value(Key(section, entry));
    if (v.typeId() != QMetaType::QByteArray)
        return std::nullopt;
    return v.toByteArray();
}

bool WriteProfileBinary(const QString &section, const QString &entry, const QByteArray &value)
{
    if (!MayWrite(section, entry))
        return false;
    QSettings s = Profile();
    s.setValue(Key(section, entry), value);
    return Sync(s);
}
