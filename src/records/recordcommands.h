#pragma once

class CTallywickData;
class QWidget;

// What the main window runs for the record commands. Each opens its modal
// dialog on `parent` and returns when it closes.

// 32772 Setup > User Information. True when the page was closed with OK.
bool RunUserInformation(CTallywickData &data, QWidget *parent);
// 32773 Setup > Add or Delete Category.
void RunCategories(CTallywickData &data, QWidget *parent);
// 32793 (type 1) Add Income and 32794 (type 2) Add Expense.
void RunAddTransaction(CTallywickData &data, int type, QWidget *parent);
// 32792 Setup > Setup Wizard: the six pages, modal on `parent`.
void RunSetupWizard(CTallywickData &data, QWidget *parent);
// 32795 (type 1) Edit Income and 32796 (type 2) Edit Expense.
void RunEditDelete(CTallywickData &data, int type, QWidget *parent);

// 32791 Setup > Delete Old Data. True when old data was deleted.
bool RunDeleteOldData(CTallywickData &data, QWidget *parent);

// Runs one of the six commands above; false for any other id.
bool RunRecordCommand(CTallywickData &data, unsigned commandId, QWidget *parent);
