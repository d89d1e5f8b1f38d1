#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// One "LeafMenu" of an add-in's description.
struct CAddinCommand {
    QStringList menuPath; // outermost menu first, with their "&" mnemonics
    unsigned id = 0;      // handed out by the manager
    QString name;
    QString helpString;
    QString toolTip;
    QString functionName;
    QString shortCutKey;
    QString toolbarText;
    int toolBarIndex = -1;
    int separator = 0;
};

struct CAddinDescription {
    QString name;
    int toolbarButtonCount = 0;
    QList<CAddinCommand> commands;
};

// The description's version this program reads.
constexpr int kAddinDescriptionVersion = 2;

// Either the description, or the string id of the reason it was rejected
// (61549 to 61554).
struct CAddinDescriptionResult {
    CAddinDescription description;
    unsigned error = 0;
    bool ok() const { return error == 0; }
};

CAddinDescriptionResult ParseAddinDescription(const QString &xml);

// "&" put into `name` before the character at `index`; unchanged when the
// index lies beyond the end.
QString InsertMnemonic(const QString &name, int index);
