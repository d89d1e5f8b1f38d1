#pragma once

#include "frame/acceltable.h"

#include <QString>

#include <optional>

class CAcceleratorManager;
class CAddinManager;
class CMainFrame;

// The key of an add-in command's "ShortCutKey" text such as "Ctrl+K": the
// last part names the key, the part before it the modifier ("Ctrl", "Alt"
// or "Shift"; anything else gives the plain key); earlier parts are
// ignored. Nothing for an empty text.
std::optional<CAccelEntry> AddinAccelFromText(const QString &text, unsigned short command);

// Puts the add-ins' commands into the frame's menus (a new top-level menu
// goes before "&Help"), builds a toolbar per add-in that asks for one,
// lists their shortcut keys for RebuildAccelTable, routes their command
// ids to the manager and rebuilds the View menu when toolbars were added.
void MergeAddins(CAddinManager &manager, CMainFrame &frame);

// Every add-in command under its menu text, for the user's shortcut keys; a
// command with a "ShortCutKey" keeps that key locked.
void RegisterAddinCommands(const CAddinManager &addins, CAcceleratorManager &keys);
