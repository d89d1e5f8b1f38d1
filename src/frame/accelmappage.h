#pragma once

#include "controls/settingspage.h"
#include "frame/acceldlghelper.h"
#include "frame/acceleratormanager.h"

class CKeyCaptureEdit;
class CTallywickData;
class QLabel;
class QListWidget;
class QPushButton;

// Menu Shortcut Keys (dialog 106): edits a copy of the application's
// shortcut keys. Apply makes the copy the application's keys and rebuilds
// the main window's table; Cancel drops the edits.
class CAccelMapPage : public CSettingsPage
{
    Q_OBJECT
public:
    static constexpr int IDD = 106;
    static constexpr const char *kHelpTopic = "TallywickPlus.chm::/ShortcutKeys.htm#own";

    // `appManager` may be null: the page then closes as cancelled. Inside a
    // sheet the page's own OK and Cancel stay hidden.
    CAccelMapPage(CAcceleratorManager *appManager, CTallywickData &data, bool inSheet, QWidget *parent = nullptr);

    int DialogId() const override { return IDD; }
    bool Apply() override;
    void Cancel() override;

    // The copy the page edits.
    CAcceleratorManager &Keys() { return m_keys; }

public slots:
    void OnAssign();
    void OnRemove();
    void OnResetAll();

protected:
    bool event(QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void BuildControls(bool inSheet);
    // Takes the application's keys afresh and shows them.
    void Refresh();
    void FillCommands();
    void FillKeys();
    unsigned short SelectedCommand() const;

    CAcceleratorManager *m_app;
    CTallywickData &m_data;
    CAcceleratorManager m_keys;
    CAccelDlgHelper m_helper{m_keys};
    // Edits made since the copy was last taken; a page shown again (another
    // tab and back) keeps them.
    bool m_edited = false;

    QListWidget *m_commands = nullptr;
    QListWidget *m_keyList = nullptr;
    QLabel *m_owner = nullptr;
    CKeyCaptureEdit *m_keyBox = nullptr;
    QPushButton *m_assign = nullptr;
    QPushButton *m_remove = nullptr;
    QPushButton *m_reset = nullptr;
};
