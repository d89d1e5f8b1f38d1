#include "frame/mainframe.h"

#include "data/tallywickdata.h"

CMainFrame::CMainFrame(CTallywickData &data, QWidget *parent)
    : QMainWindow(parent)
    , m_data(data)
{
    setWindowTitle(QStringLiteral("Tallywick + "));
    resize(1024, 700);
}
