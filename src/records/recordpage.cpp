#include "records/recordpage.h"

CRecordPage::CRecordPage(bool inWizard, QWidget *parent)
    : QWidget(parent)
    , m_inWizard(inWizard)
{
}
