#include "controls/qtprintseam.h"

#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

bool CQtPrintSeam::PrintDialog(QWidget *owner, QPrinter &printer, int minPage, int maxPage)
{
    QPrintDialog dialog(&printer, owner);
    dialog.setMinMax(minPage, maxPage);
    return dialog.exec() == QDialog::Accepted;
}

bool CQtPrintSeam::PrintSetupDialog(QWidget *owner, QPrinter &printer)
{
    QPageSetupDialog dialog(&printer, owner);
    return dialog.exec() == QDialog::Accepted;
}

void CQtPrintSeam::PrintPreview(QWidget *owner, QPrinter &printer, const std::function<void(QPrinter &)> &paint)
{
    QPrintPreviewDialog preview(&printer, owner);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview, [&paint](QPrinter *p) { paint(*p); });
    preview.exec();
}

bool CQtPrintSeam::StartPrinting(QPainter &painter, QPrinter &printer)
{
    return painter.begin(&printer);
}
