#pragma once

#include "data/statementreader.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

// The encoding a CSV file's first bytes suggest: a byte order mark decides;
// bytes that are not UTF-8 mean the Windows code page banks use.
QString GuessCsvEncoding(const QByteArray &head);

// The date format reading every one of `dates`, else the one reading most of
// them.
QString BestDateFormat(const QStringList &dates);

// A first layout for a CSV statement from its rows read without skipping
// (`rows` split with `delimiter`): a heading line is skipped and its names
// place the columns; without one the columns are placed by what they hold.
// The date format is the first that reads every date, the decimal mark the
// one the amounts use.
CCsvLayout GuessCsvColumns(const QList<QStringList> &rows, QChar delimiter, const QString &encoding);

// The whole guess for a file: encoding, delimiter (the one that splits the
// first rows into the same number of columns, most of them), then columns.
// Throws CStatementFileError when the file cannot be read.
CCsvLayout GuessCsvLayout(const QString &path);

// "1: Date", "2: Payee", ... for the column choosers, from the heading row
// when there is one, else from the first record.
QStringList CsvColumnChoices(const QList<QStringList> &rows, int skipLines);
