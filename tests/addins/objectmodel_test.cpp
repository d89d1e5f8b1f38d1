#include "addins/addinhost.h"
#include "addins/automationhost.h"
#include "addins/twkobjects.h"
#include "base/stringids.h"
#include "base/stringtable.h"
#include "controls/gridctrl.h"
#include "controls/logfont.h"
#include "data/dbrecordset.h"
#include "data/dbschema.h"
#include "data/tallywickdata.h"

#include "support/testdatabase.h"
#include "support/testuiseam.h"

#include <gtest/gtest.h>

#include <QDialog>
#include <QPointer>
#include <QPushButton>

#include <limits>
#include <memory>
#include <stdexcept>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

namespace {

// A program with a database and a report grid, and nothing else.
class CTestHost : public CAutomationHost
{
public:
    CTestHost()
    {
        data.connection.Open(database.ConnectionString(), kDbUser, kDbPassword);
        grid.Create(QRect(0, 0, 400, 300), nullptr, 100);
    }
    bool RegisterAddin(int, const QString &, int) override { return false; }
    CTallywickData &Data() override { return data; }
    QWidget *MainWindow() override { return nullptr; }
    void ShowMainWindow() override {}
    void Quit() override {}
    CGridCtrl *ReportGrid() override { return &grid; }
    void RepaintView() override {}
    void ClearScreen() override { grid.DeleteAllItems(); }
    bool ShowQueryResult(const QString &, QString *) override { return false; }
    bool SetStatusPane(int, COLORREF, const QString &) override { return false; }
    bool AddSettingsPage(CSettingsPage *page) override
    {
        if (!takePages)
            return false;
        pages.emplace_back(page);
        return true;
    }
    bool ExecuteCommand(unsigned) override { return false; }

    bool takePages = false;
    std::vector<std::unique_ptr<CSettingsPage>> pages;
    CTestDatabase database;
    CTallywickData data;
    CGridCtrl grid;
};

class ObjectModel : public ::testing::Test
{
protected:
    void SetUp() override { TestUi().Reset(); }
    CTestHost host;
    CTwkObjectModel model{host};
};

} // namespace

TEST_F(ObjectModel, GenericReportLaysOutBothCellListsOrSaysNoMatches)
{
    TwkGenericReport &report = *model.GenericReport();
    EXPECT_FALSE(report.Show());
    EXPECT_EQ(TestUi().Texts(), QStringList{QStringLiteral("No Matches Found")});

    host.grid.SetRowCount(9);
    EXPECT_TRUE(report.AddHeadingCell(0, 1, QStringLiteral("Amount"), 0x2, 0x0000FF));
    EXPECT_TRUE(report.AddCell(2, 1, QStringLiteral("12.50"), 0x2, CLR_DEFAULT));
    EXPECT_FALSE(report.AddCell(-1, 0, QStringLiteral("lost"), 0, 0));
    ASSERT_TRUE(report.Show());
    EXPECT_EQ(host.grid.GetRowCount(), 3) << "the grid holds exactly the cells, not the old rows";
    EXPECT_EQ(host.grid.GetColumnCount(), 2);
    EXPECT_EQ(host.grid.GetGridLines(), 0);
    EXPECT_EQ(host.grid.GetItemText(2, 1), QStringLiteral("12.50"));
    EXPECT_EQ(host.grid.Model().GetItemFgColour(0, 1), 0x0000FFu);
    EXPECT_EQ(host.grid.Model().GetItemFont(0, 1)->lfWeight, FW_BOLD);
    EXPECT_NE(host.grid.Model().GetItemFont(2, 1)->lfWeight, FW_BOLD);
    EXPECT_GE(host.grid.GetColumnWidth(1), host.grid.Model().GetCellExtent(0, 1).width());

    report.Clear();
    TestUi().Reset();
    EXPECT_FALSE(report.Show());
    EXPECT_EQ(TestUi().Texts().size(), 1) << "Clear empties both lists";
    EXPECT_EQ(host.grid.GetItemText(2, 1), QStringLiteral("12.50")) << "nothing to show keeps the grid";
}

