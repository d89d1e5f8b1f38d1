#pragma once

#include "controls/printseam.h"

#include <QList>
#include <QPainter>
#include <QPrinter>

#include <functional>

// Answers the printing dialogs as a test says and can make the printer refuse
// to start; installed for as long as it lives. A dialog without an answer is
// cancelled; a preview paints its pages once.
class CTestPrintSeam final : public IPrintSeam
{
public:
    CTestPrintSeam()
        : m_previous(SetPrintSeam(this))
    {
    }
    ~CTestPrintSeam() override { SetPrintSeam(m_previous); }
    CTestPrintSeam(const CTestPrintSeam &) = delete;
    CTestPrintSeam &operator=(const CTestPrintSeam &) = delete;

    std::function<bool(QPrinter &, int minPage, int maxPage)> onPrintDialog;
    std::function<bool(QPrinter &)> onPrintSetup;
    bool printerStarts = true;
    // The printer each dialog, preview and job was given, in order.
    QList<const QPrinter *> printers;

    bool PrintDialog(QWidget *, QPrinter &printer, int minPage, int maxPage) override
    {
        printers << &printer;
        return onPrintDialog && onPrintDialog(printer, minPage, maxPage);
    }
    bool PrintSetupDialog(QWidget *, QPrinter &printer) override
    {
        printers << &printer;
        return onPrintSetup && onPrintSetup(printer);
    }
    void PrintPreview(QWidget *, QPrinter &printer, const std::function<void(QPrinter &)> &paint) override
    {
        printers << &printer;
        paint(printer);
    }
    bool StartPrinting(QPainter &painter, QPrinter &printer) override
    {
        printers << &printer;
        return printerStarts && painter.begin(&printer);
    }

private:
    IPrintSeam *m_previous;
};
