#pragma once

#include <QStringList>

enum class ServerSwitch { None, Register, Unregister };

// "RegServer" / "UnregServer" after "-" or "/", in any letter case.
ServerSwitch FindServerSwitch(const QStringList &arguments);

// Started by the bus (or another system service) for automation:
// "Automation" or "Embedding" after "-" or "/", in any letter case.
bool IsAutomationStart(const QStringList &arguments);
