#pragma once

#include <QStringList>

enum class ServerSwitch { None, Register, Unregister };

// "RegServer" / "UnregServer" after "-" or "/", in any letter case.
ServerSwitch FindServerSwitch(const QStringList &arguments);
