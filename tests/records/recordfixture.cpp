#include "recordfixture.h"

#include "data/dbrecordset.h"
#include "data/dbschema.h"
#include "data/profile.h"

#include <QApplication>
#include <QTimer>
#include <QTreeWidget>

void RecordTest::SetUp()
{
    RemoveProfileEntry(QStringLiteral("Settings"), QStringLiteral("DefaultUnit"));
    RemoveProfileEntry(QStringLiteral("Settings"), QStringLiteral("DefaultCategory"));
    ASSERT_EQ(data.connection.Open(db.ConnectionString(), kDbUser, kDbPassword), 0);
    data.settings.cCurrency = QStringLiteral("$");
    data.settings.dateFormat = QStringLiteral("dd/MM/yyyy");
}

void RecordTest::SetUnits(const QStringList &units)
{
    db.Exec(QStringLiteral("UPDATE LB_COMPANY_INFO_TB SET cCompanyUnits='%1'")
                .arg(SqlQuote(CTallywickData::UnitsText(units))));
    data.company.units = units;
}

void RecordTest::AddCategory(const QString &name, int type, const QString &description)
{
    db.AddCategory(name, type, description);
    ASSERT_TRUE(data.LoadCategories());
}

void RecordTest::AddRow(const QString &unit, const QDate &date, const QString &category, double amount,
                        const QString &description, int type)
{
    db.AddTransaction(unit, DateText(date), category, amount, description, type);
}

int RecordTest::Rows(const QString &where)
{
    return db.Count(QStringLiteral("LB_TRANSACTION_INFO_TB"), where);
}

QString RecordTest::Value(const QString &sql)
{
    return db.Scalar(sql);
}

QStringList RecordTest::Table()
{
    CDbRecordset rs(db.Connection());
    rs.OpenText(QStringLiteral("SELECT * FROM LB_TRANSACTION_INFO_TB ORDER BY iTransactionNumber"));
    QStringList rows;
    for (; !rs.IsEOF(); rs.MoveNext()) {
        rows << QStringList{rs.GetString(QStringLiteral("cUnitName")), rs.GetString(QStringLiteral("cTransactionDate")),
                            rs.GetString(QStringLiteral("cTransactionName")),
                            QString::asprintf("%f", rs.GetDouble(QStringLiteral("cTransactionAmount"))),
                            rs.GetString(QStringLiteral("cTransactionDescription")),
                            rs.GetString(QStringLiteral("iTransactionType"))}
                    .join(u'|');
    }
    return rows;
}

void RecordTest::FailOn(const QString &event, const QString &table, const QString &when)
{
    db.Exec(QStringLiteral("CREATE TRIGGER forced_%1 BEFORE %1 ON %2 WHEN %3 "
                           "BEGIN SELECT RAISE(ABORT, 'forced failure'); END")
                .arg(event, table, when));
}

QStringList Column(QWidget *dialog, int id, int column)
{
    QStringList texts;
    auto *list = Control<QTreeWidget>(dialog, id);
    for (int i = 0; list && i < list->topLevelItemCount(); ++i)
        texts << list->topLevelItem(i)->text(column);
    return texts;
}

QDate Day(int day)
{
    return QDate(2023, 3, day);
}
