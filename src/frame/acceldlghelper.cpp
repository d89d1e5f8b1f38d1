#include "frame/acceldlghelper.h"

#include "frame/acceleratormanager.h"

#include <algorithm>

QList<CAccelDlgHelper::CommandRow> CAccelDlgHelper::CommandRows() const
{
    QList<CommandRow> rows;
    for (const CAccelCommand &command : m_manager.Commands())
        rows << CommandRow{command.name, command.id};
    std::stable_sort(rows.begin(), rows.end(), [](const CommandRow &a, const CommandRow &b) {
        return QString::compare(a.name, b.name, Qt::CaseInsensitive) < 0;
    });
    return rows;
}

QList<CAccelItem> CAccelDlgHelper::KeysOf(unsigned short id) const
{
    const CAccelCommand *command = m_manager.Command(id);
    if (!command)
        return {};
    QList<CAccelItem> keys = command->keys;
    std::stable_sort(keys.begin(), keys.end(),
                     [](const CAccelItem &a, const CAccelItem &b) { return a.Text() < b.Text(); });
    return keys;
}

CAccelDlgHelper::AssignResult CAccelDlgHelper::Assign(unsigned short id, CVirtualKey combination)
{
    AssignResult result;
    result.key = CAccelItem{static_cast<unsigned char>(FVIRTKEY | (combination.fVirt & kModifierFlags)), combination.key,
                            false};
    for (const CReservedKey &reserved : m_reserved) {
        if (result.key.SameKey(CAccelItem{reserved.key.fVirt, reserved.key.key, false})) {
            result.outcome = Assigned::Reserved;
            result.owner = reserved.owner;
            return result;
        }
    }
    // A key belongs to one command only.
    if (const CAccelCommand *owner = m_manager.OwnerOf(result.key)) {
        result.outcome = Assigned::Taken;
        result.owner = owner->name;
        return result;
    }
    if (!m_manager.Command(id))
        return result;
    // A key without a name could not be shown, nor read back after a restart.
    if (VirtualKeyName(result.key.key).isEmpty()) {
        result.outcome = Assigned::Unnamed;
        return result;
    }
    m_manager.AddKey(id, result.key);
    result.outcome = Assigned::Done;
    return result;
}

CAccelDlgHelper::Removed CAccelDlgHelper::Remove(unsigned short id, const CAccelItem &key)
{
    const CAccelCommand *command = m_manager.Command(id);
    if (!command)
        return Removed::LookupFailed;
    const auto found = std::find_if(command->keys.cbegin(), command->keys.cend(),
                                    [&key](const CAccelItem &k) { return k.SameKey(key); });
    if (found == command->keys.cend())
        return Removed::KeyUnavailable;
    if (found->locked)
        return Removed::Locked;
    m_manager.RemoveKey(id, key);
    return Removed::Done;
}

void CAccelDlgHelper::ResetAll()
{
    m_manager.ResetToSnapshot();
}

bool CAccelDlgHelper::CanReset() const
{
    return m_manager.HasResetSnapshot();
}