TEST_F(ObjectModel, StatementsRunThroughTwoHeldRecordSetsAndFailWith61556)
{
    ITwkHost *host_ = TwkHost(model.App());
    ASSERT_NE(host_, nullptr) << "TwkApp answers the host interface an add-in asks it for";
    ITwkDatabase &db = *host_->Database();
    EXPECT_EQ(&db, static_cast<ITwkDatabase *>(model.Database()));
    host.database.AddCategory(QStringLiteral("Salary"), 1);
    ITwkRecordset *first = db.RunStatement(QStringLiteral("SELECT cTransactionName FROM LB_ITEM_MASTER_INFO_TB"));
    ASSERT_NE(first, nullptr);
    ITwkRecordset *second = db.RunStatement2(QStringLiteral("SELECT COUNT(*) AS n FROM LB_ITEM_MASTER_INFO_TB"));
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(first->GetString(QStringLiteral("cTransactionName")), QStringLiteral("Salary"))
        << "the second statement leaves the first record set alone";
    EXPECT_EQ(second->GetLong(QStringLiteral("N")), 1) << "columns are found ignoring case";
    // Reads an add-in gets wrong answer nothing instead of throwing into it.
    EXPECT_TRUE(first->GetValue(QStringLiteral("nothing")).isNull());
    first->MoveNext();
    EXPECT_TRUE(first->IsEOF());
    first->MoveNext();
    EXPECT_EQ(first->GetString(QStringLiteral("cTransactionName")), QString());
    EXPECT_EQ(first->GetDouble(QStringLiteral("cTransactionName")), 0.0);
    EXPECT_EQ(db.RunStatement(QStringLiteral("SELECT nothing FROM nowhere")), nullptr);
    EXPECT_EQ(TestUi().Texts(), QStringList{LoadString(StringId::AddinConnectionFailed)});

    // The connection's transactions: an add-in's change goes whole or not at
    // all, and an add-in cannot end a transaction the program began.
    ITwkConnection *connection = db.Connection();
    ASSERT_NE(connection, nullptr);
    EXPECT_TRUE(connection->IsOpen());
    const auto categories = [this] {
        CDbRecordset rs(host.data.connection);
        rs.OpenText(QStringLiteral("SELECT COUNT(*) AS n FROM LB_ITEM_MASTER_INFO_TB"));
        return rs.GetLong(QStringLiteral("n"));
    };
    ASSERT_TRUE(connection->BeginTrans());
    ASSERT_NE(db.RunStatement(QStringLiteral("INSERT INTO LB_ITEM_MASTER_INFO_TB (cTransactionName, cTransactionDescription, "
                                             "iType) VALUES ('Rent', '', 2)")),
              nullptr);
    EXPECT_TRUE(db.RunStatement(QStringLiteral("INSERT INTO LB_ITEM_MASTER_INFO_TB (cTransactionName, "
                                               "cTransactionDescription, iType) VALUES ('Tax', '', 2)"))
                    ->IsEOF())
        << "a statement without rows gives an empty record set";
    EXPECT_TRUE(connection->RollbackTrans());
    EXPECT_EQ(categories(), 1);
    ASSERT_TRUE(connection->BeginTrans());
    db.RunStatement(QStringLiteral("DELETE FROM LB_ITEM_MASTER_INFO_TB"));
    EXPECT_TRUE(connection->CommitTrans());
    EXPECT_EQ(categories(), 0);

    host.data.connection.BeginTrans();
    host.data.connection.Execute(QStringLiteral("INSERT INTO LB_ITEM_MASTER_INFO_TB (cTransactionName, "
                                                "cTransactionDescription, iType) VALUES ('Bonus', '', 1)"));
    EXPECT_FALSE(connection->CommitTrans());
    EXPECT_FALSE(connection->RollbackTrans());
    EXPECT_EQ(host.data.connection.TransactionLevel(), 1);
    host.data.connection.RollbackTrans();
    EXPECT_EQ(categories(), 0);

    QVariantList rows;
    host.database.AddCategory(QStringLiteral("Salary"), 1);
    EXPECT_EQ(model.Database()->Query(QStringLiteral("SELECT cTransactionName, iType FROM LB_ITEM_MASTER_INFO_TB"), rows),
              (QStringList{QStringLiteral("cTransactionName"), QStringLiteral("iType")}));
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0].toList().value(0).toString(), QStringLiteral("Salary"));
    EXPECT_EQ(rows[0].toList().value(1).toInt(), 1);

    host.data.connection.Close();
    TestUi().Reset();
    EXPECT_EQ(db.Connection(), nullptr);
    EXPECT_EQ(TestUi().Texts(), QStringList{LoadString(StringId::AddinConnectionFailed)});
}

