#pragma once

#include "controls/printseam.h"

// Printing as a person meets it: Qt's print, page setup and preview dialogs.
class CQtPrintSeam final : public IPrintSeam
{
public:
    bool PrintDialog(QWidget *owner, QPrinter &printer, int minPage, int maxPage) override;
    bool PrintSetupDialog(QWidget *owner, QPrinter &printer) override;
    void PrintPreview(QWidget *owner, QPrinter &printer, const std::function<void(QPrinter &)> &paint) override;
    bool StartPrinting(QPainter &painter, QPrinter &printer) override;
};
