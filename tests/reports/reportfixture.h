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
