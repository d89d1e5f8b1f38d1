#pragma once

#include "data/tallywickdata.h"
#include "support/nextmodal.h"
#include "support/testdatabase.h"
#include "support/testuiseam.h"

#include <gtest/gtest.h>

#include <QDate>
#include <QDialog>
#include <QStringList>
#include <QWidget>

#include <functional>

// A fresh database opened on the application's shared connection, an empty
// profile, and helpers to seed rows and read them back through a second
// connection.
class RecordTest : public ::testing::Test
{
protected:
    void SetUp() override;

    void SetUnits(const QStringList &units);
    void AddCategory(const QString &name, int type, const QString &description = QString());
    void AddRow(const QString &unit, const QDate &date, const QString &category, double amount,
                const QString &description, int type);
    int Rows(const QString &where = QString());
    QString Value(const QString &sql);
    // "unit|MM/dd/yyyy|category|amount|description|type" per row, in number order.
    QStringList Table();

    // Makes the statement that touches `table` in the way `event` names
    // (DELETE, UPDATE, INSERT) fail, as a full disk or a lock would. The
    // trigger is named forced_ and the event.
    void FailOn(const QString &event, const QString &table, const QString &when = QStringLiteral("1"));

    CTestDatabase db;
    CTallywickData data;
};

template<typename T>
T *Control(QWidget *dialog, int id)
{
    T *control = dialog->findChild<T *>(QString::number(id));
    EXPECT_NE(control, nullptr) << "no control " << id;
    return control;
}

// The texts of one column of the list control `id`, top to bottom.
QStringList Column(QWidget *dialog, int id, int column = 0);


// A fixed day in March 2023: no test depends on today's date.
QDate Day(int day);
