#pragma once

#include <QList>
#include <QString>

// One menu entry; id 0 is a separator. The text carries the mnemonic ("&")
// and, after "\t", the shortcut text shown at the right.
struct CMenuItemDef {
    unsigned id = 0;
    QString text;
};

struct CMenuDef {
    QString title;
    QList<CMenuItemDef> items;
};

// The menu bar in its fixed order. The Help menu's "Ti&p of the Day" is not
// here: it is inserted when the menu bar is first opened.
const QList<CMenuDef> &MenuBarLayout();

// One main-toolbar position; id 0 is a separator.
struct CToolbarButtonDef {
    unsigned id = 0;
    QString text;
};

// Whether the main toolbar has a Login button: only where a login is asked
// for, by the password screen (mode 0) or a multi-user add-in (mode 2).
bool ToolbarHasLogin(int passwordMode);

// The main toolbar for a password mode.
QList<CToolbarButtonDef> MainToolbarLayout(int passwordMode);