TEST_F(ObjectModel, AnAddinsSettingsPageIsAPlainWidgetWhoseCallbacksTheSheetCalls)
{
    ITwkHost &app = *TwkHost(model.App());
    // No sheet: the page stays the add-in's, as it was.
    QPointer<QWidget> refused = new QWidget;
    EXPECT_FALSE(app.AddSettingsPage(refused, {}, {}));
    ASSERT_FALSE(refused.isNull());
    EXPECT_EQ(refused->parentWidget(), nullptr);
    delete refused;
    EXPECT_FALSE(app.AddSettingsPage(nullptr, {}, {}));

    host.takePages = true;
    auto *widget = new QWidget;
    widget->setWindowTitle(QStringLiteral(" Bank Feeds "));
    int applied = 0;
    int cancelled = 0;
    bool saves = false;
    ASSERT_TRUE(app.AddSettingsPage(widget, [&] { ++applied; return saves; }, [&] { ++cancelled; }));
    ASSERT_EQ(host.pages.size(), 1u);
    CSettingsPage &page = *host.pages[0];
    EXPECT_EQ(page.windowTitle(), QStringLiteral("Bank Feeds")) << "the tab's text";
    EXPECT_TRUE(page.isAncestorOf(widget));
    EXPECT_FALSE(page.Apply()) << "a page that cannot save keeps the sheet open";
    saves = true;
    EXPECT_TRUE(page.Apply());
    page.Cancel();
    EXPECT_EQ(applied, 2);
    EXPECT_EQ(cancelled, 1);

    // An add-in's exception stays in the program: a failed save, told the
    // user; a failed cancel closes the sheet regardless.
    ASSERT_TRUE(app.AddSettingsPage(
        new QWidget, [&]() -> bool { throw std::runtime_error("disk full"); }, [] { throw 1; }));
    EXPECT_FALSE(host.pages[1]->Apply());
    EXPECT_EQ(TestUi().Texts(), QStringList{LoadString(StringId::SomeErrorOccured)});
    host.pages[1]->Cancel();
    // Without callbacks there is nothing to save.
    ASSERT_TRUE(app.AddSettingsPage(new QWidget, {}, {}));
    EXPECT_TRUE(host.pages[2]->Apply());
    EXPECT_EQ(host.pages[2]->windowTitle(), QStringLiteral("Addin"));
}

