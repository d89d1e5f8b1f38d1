#pragma once

#include <QString>

// The program's messages, keyed by their fixed numeric ids. Command entries
// hold "prompt\ntooltip".
QString LoadString(unsigned id);
bool HasString(unsigned id);

// The status-bar prompt and the tooltip of a command entry.
QString CommandPrompt(unsigned id);
QString CommandTooltip(unsigned id);

