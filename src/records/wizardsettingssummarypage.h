#pragma once

#include "controls/settingspage.h"

#include <QStringList>

// The wizard's welcome page (dialog 151): a greeting, the list of what the
// following pages set up, and the hint to click Next.
class CWizardSettingsSummaryPage : public CSettingsPage
{
    Q_OBJECT
public:
    static constexpr int IDD = 151;

    CWizardSettingsSummaryPage(bool firstRun, const QStringList &lines, QWidget *parent = nullptr);

    int DialogId() const override { return IDD; }
    bool Apply() override { return true; }
    void Cancel() override {}

    static QString WelcomeText(bool firstRun);
};
