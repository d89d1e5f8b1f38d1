#pragma once

// A small bakery whose figures the report tests work out by hand.
#include "data/dbschema.h"
#include "data/tallywickdata.h"
#include "reports/reportlayout.h"
#include "reports/tallywickview.h"

#include "support/testdatabase.h"
#include "support/testuiseam.h"

#include <gtest/gtest.h>

#include <QDate>
#include <QRegularExpression>

class ReportFixture : public ::testing::Test
{
protected:
    ReportFixture()
    {
        data.connection.Open(db.ConnectionString(), kDbUser, kDbPassword);
        data.settings.cCurrency = QStringLiteral("$");
        data.settings.dateFormat = QStringLiteral("dd/MMM/yyyy");
        data.settings.iPrintEMail = 1;
        data.settings.iPrintPhNo = 1;
        data.company.cName = QStringLiteral("Ann's Bakery");
        data.company.cEmail = QStringLiteral("ann@bakery.example");
        data.company.cPhoneNo = QStringLiteral("0113 496 0000");
        data.company.units = {QStringLiteral("Shop"), QStringLiteral("O'Neil Stall"), QStringLiteral("Online")};
        for (const char *income : {"Sales", "Catering"})
            data.incomeCategories.append(CCategoryEntry{0, QString::fromUtf8(income), {}, 1});
        for (const char *expense : {"Rent", "Flour", "Baker's Wages"})
            data.expenseCategories.append(CCategoryEntry{0, QString::fromUtf8(expense), {}, 2});
        // Entry order differs from date order around the new year on purpose.
        Add("Shop", "01/02/2021", "Rent", 510, "January rent", 2);
        Add("Shop", "12/30/2020", "Rent", 500, "December rent", 2);
        Add("O'Neil Stall", "12/31/2020", "Rent", 20, "Pitch", 2);
        Add("Shop", "01/31/2021", "Sales", 31, "Last day", 1);
        Add("Shop", "02/01/2021", "Sales", 1000, "Next month", 1);
        Add("Shop", "01/31/2024", "Sales", 999, "January", 1);
        Add("Shop", "02/01/2024", "Flour", 30.25, "Rye", 2);
        Add("Shop", "02/29/2024", "Sales", 100, "Leap day", 1);
        Add("Shop", "03/01/2024", "Sales", 888, "March", 1);
        Add("Shop", "06/01/2025", "Sales", 25, "Even", 1);
        Add("Shop", "06/01/2025", "Rent", 25, "Even", 2);
        Add("Shop", "03/15/2026", "Sales", 12.5, "Ärzte Praxis", 1);
        Add("Shop", "03/16/2026", "Sales", 40, "Saturday", 1);
        Add("O'Neil Stall", "03/16/2026", "Baker's Wages", 60, "Paid in cash", 2);
        Add("Shop", "03/16/2026", "Rent", 15.5, "Cheque 1234", 2);
        Add("Shop", "03/17/2026", "Flour", 7, "Sack", 2);
    }

    void Add(const char *unit, const char *date, const char *category, double amount, const char *description,
             int type)
    {
        db.AddTransaction(unit, date, category, amount, description, type);
    }

    // May 2027 in the shop: amounts with a third decimal, which binary
    // floating point holds on (0.125) or a hair below (1.005, 2.675) the half
    // cent. Printed at the cent they are 0.13, 20 x 1.01 = 20.20, 3 x 2.68 =
    // 8.04 and 1.01: incomes 20.33, expenses 9.05, where the exact sums
    // round to 20.23 and 9.03.
    void AddOddCents()
    {
        Add("Shop", "05/03/2027", "Sales", 0.125, "Tip", 1);
        for (int i = 0; i < 20; ++i)
            Add("Shop", "05/04/2027", "Catering", 1.005, "Coffee", 1);
        for (int i = 0; i < 3; ++i)
            Add("Shop", "05/05/2027", "Rent", 2.675, "Locker", 2);
        Add("Shop", "05/06/2027", "Flour", 1.005, "Sample", 2);
    }

    CTestDatabase db;
    CTallywickData data;
};

// The bakery with a report view for its dialogs to fill.
class ReportViewFixture : public ReportFixture
{
protected:
    ReportViewFixture() : view(data) { view.resize(900, 600); }

    // A dialog's control by its id.
    template<typename W>
    static W *Control(QWidget *dialog, int id)
    {
        return dialog->findChild<W *>(QString::number(id));
    }

    CTallywickView view;
};

// The cell left at (column, row): the last cell there wins.
inline const ReportCell *CellAt(const std::vector<ReportCell> &cells, int column, int row)
{
    const ReportCell *found = nullptr;
    for (const ReportCell &cell : cells) {
        if (cell.column == column && cell.row == row)
            found = &cell;
    }
    return found;
}
inline const ReportCell *CellAt(const ReportLayout &layout, int column, int row)
{
    return CellAt(layout.cells, column, row);
}

inline QString TextAt(const std::vector<ReportCell> &cells, int column, int row)
{
    const ReportCell *cell = CellAt(cells, column, row);
    return cell ? cell->text : QStringLiteral("<none>");
}
inline QString TextAt(const ReportLayout &layout, int column, int row)
{
    return TextAt(layout.cells, column, row);
}

// The amounts printed in a column from row `first` to `last`, in cents:
// cells of the form "12.34" or "-0.50" (rules, headings and raw amounts with
// other decimals are not counted).
inline qint64 PrintedCents(const ReportLayout &layout, int column, int first, int last)
{
    static const QRegularExpression amount(QStringLiteral("^-?[0-9]+\\.[0-9][0-9]$"));
    qint64 cents = 0;
    for (int row = first; row <= last; ++row) {
        const ReportCell *cell = CellAt(layout, column, row);
        if (cell && amount.match(cell->text).hasMatch())
            cents += QString(cell->text).remove(u'.').toLongLong();
    }
    return cents;
}

// The row of the first cell in the column holding the text; -1 if none.
inline int RowOf(const ReportLayout &layout, int column, const QString &text)
{
    for (const ReportCell &cell : layout.cells) {
        if (cell.column == column && cell.text == text)
            return cell.row;
    }
    return -1;
}

inline bool RightAt(const ReportLayout &layout, int column, int row)
{
    const ReportCell *cell = CellAt(layout, column, row);
    return cell && cell->alignment == 1;
}

// A row's texts from column 1 to 6, "" where there is no cell.
inline QStringList RowTexts(const ReportLayout &layout, int row)
{
    QStringList texts;
    for (int column = 1; column <= 6; ++column) {
        const ReportCell *cell = CellAt(layout, column, row);
        texts << (cell ? cell->text : QString());
    }
    return texts;
}
