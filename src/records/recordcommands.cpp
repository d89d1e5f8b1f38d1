#include "records/recordcommands.h"

#include "base/stringids.h"
#include "records/categorypage.h"
#include "records/currencydlg.h"
#include "records/deleteolddatadlg.h"
#include "records/editdeletedlg.h"
#include "controls/pagehostdlg.h"
#include "records/recordui.h"
#include "records/reminderdlgs.h"
#include "records/transactiondlg.h"
#include "records/twksetupwizardsheet.h"
#include "records/userinfopage.h"

bool RunUserInformation(CTallywickData &data, QWidget *parent)
{
    CPageHostDlg dialog(new CUserInfoPage(data), parent);
    AddHelpKey(&dialog, data, StringId::HelpSetupMenu);
    return dialog.exec() == QDialog::Accepted;
}

void RunCategories(CTallywickData &data, QWidget *parent)
{
    CPageHostDlg dialog(new CCategoryPage(data), parent);
    AddHelpKey(&dialog, data, StringId::HelpSetupMenu);
    dialog.exec();
}

void RunAddTransaction(CTallywickData &data, int type, QWidget *parent)
{
    CTransactionDlg dialog(data, type, parent);
    dialog.exec();
}

void RunSetupWizard(CTallywickData &data, QWidget *parent)
{
    CTwkSetupWizardSheet wizard(data, parent);
    wizard.exec();
}

void RunEditDelete(CTallywickData &data, int type, QWidget *parent)
{
    CEditDeleteDlg dialog(data, type, parent);
    dialog.exec();
}

bool RunDeleteOldData(CTallywickData &data, QWidget *parent)
{
    CDeleteOldDataDlg dialog(data, parent);
    return dialog.exec() == QDialog::Accepted;
}

bool RunRecordCommand(CTallywickData &data, unsigned commandId, QWidget *parent)
{
    switch (commandId) {
    case 32772:
        RunUserInformation(data, parent);
        return true;
    case 32773:
        RunCategories(data, parent);
        return true;
    case 32793:
    case 32794:
        RunAddTransaction(data, commandId == 32793 ? kIncomeTransaction : kExpenseTransaction, parent);
        return true;
    case 32795:
    case 32796:
        RunEditDelete(data, commandId == 32795 ? kIncomeTransaction : kExpenseTransaction, parent);
        return true;
    case 32791:
        RunDeleteOldData(data, parent);
        return true;
    case 32787: {
        CPageHostDlg dialog(new CCurrencyDlg(data), parent);
        dialog.exec();
        return true;
    }
    case 32829: {
        CPaymentReminderDlg dialog(data, parent);
        dialog.exec();
        return true;
    }
    default:
        return false;
    }
}
