#include "reports/reportcommands.h"

#include "base/commandids.h"
#include "reports/advancedreportdlg.h"
#include "reports/chartdlg.h"
#include "reports/listreportdlg.h"
#include "reports/reportformat.h"
#include "reports/reportinfodlg.h"

bool RunReportCommand(CTallywickData &data, CTallywickView &view, unsigned commandId, QWidget *parent)
{
    using namespace CommandId;
    switch (commandId) {
    case DailyReport:
    case MonthlyReport:
    case SpecifiedPeriodReport: {
        const int mode = commandId == DailyReport ? kDailyReport : commandId == MonthlyReport ? kMonthlyReport
                                                                                               : kPeriodReport;
        CReportInfoDlg dlg(data, view, mode, parent);
        dlg.exec();
        return true;
    }
    case AdvancedReport: {
        CAdvancedReportDlg dlg(data, view, parent);
        dlg.exec();
        return true;
    }
    case ListAllIncomes:
    case ListAllExpenses: {
        CListReportDlg dlg(data, view, commandId == ListAllIncomes ? 1 : 2, parent);
        dlg.exec();
        return true;
    }
    case Charts: {
        CChartDlg dlg(data, view, parent);
        dlg.exec();
        return true;
    }
    default:
        return false;
    }
}
