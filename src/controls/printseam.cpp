#include "controls/printseam.h"

#include <QPainter>
#include <QPrinter>

#include <utility>

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

// Not owned; nullptr means the quiet one.
IPrintSeam *g_installed = nullptr;

} // namespace

IPrintSeam &PrintSeam()
{
    static CQuietPrintSeam quiet;
    return g_installed ? *g_installed : quiet;
}

IPrintSeam *SetPrintSeam(IPrintSeam *seam)
{
    return std::exchange(g_installed, seam);
}
