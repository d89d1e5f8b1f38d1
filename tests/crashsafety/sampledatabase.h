#pragma once

#include <QString>

// Why a file is not whole: it does not open with the key, fails its
// integrity check, or is neither of the states a change may leave.
struct BrokenFile {
    QString why;
};

// A keyed database of `rows` transactions over five units ("Unit 0".."Unit 4",
// also the company's units), forty categories ("Category 0".."Category 39",
// the first ten incomes) and the years 2015-2026, with a reminder for every
// hundred transactions. The rows follow from their number alone, so two
// files of one size hold the same data. Empty text on success, else why not.
QString MakeSampleDatabase(const QString &path, long rows);

// Number, count and cents of the rows, the category and unit lists and the
// reminders: equal for two files exactly when they hold the same records.
// Throws BrokenFile when the file does not open with the key or fails its
// integrity check.
QString DatabaseState(const QString &path);

// The SHA-1 of the file's bytes, as hex; empty when it cannot be read.
QString FileDigest(const QString &path);
