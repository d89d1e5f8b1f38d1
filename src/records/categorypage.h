#pragma once

#include "controls/settingspage.h"

class CKeyHandler;
class CTallywickData;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTreeWidget;

// Add or Delete Category (dialog 131). Every add and delete is written at
// once; the page remembers the type last shown in DefaultCategory.
class CCategoryPage : public CSettingsPage
{
    Q_OBJECT
public:
    static constexpr int IDD = 131;

    explicit CCategoryPage(CTallywickData &data, bool inWizard = false, QWidget *parent = nullptr);

    int DialogId() const override { return IDD; }
    // Each change is already written; in the wizard a category still in
    // the boxes is added first.
    bool Apply() override;
    // Remembers the selected type.
    void Cancel() override;
    QWidget *FirstField() const override;

    int SelectedType() const { return m_type; }

public slots:
    // False when the category was refused or could not be written.
    bool OnAdd();
    void OnDelete();
    void SelectType(int type);

private:
    void BuildControls();
    void BindKeys();
    void FillList();

    CTallywickData &m_data;
    int m_type;

    QRadioButton *m_income = nullptr;
    QRadioButton *m_expense = nullptr;
    QRadioButton *m_both = nullptr;
    QLineEdit *m_name = nullptr;
    QLineEdit *m_description = nullptr;
    QPushButton *m_add = nullptr;
    QTreeWidget *m_list = nullptr;
    QPushButton *m_delete = nullptr;
    QPushButton *m_close = nullptr;
    CKeyHandler *m_keys = nullptr;
};
