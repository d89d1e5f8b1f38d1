#include "controls/gridbound.h"

// The texts spell the figures out.
static_assert(CGridBound::kMaxRows == 1'000'000 && CGridBound::kMaxColumns == 1'000 && CGridBound::kMaxCells == 2'000'000
              && CGridBound::kMaxCellSize == 2'000);

namespace {

QString Limits()
{
    return QStringLiteral("at most 1,000,000 rows, 1,000 columns and 2,000,000 cells");
}

} // namespace

QString CGridBound::Refusal(qint64 rows, qint64 cols)
{
    if (rows <= kMaxRows && cols <= kMaxColumns && rows * cols <= kMaxCells)
        return {};
    return QStringLiteral("A grid of %1 rows by %2 columns is too large: the report grid holds %3.")
        .arg(rows)
        .arg(cols)
        .arg(Limits());
}

QString CGridBound::SizeRefusal(qint64 pixels)
{
    if (pixels <= kMaxCellSize)
        return {};
    return QStringLiteral("A row height or column width of %1 pixels is too large: at most 2,000.").arg(pixels);
}
