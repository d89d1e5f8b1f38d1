#pragma once

#include <QByteArrayView>
#include <QDate>
#include <QString>

#include <optional>

// Reading the amounts and dates of bank statements. Nothing here looks at the
// desktop locale: a statement's conventions are those of its bank.

// An amount as banks write it: decimal comma or point, thousands separators
// (point or comma, apostrophe, spaces), a currency sign or code before or
// after, a leading or trailing minus, or parentheses for money out. Nothing
// when the text is no amount under that decimal mark, so a file read with the
// wrong one does not pass silently.
std::optional<double> ParseStatementAmount(const QString &text, bool decimalComma);

// A date in one of CsvDateFormats() ("DD.MM.YYYY", ...). Day and month may
// have one digit; the year has exactly the digits the format gives. An
// invalid QDate when the text is not such a date.
QDate ParseStatementDate(const QString &text, const QString &format);

// The century of a two-digit year: 00-69 are 2000-2069, 70-99 1970-1999.
int ExpandTwoDigitYear(int year);

// Windows-1252 bytes as text: Latin-1 with the printable characters banks'
// exports put at 0x80-0x9F (euro sign, dashes, quotes).
QString DecodeWindows1252(QByteArrayView bytes);
