#pragma once

class CTallywickData;
class CTallywickView;
class QWidget;

// What the main window runs for the period, advanced and list report
// commands (32777, 32778, 32779, 32828, 32783, 32784) and Charts: each opens its modal
// dialog on `parent`, which fills the view on OK. False for any other id.
bool RunReportCommand(CTallywickData &data, CTallywickView &view, unsigned commandId, QWidget *parent);
