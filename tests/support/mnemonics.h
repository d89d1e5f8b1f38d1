#pragma once

#include <QStringList>

class QWidget;

// The keys that two or more controls of `window` answer to while they can be
// reached at once: mnemonics of buttons, group boxes, labels with a buddy and
// tabs, and window shortcuts. Only what shows on the current page of each
// tab and stack counts; disabled controls count, since they may be enabled.
// One line per clash: the key, then the controls.
QStringList SharedKeys(QWidget *window);

// SharedKeys on every page of every tab widget and stack of `window` in
// turn, each line once.
QStringList SharedKeysOnEveryPage(QWidget *window);
