#pragma once

#include <QString>
#include <QStringList>

// The order of the sorted boxes and lists: our own comparison ignoring case,
// not the locale's collation, so every machine sorts alike.
bool LessIgnoringCase(const QString &a, const QString &b);
QStringList SortedIgnoringCase(QStringList items);
// Where a sorted box puts a new entry: after the entries that equal it.
int SortedInsertIndex(const QStringList &sorted, const QString &text);
// The select-string search of a box: the first entry that begins with the
// text, ignoring case; -1 when there is none.
int SelectStringIndex(const QStringList &items, const QString &text);
