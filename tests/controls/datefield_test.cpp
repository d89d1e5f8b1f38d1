#include "controls/datefield.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

namespace {

// A date field between two boxes in a shown window.
struct DateForm {
    QWidget window;
    QLineEdit *before = new QLineEdit(&window);
    CDateField *field = new CDateField(&window);
    QLineEdit *after = new QLineEdit(&window);

    explicit DateForm(const QString &format)
    {
        auto *layout = new QVBoxLayout(&window);
        layout->addWidget(before);
        layout->addWidget(field);
        layout->addWidget(after);
        field->setDisplayFormat(format);
        field->setDate(QDate(2026, 3, 17));
        window.show();
        QApplication::setActiveWindow(&window);
    }
    // Types `keys` from the field's first section on.
    void Type(const QString &keys)
    {
        field->setFocus();
        field->setCurrentSectionIndex(0);
        field->setSelectedSection(field->sectionAt(0));
        QTest::keyClicks(field, keys);
    }
};

const char *const kFormats[] = {"MMM/dd/yyyy", "MM/dd/yyyy", "dd/MMM/yyyy", "dd/MM/yyyy", "dd.MM.yyyy", "yyyy-MM-dd"};

} // namespace

TEST(DateField, TabAndEnterLeaveItInOnePress)
{
    for (const char *format : kFormats) {
        SCOPED_TRACE(format);
        DateForm form(QString::fromLatin1(format));
        form.field->setFocus();
        QTest::keyClick(form.field, Qt::Key_Tab);
        EXPECT_EQ(form.window.focusWidget(), form.after);
        form.field->setFocus();
        form.field->setCurrentSectionIndex(1);
        QTest::keyClick(form.field, Qt::Key_Backtab, Qt::ShiftModifier);
        EXPECT_EQ(form.window.focusWidget(), form.before);
        form.Type(QString());
        QTest::keyClick(form.field, Qt::Key_Return);
        EXPECT_EQ(form.window.focusWidget(), form.after);
    }
}

TEST(DateField, AMonthIsTypedByItsNumberOrItsFirstLettersInEveryFormat)
{
    const QDate wanted(2027, 11, 5);
    for (const char *format : kFormats) {
        SCOPED_TRACE(format);
        const QString shown = QString::fromLatin1(format);
        // The format itself, and its month the other way: by name where it
        // shows a number and by number where it shows a name.
        QString other = shown;
        if (other.contains(QLatin1String("MMM")))
            other.replace(QLatin1String("MMM"), QLatin1String("MM"));
        else
            other.replace(QLatin1String("MM"), QLatin1String("MMM"));
        for (const QString &typed : {QLocale::c().toString(wanted, shown), QLocale::c().toString(wanted, other)}) {
            SCOPED_TRACE(typed.toStdString());
            DateForm form(shown);
            form.Type(typed);
            EXPECT_EQ(form.field->date().toString(Qt::ISODate).toStdString(), wanted.toString(Qt::ISODate).toStdString());
        }
    }
}

TEST(DateField, TheFirstLettersPickTheFirstMonthTheyBeginUntilTheNameIsClear)
{
    for (const char *format : {"MMM/dd/yyyy", "MM/dd/yyyy"}) {
        SCOPED_TRACE(format);
        DateForm form(QString::fromLatin1(format));
        const struct {
            const char *keys;
            int month;
        } cases[] = {{"j", 1}, {"ju", 6}, {"jul", 7}, {"ma", 3}, {"may", 5}, {"a", 4}, {"au", 8}, {"D", 12},
                     {"x", 3}, {"1", 1}, {"10", 10}, {"13", 3}, {"05", 5}, {"a05", 5}};
        for (const auto &c : cases) {
            SCOPED_TRACE(c.keys);
            form.field->setDate(QDate(2026, 3, 31));
            form.Type(QString::fromLatin1(c.keys));
            const bool named = QString::fromLatin1(format).contains(QLatin1String("MMM"));
            // Numbers in a numeric month are the date edit's own, which the
            // month letters leave alone.
            if (!named && QString::fromLatin1(c.keys).contains(QRegularExpression(QStringLiteral("[0-9]"))))
                continue;
            EXPECT_EQ(form.field->date().month(), c.month);
            // A shorter month keeps the day within it.
            EXPECT_EQ(form.field->date().day(), form.field->date().daysInMonth());
        }
    }
}

TEST(DateField, MonthNamesAreEnglishOnAnyDesktop)
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    DateForm form(QStringLiteral("dd/MMM/yyyy"));
    QLocale::setDefault(QLocale::c());
    form.field->setDate(QDate(2026, 12, 24));
    EXPECT_EQ(form.field->text(), QStringLiteral("24/Dec/2026"));
    bool several = true;
    EXPECT_EQ(CDateField::MonthFor(QStringLiteral("dez"), &several), 0);
    EXPECT_EQ(CDateField::MonthFor(QStringLiteral("DEC"), &several), 12);
    EXPECT_FALSE(several);
}
