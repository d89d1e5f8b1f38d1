#pragma once

#include <functional>

class QPainter;
class QPrinter;
class QWidget;

// The printing dialogs and the start of a print job, behind one interface so
// that tests answer the dialogs and make a printer refuse to start. The
// installed one asks nobody until the application installs the Qt one.
class IPrintSeam
{
public:
    virtual ~IPrintSeam() = default;
    // The print dialog over `printer` for pages minPage..maxPage; true when
    // the user chose to print. The choices are left on the printer.
    virtual bool PrintDialog(QWidget *owner, QPrinter &printer, int minPage, int maxPage) = 0;
    // The printer setup dialog; true when confirmed, the choices left on the
    // printer.
    virtual bool PrintSetupDialog(QWidget *owner, QPrinter &printer) = 0;
    // The preview window over `printer`; `paint` draws the pages on the
    // printer it is given whenever the preview needs them.
    virtual void PrintPreview(QWidget *owner, QPrinter &printer, const std::function<void(QPrinter &)> &paint) = 0;
    // Starts the print job; false when the printer will not start.
    virtual bool StartPrinting(QPainter &painter, QPrinter &printer) = 0;
};

IPrintSeam &PrintSeam();
// Installs a seam (not owned); nullptr puts the quiet one back. Returns the
// previous one (nullptr for the quiet one).
IPrintSeam *SetPrintSeam(IPrintSeam *seam);
