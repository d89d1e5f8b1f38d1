#include "reports/reportexport.h"

#include "base/displaywidth.h"
#include "base/stringids.h"
#include "base/stringtable.h"
#include "base/uiseam.h"
#include "controls/drawtextflags.h"
#include "controls/gridcellmodel.h"
#include "data/filedialogfolder.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>

#include <vector>

namespace ReportExport {

namespace {

constexpr QStringView kLineEnd = u"\r\n";

QString ReplaceQuestion(const QString &path)
{
    return QStringLiteral("%1 already exists.\nDo you want to replace it?").arg(path);
}

} // namespace

Format FormatFor(const QString &path)
{
    return QFileInfo(path).suffix() == u"csv" ? Format::Csv : Format::Text;
}

QByteArray TextBytes(const CGridCellModel &grid)
{
    const int rows = grid.GetRowCount();
    const int cols = grid.GetColumnCount();
    if (rows == 0 && cols == 0)
        return {};
    // Widths as a fixed-width font shows them, so accents written as
    // combining marks and wide characters keep the columns straight.
    std::vector<int> widths(std::size_t(cols), 0);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c)
            widths[std::size_t(c)] = qMax(widths[std::size_t(c)], DisplayWidth(grid.GetItemText(r, c)));
    }
    qsizetype lineWidth = 1;
    for (const int w : widths)
        lineWidth += w + 1;
    QString out;
    out.reserve(rows * (lineWidth + 2));
    for (int r = 0; r < rows; ++r) {
        out += u' ';
        for (int c = 0; c < cols; ++c) {
            const QString text = grid.GetItemText(r, c);
            const int room = widths[std::size_t(c)] - DisplayWidth(text);
            // Placed in its column as the grid places it, so amounts end on
            // the same column and their decimal points line up.
            const unsigned format = grid.GetItemFormat(r, c);
            const int before = (format & DT_CENTER) ? room / 2 : (format & DT_RIGHT) ? room : 0;
            out += QString(before, u' ');
            out += text;
            out += QString(room - before + 1, u' ');
        }
        out += kLineEnd;
    }
    return out.toUtf8();
}

bool RunsAsFormula(const QString &text)
{
    static const QRegularExpression number(QStringLiteral("^-?[0-9]+(\\.[0-9]+)?$"));
    static const QRegularExpression equalsRule(QStringLiteral("^=+$"));
    if (text.isEmpty())
        return false;
    const QChar first = text.front();
    const bool trigger = first == u'=' || first == u'+' || first == u'-' || first == u'@' || first == u'\t'
                         || first == u'\r';
    // An amount is read as the number it is; a rule of "=" alone names
    // nothing a spreadsheet could run.
    return trigger && !number.match(text).hasMatch() && !equalsRule.match(text).hasMatch();
}

QString CsvField(const QString &text)
{
    const bool formula = RunsAsFormula(text);
    const bool quoted = formula || text.contains(u',') || text.contains(u'"') || text.contains(u'\n')
                        || text.contains(u'\r');
    if (!quoted)
        return text;
    QString field = text;
    field.replace(u'"', QStringLiteral("\"\""));
    // The apostrophe makes a spreadsheet take the rest as text.
    return (formula ? QStringLiteral("\"'") : QStringLiteral("\"")) + field + u'"';
}

QByteArray CsvBytes(const CGridCellModel &grid)
{
    const int rows = grid.GetRowCount();
    const int cols = grid.GetColumnCount();
    QString out;
    out.reserve(qsizetype(rows) * (cols * 8 + 2));
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c) {
            if (c > 0)
                out += u',';
            out += CsvField(grid.GetItemText(r, c));
        }
        out += kLineEnd;
    }
    return out.toUtf8();
}

Outcome WriteFile(const CGridCellModel &grid, const QString &path, QObject *owner)
{
    const Format format = FormatFor(path);
    // Written beside the target and put in place at the end, so a failure
    // never leaves a half-written file over an earlier export.
    QSaveFile file(path);
    const auto failed = [&] {
        // CSV shows the system's own text, text files the fixed message.
        TwkMessageBox(format == Format::Csv ? file.errorString().left(1024) : LoadString(StringId::CannotSaveToMedia),
                      QStringLiteral("Tallywick + "), MB_OK, owner);
        return Outcome::Failed;
    };
    if (!file.open(QIODevice::WriteOnly))
        return failed();
    const QByteArray bytes = format == Format::Csv ? CsvBytes(grid) : TextBytes(grid);
    if (file.write(bytes) != bytes.size() || !file.commit())
        return failed();
    return Outcome::Written;
}

QString ChooseExportPath(FileDialogRequest request, QObject *owner)
{
    request.title = QStringLiteral("Save As");
    for (;;) {
        const SaveFileChoice choice = ChooseSaveFile(owner, request);
        // A bare name takes the suffix of the filter chosen with it.
        const QString path = WithDefaultSuffix(choice.path, request, choice.filter);
        if (path.isEmpty())
            return {};
        // As the save dialog does: No brings the dialog back.
        if (QFileInfo::exists(path)
            && TwkMessageBox(ReplaceQuestion(path), QStringLiteral("Save As"), MB_YESNO | MB_ICONEXCLAMATION, owner)
                   != IDYES) {
            request.fileName = QFileInfo(path).fileName();
            request.directory = QFileInfo(path).absolutePath();
            continue;
        }
        return path;
    }
}

Outcome Run(const CGridCellModel &grid, QObject *owner)
{
    FileDialogRequest request;
    request.filter = kFilter;
    request.fileName = kDefaultName;
    request.defaultExtension = QStringLiteral("txt");
    const QString path = ChooseExportPath(request, owner);
    return path.isEmpty() ? Outcome::Cancelled : WriteFile(grid, path, owner);
}

} // namespace ReportExport
