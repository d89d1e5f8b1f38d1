#include "controls/settingspage.h"

CSettingsPage::CSettingsPage(bool inWizard, QWidget *parent)
    : QWidget(parent)
    , m_inWizard(inWizard)
{
}
