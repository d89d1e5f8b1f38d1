#pragma once

#include "controls/settingspage.h"

class CAddinManager;
class QLabel;
class QListWidget;

// The "Addin Manager" page of the Default Settings sheet (dialog 150): one
// check mark per add-in. Applying sets the load flags at once (commands of
// an unchecked add-in are disabled) and stores them; flags that cannot be
// stored are told to the user and stay as they were.
class CAddinManagerPage : public CSettingsPage
{
    Q_OBJECT
public:
    static constexpr int IDD = 150;
    static QString HelpTopic() { return QStringLiteral("TallywickPlus.chm::/Addins.htm#manager"); }

    CAddinManagerPage(CAddinManager &manager, QWidget *parent = nullptr);

    int DialogId() const override { return IDD; }
    bool Apply() override;
    void Cancel() override {}

    // Lists every add-in with its load flag; one that failed shows why,
    // greyed.
    void Fill();
    QListWidget *List() const { return m_list; }
    QLabel *Failures() const { return m_failures; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    CAddinManager &m_manager;
    QListWidget *m_list = nullptr;
    QLabel *m_failures = nullptr;
};