TEST_F(ObjectModel, GridOperationsReachTheViewGridAndInProcessCallersNeedNoLogin)
{
    ASSERT_FALSE(host.data.loggedIn);
    TwkGrid &grid = *model.Grid();
    ASSERT_TRUE(grid.SetColumnCount(3));
    ASSERT_TRUE(grid.SetRowCount(2));
    ASSERT_TRUE(grid.SetFixedRowCount(1));
    grid.SetItemText(1, 2, QStringLiteral("kept"));
    EXPECT_EQ(grid.InsertRow(QStringLiteral("new"), 1), 1);
    EXPECT_EQ(grid.GetItemText(1, 0), QStringLiteral("new"));
    EXPECT_EQ(grid.GetItemText(2, 2), QStringLiteral("kept"));
    EXPECT_EQ(grid.InsertColumn(QStringLiteral("head"), 0), 0);
    EXPECT_EQ(grid.GetItemText(2, 3), QStringLiteral("kept"));
    EXPECT_TRUE(grid.DeleteRow(0));
    EXPECT_EQ(grid.GetFixedRowCount(), 0) << "deleting the fixed row lowers the fixed count";
    EXPECT_TRUE(grid.DeleteColumn(1));
    EXPECT_EQ(grid.GetItemText(1, 2), QStringLiteral("kept"));
    EXPECT_FALSE(grid.DeleteRow(5));
    EXPECT_EQ(host.grid.GetRowCount(), 2);
    EXPECT_EQ(host.grid.GetColumnCount(), 3);

    EXPECT_TRUE(grid.SetItemFont(1, 2, QStringLiteral("Arial"), -12, FW_BOLD, true));
    int height = 0, weight = 0;
    bool italic = false;
    EXPECT_EQ(grid.GetItemFont(1, 2, height, weight, italic), QStringLiteral("Arial"));
    EXPECT_EQ(std::tuple(height, weight, italic), std::tuple(-12, FW_BOLD, true));
    EXPECT_FALSE(grid.SetItemBkColour(7, 7, 0));

    EXPECT_EQ(model.Object(QStringLiteral("Tallywick.TwkGrid")), &grid);
    EXPECT_EQ(std::string_view(model.App()->Object(QStringLiteral("TwkDialogEvents"))->ClassId().progId),
              std::string_view("Tallywick.TwkDialogEvents"));
}

TEST_F(ObjectModel, SendMessageActsOnTheWindowByWindowsMessageNumbers)
{
    QDialog dialog;
    auto *button = new QPushButton(QStringLiteral("Go"), &dialog);
    button->setObjectName(QStringLiteral("1085"));
    int clicks = 0;
    QObject::connect(button, &QPushButton::clicked, [&clicks] { ++clicks; });
    dialog.show();
    const qulonglong handle = dialog.winId();

    TwkCommands &commands = *model.Commands();
    EXPECT_EQ(commands.SendMessage(handle, TwkCommands::WM_COMMAND, 1085, 0), 1);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(commands.SendMessage(handle, TwkCommands::WM_COMMAND, 1086, 0), 0) << "no such control";
    EXPECT_EQ(commands.SendMessage(handle, 0x0200, 0, 0), 0) << "a message the program does not act on";
    EXPECT_EQ(commands.SendMessage(handle + 1, TwkCommands::WM_CLOSE, 0, 0), 0) << "no such window";
    EXPECT_EQ(commands.SendMessage(handle, TwkCommands::WM_CLOSE, 0, 0), 1);
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(ObjectModel, SizesAndCellsPastTheBoundAreRefusedAndTheGridStaysAsItWas)
{
    TwkGrid &grid = *model.Grid();
    ASSERT_TRUE(grid.SetColumnCount(7));
    ASSERT_TRUE(grid.SetRowCount(62'300)) << "the program's own largest report fits";
    EXPECT_FALSE(grid.SetRowCount(1'000'000));
    EXPECT_FALSE(grid.SetColumnCount(1'000'000));
    EXPECT_FALSE(grid.SetFixedColumnCount(1'001));
    EXPECT_FALSE(grid.SetRowHeight(0, 1'000'000));
    EXPECT_EQ(std::pair(host.grid.GetRowCount(), host.grid.GetColumnCount()), std::pair(62'300, 7));
    EXPECT_TRUE(grid.SetRowCount(10)) << "a grid may always shrink";

    TwkGenericReport &report = *model.GenericReport();
    EXPECT_FALSE(report.AddCell(1'000'000, 1'000'000, QStringLiteral("far"), 0, 0));
    EXPECT_FALSE(report.AddCell(std::numeric_limits<int>::max(), 0, QStringLiteral("far"), 0, 0));
    EXPECT_TRUE(report.AddCell(999'999, 1, QStringLiteral("last row"), 0, 0));
    EXPECT_FALSE(report.AddHeadingCell(0, 2, QStringLiteral("a third column of a million rows"), 0, 0));
    report.Clear();
    EXPECT_TRUE(report.AddHeadingCell(0, 2, QStringLiteral("fits once cleared"), 0, 0));
    ASSERT_TRUE(report.Show());
    EXPECT_EQ(std::pair(host.grid.GetRowCount(), host.grid.GetColumnCount()), std::pair(1, 3));
}
