#pragma once

#include "records/companystore.h"
#include "controls/settingspage.h"

#include <QStringList>

class CKeyHandler;
class CLogoView;
class CTallywickData;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// User Information (dialog 130): the business details, the logo and the
// units every transaction is filed under.
class CUserInfoPage : public CSettingsPage
{
    Q_OBJECT
public:
    static constexpr int IDD = 130;

    explicit CUserInfoPage(CTallywickData &data, bool inWizard = false, QWidget *parent = nullptr);

    int DialogId() const override { return IDD; }
    // Checks the fields in order, adds a unit still in the unit box, and
    // writes the row; false keeps the page.
    bool Apply() override;
    // Takes back the units added since the page opened.
    void Cancel() override;

    CCompanyFields Fields() const;

public slots:
    // False when the unit in the box was refused, with its message.
    bool OnAddUnit();
    void OnDeleteUnit();
    void OnLogoButton();

private:
    void BuildControls();
    void BindKeys();
    void ShowLogo(const QString &path);

    CTallywickData &m_data;
    QString m_logoPath;
    // The units as stored: what Cancel goes back to, without the units whose
    // deletion was already written.
    QStringList m_storedUnits;

    QLineEdit *m_name = nullptr;
    QPlainTextEdit *m_address = nullptr;
    QLineEdit *m_phone = nullptr;
    QLineEdit *m_fax = nullptr;
    QLineEdit *m_email = nullptr;
    CLogoView *m_logo = nullptr;
    QPushButton *m_logoButton = nullptr;
    QLineEdit *m_unit = nullptr;
    QPushButton *m_addUnit = nullptr;
    QComboBox *m_units = nullptr;
    QPushButton *m_deleteUnit = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
    QLabel *m_clickOk = nullptr;
    CKeyHandler *m_keys = nullptr;
};
