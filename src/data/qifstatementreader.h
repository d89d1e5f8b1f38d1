#pragma once

#include "data/statementreader.h"

#include <QFile>

// The entries of a QIF file's bank, cash and credit-card accounts, read line
// by line. Entries of other account types (investments, lists) are passed
// over. Each line is read as UTF-8, or as Windows-1252 when it is not UTF-8.
class CQifStatementReader : public IStatementReader
{
public:
    // Throws CStatementFileError when the file cannot be opened or does not
    // start like a QIF file.
    explicit CQifStatementReader(const QString &path);
    bool Next(CStatementLine &line) override;

private:
    bool ReadLine(QString &text);

    QString m_path;
    QFile m_file;
    qint64 m_lineNumber = 0;
    bool m_inAccount = false;
    bool m_sawAccount = false;
};

// A QIF date: month first, the year after "/" or "'" with two or four digits
// ("1/31'26", "01/31/2026", " 1/ 5'26"), day first with dots ("31.01.2026"),
// or "YYYY-MM-DD". Invalid when it is none of them.
QDate ParseQifDate(const QString &text);
// A QIF amount: a decimal point with comma thousands, unless the last mark
// is a comma followed by one or two digits.
std::optional<double> ParseQifAmount(const QString &text);
