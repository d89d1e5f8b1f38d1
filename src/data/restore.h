#pragma once

#include <QString>

#include <functional>

class CTallywickData;
class QObject;

// What the Restore Data command needs from the windows above the data layer.
struct RestoreHooks {
    // Status bar pane 0.
    std::function<void(const QString &text)> status;
    // The login against the newly opened file; true when logged in.
    std::function<bool()> login;
};

// The Restore Data command: switches the program to another database file.
// The switch, and the new "DBPath", happen only after the chosen file opened
// and the user logged in to it; otherwise the earlier file stays in use and
// the user is told why. True when switched.
bool RestoreData(CTallywickData &data, const RestoreHooks &hooks, QObject *owner = nullptr);
