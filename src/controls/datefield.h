#pragma once

#include <QDateEdit>

// The one date field of every window. Tab and Enter leave it in one press
// (a plain date edit steps through its sections first), and in the month a
// month's number or the first letters of its name pick it, in numeric and in
// named ("MMM") formats alike. Month names are English on any desktop, as the
// reports print them.
class CDateField : public QDateEdit
{
    Q_OBJECT
public:
    explicit CDateField(QWidget *parent = nullptr);

    // The month that `typed` (a number or the start of a name) stands for,
    // 0 when none; `several` tells whether more months begin with it.
    static int MonthFor(const QString &typed, bool *several = nullptr);

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    // True when the key typed into the month section was used.
    bool TypeMonth(const QString &text);
    void SetMonth(int month);
    void NextSection();

    // What was typed into the month so far, the month it picked and the day
    // of the month before.
    QString m_typed;
    int m_typedMonth = 0;
    int m_typedDay = 1;
    // The last key filled a section and the date edit moved on.
    bool m_movedOn = false;
};

// A date field with id `id`, in `format`, showing today, with a calendar.
CDateField *MakeDateField(QWidget *parent, int id, const QString &format);
