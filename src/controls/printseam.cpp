#include "controls/printseam.h"

#include <QPainter>
#include <QPrinter>

namespace {

// Cancels every dialog; a job still starts, so printing straight to a file
// works without anyone there.
class CQuietPrintSeam final : public IPrintSeam
{
public:
    bool PrintDialog(QWidget *, QPrinter &, int, int) override { return false; }
    bool PrintSetupDialog(QWidget *, QPrinter &) override { return false; }
    void PrintPreview(QWidget *, QPrinter &, const std::function<void(QPrinter &)> &) override {}
    bool StartPrinting(QPainter &painter, QPrinter &printer) override { return painter.begin(&printer); }
};

CQuietPrintSeam g_quiet;
IPrintSeam *g_seam = &g_quiet;

} // namespace

IPrintSeam &PrintSeam()
{
    return *g_seam;
}

IPrintSeam *SetPrintSeam(IPrintSeam *seam)
{
    IPrintSeam *previous = g_seam;
    g_seam = seam ? seam : &g_quiet;
    return previous == &g_quiet ? nullptr : previous;
}
