#include "controls/settingspage.h"

CSettingsPage::CSettingsPage(bool inWizard, QWidget *parent)
    : QWidget(parent)
    , m_inWizard(inWizard)
{
}

QWidget *CSettingsPage::FirstField() const
{
    for (QWidget *w = nextInFocusChain(); w && w != this; w = w->nextInFocusChain()) {
        if (isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && w->isVisibleTo(this))
            return w;
    }
    return nullptr;
}
