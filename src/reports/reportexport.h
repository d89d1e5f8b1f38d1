#pragma once

#include "base/uiseam.h"

#include <QByteArray>
#include <QString>

class CGridCellModel;
class QObject;

// Writing what the report grid holds to a file: column-aligned text or
// comma-separated values, UTF-8, lines ending in carriage return and line
// feed. The formats read only the cell texts, so every report exports alike.
namespace ReportExport {

enum class Format { Text, Csv };
enum class Outcome { Cancelled, Written, Failed };

inline const QString kDefaultName = QStringLiteral("TWK-Report");
inline const QString kFilter = QStringLiteral("Text File (*.txt)|*.txt|CSV File (*.csv)|*.csv||");

// Only an extension of exactly "csv" gives CSV; "report.CSV" is text.
Format FormatFor(const QString &path);

// Every row and column, the widest cell of each column followed by one
// blank, the line led by one blank; widths are displayed widths, and a cell
// the grid right-aligns (or centres) is padded on the left (on both sides).
// An empty grid gives no bytes.
QByteArray TextBytes(const CGridCellModel &grid);
// Every row, its cells joined by ",".
QByteArray CsvBytes(const CGridCellModel &grid);
// A field holding a comma, a quote or a line break is quoted, its quotes
// doubled; any other is written as it stands, except one a spreadsheet
// would run as a formula, which is quoted behind an apostrophe.
QString CsvField(const QString &text);
// A text beginning "=", "+", "-", "@", a tab or a carriage return, unless it
// is a plain number such as -16.57 or a rule of "=" alone.
bool RunsAsFormula(const QString &text);

// The save dialog (through the UI seam) until a new file or a confirmed
// replacement is chosen; a name without a suffix gets the one of the filter
// chosen. Empty when cancelled.
QString ChooseExportPath(FileDialogRequest request, QObject *owner);

// Asks for the file (through the UI seam), confirms replacing an existing
// one and writes it; failures are shown as message boxes.
Outcome Run(const CGridCellModel &grid, QObject *owner = nullptr);
// Writes the chosen file in the format its name gives.
Outcome WriteFile(const CGridCellModel &grid, const QString &path, QObject *owner = nullptr);

} // namespace ReportExport
