#pragma once

#include <QString>

// Points HOME, the XDG folders and the system configuration folders into
// `root`, turns off the session bus and selects the headless platform, so a
// test or gallery run never reads or writes the real user's files. Call it
// before the QApplication is made.
void UseThrowAwayProfile(const QString &root);
