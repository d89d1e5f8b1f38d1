// Stand-in for the statement readers until their branch is merged: the
// engine links and its tests run on lines they build themselves.
#include "data/statementreader.h"

QString CStatementLine::Description() const
{
    const QString name = payee.trimmed();
    const QString note = memo.trimmed();
    if (note.isEmpty() || note == name)
        return name;
    if (name.isEmpty() || note.startsWith(name, Qt::CaseInsensitive))
        return note;
    return name + QStringLiteral(" - ") + note;
}

QString CCsvLayout::Problem() const
{
    return {};
}

QString CCsvLayout::ToText() const
{
    return {};
}

std::optional<CCsvLayout> CCsvLayout::FromText(const QString &)
{
    return std::nullopt;
}

QStringList CsvDateFormats()
{
    return {QStringLiteral("MM/DD/YYYY"), QStringLiteral("DD/MM/YYYY"), QStringLiteral("YYYY-MM-DD"),
            QStringLiteral("DD.MM.YYYY"), QStringLiteral("MM/DD/YY"), QStringLiteral("DD/MM/YY"),
            QStringLiteral("YY-MM-DD"), QStringLiteral("DD.MM.YY")};
}

QStringList CandidateDateFormats(const QStringList &)
{
    return {};
}

std::unique_ptr<IStatementReader> OpenStatement(const QString &, StatementFormat, const CCsvLayout &)
{
    throw CStatementFileError(QStringLiteral("Statement files cannot be read yet."));
}

std::optional<StatementFormat> GuessStatementFormat(const QString &)
{
    return std::nullopt;
}

QList<QStringList> PreviewCsvRows(const QString &, const CCsvLayout &, int)
{
    throw CStatementFileError(QStringLiteral("Statement files cannot be read yet."));
}
