#pragma once

#include "controls/settingspage.h"

#include <optional>

class CDbConnection;
class CTallywickData;
class QLineEdit;

// The currency as stored: trimmed of blanks at both ends, never empty.
std::optional<QString> CurrencyToStore(const QString &typed);
QString ReadCurrency(CDbConnection &connection);
void WriteCurrency(CDbConnection &connection, const QString &currency);

// Set Currency (dialog 138): by itself, or as a page of the setup wizard,
// where OK, Cancel and the group box are hidden.
class CCurrencyDlg : public CSettingsPage
{
    Q_OBJECT
public:
    static constexpr int IDD = 138;
    static constexpr int kMaxCurrency = 10;

    explicit CCurrencyDlg(CTallywickData &data, bool inWizard = false, QWidget *parent = nullptr);

    int DialogId() const override { return IDD; }
    bool Apply() override;
    void Cancel() override {}

private:
    CTallywickData &m_data;
    QLineEdit *m_currency = nullptr;
};
