#include "records/currencydlg.h"

#include "base/stringids.h"
#include "base/stringtable.h"
#include "base/uiseam.h"
#include "data/dberror.h"
#include "data/dbrecordset.h"
#include "data/tallywickdata.h"
#include "records/recordui.h"

#include <QDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

std::optional<QString> CurrencyToStore(const QString &typed)
{
    const QString trimmed = typed.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    return trimmed;
}

QString ReadCurrency(CDbConnection &connection)
{
    CDbRecordset rs(connection);
    rs.Open("SELECT cCurrency FROM LB_DEFAULT_SETTINGS_TB");
    const QString currency = rs.IsEOF() ? QString() : rs.GetString(QStringLiteral("cCurrency"));
    rs.Close();
    return currency;
}

void WriteCurrency(CDbConnection &connection, const QString &currency)
{
    CDbRecordset rs(connection);
    rs.Open("UPDATE  LB_DEFAULT_SETTINGS_TB SET cCurrency = '%s'", SqlQuote(currency));
    rs.Close();
}

CCurrencyDlg::CCurrencyDlg(CTallywickData &data, bool inWizard, QWidget *parent)
    : CSettingsPage(inWizard, parent)
    , m_data(data)
{
    setWindowTitle(QStringLiteral("Set Currency "));
    m_currency = MakeControl<QLineEdit>(this, 1046);
    m_currency->setMaxLength(kMaxCurrency);
    QString stored;
    RunReported([&] { stored = ReadCurrency(data.connection); });
    m_currency->setText(stored);

    auto *group = MakeControl<QGroupBox>(this, 1107);
    auto *row = new QHBoxLayout;
    row->setSpacing(8);
    row->addWidget(MakeControl<QLabel>(this, 1106, QStringLiteral("Currency  (Example: $, Dollar)")));
    row->addWidget(m_currency);
    row->addWidget(MakeInfoIcon(this, 1142, LoadString(StringId::CurrencyInfoTip)));
    auto *ok = MakeControl<QPushButton>(this, 1, QStringLiteral("OK"));
    auto *cancel = MakeControl<QPushButton>(this, 2, QStringLiteral("Cancel"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto *layout = new QVBoxLayout(this);
    if (inWizard) {
        group->hide();
        ok->hide();
        cancel->hide();
        layout->addLayout(row);
    } else {
        new QVBoxLayout(group);
        group->layout()->addItem(row);
        layout->addWidget(group);
        ok->setDefault(true);
    }
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, [this] {
        if (Apply())
            emit closeRequested(QDialog::Accepted);
    });
    connect(cancel, &QPushButton::clicked, this, [this] { emit closeRequested(QDialog::Rejected); });
    // The wizard answers F1 for all of its pages.
    if (!inWizard)
        AddHelpKey(this, data, StringId::HelpSetupMenu);
}

bool CCurrencyDlg::Apply()
{
    const std::optional<QString> currency = CurrencyToStore(m_currency->text());
    if (!currency) {
        TwkMessageBox(LoadString(StringId::EnterCurrencySymbol), QStringLiteral("Tallywick + "), MB_OK | MB_ICONINFORMATION, this);
        m_currency->setFocus();
        return false;
    }
    if (!RunReported([&] { WriteCurrency(m_data.connection, *currency); }))
        return false;
    m_data.settings.cCurrency = *currency;
    m_currency->setText(*currency);
    return true;
}
