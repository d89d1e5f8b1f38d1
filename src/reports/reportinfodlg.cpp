#include "reports/reportinfodlg.h"

#include "base/stringids.h"
#include "data/tallywickdata.h"
#include "reports/advancedreportdlg.h"
#include "reports/moreoptionsdlg.h"
#include "reports/periodreport.h"
#include "reports/reportdlgui.h"
#include "reports/reportfailure.h"
#include "reports/tallywickview.h"

#include <QDateEdit>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

CReportInfoDlg::CReportInfoDlg(CTallywickData &data, CTallywickView &view, int mode, QWidget *parent)
    : QDialog(parent)
    , m_data(data)
    , m_view(view)
    , m_mode(mode)
{
    PrepareReportDialog(this, IDD, data);
    const QString format = data.settings.dateFormat;
    m_first = MakeReportPicker(this, 1048, format);
    m_second = MakeReportPicker(this, 1049, format);
    auto *firstCaption = MakeControl<QLabel>(this, 1088, QStringLiteral("Select the date"));
    auto *secondCaption = MakeControl<QLabel>(this, 1069, QStringLiteral("      To"));
    auto *more = MakeControl<QPushButton>(this, 1047, QStringLiteral("&More Options..."));
    more->setToolTip(QStringLiteral("Choose one unit and the categories first"));
    auto *advanced = MakeControl<QPushButton>(this, 1050, QStringLiteral("&Advanced Report"));
    advanced->setToolTip(QStringLiteral("Several units, chosen categories and a description filter"));
    auto *group = MakeControl<QGroupBox>(this, 1089);
    auto *info = MakeReportInfoIcon(this, 1104, StringId::ReportInfoTip);

    const bool period = mode == 2;
    secondCaption->setVisible(period);
    m_second->setVisible(period);
    advanced->setVisible(period);
    if (period) {
        firstCaption->setText(QStringLiteral("      From"));
        setWindowTitle(QStringLiteral("Specified Period Report"));
    } else if (mode == 1) {
        // A month is picked by stepping, without a calendar.
        m_first->setCalendarPopup(false);
        m_first->setDisplayFormat(MonthPickerFormat(format));
        firstCaption->setText(QStringLiteral("Select Month"));
        setWindowTitle(QStringLiteral("Monthly Report"));
    } else {
        setWindowTitle(QStringLiteral("Daily Report"));
    }

    auto *fields = new QGridLayout(group);
    fields->addWidget(firstCaption, 0, 0);
    fields->addWidget(m_first, 0, 1);
    fields->addWidget(info, 0, 2);
    fields->addWidget(secondCaption, 1, 0);
    fields->addWidget(m_second, 1, 1);
    m_first->setMinimumWidth(150);

    auto *buttons = MakeOkCancel(this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    buttons->setOrientation(Qt::Vertical);
    auto *side = new QVBoxLayout;
    side->addWidget(buttons);
    side->addWidget(more);
    side->addWidget(advanced);
    side->addStretch();
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(group, 1);
    layout->addLayout(side);

    connect(buttons, &QDialogButtonBox::accepted, this, &CReportInfoDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(more, &QPushButton::clicked, this, &CReportInfoDlg::OnMoreOptions);
    connect(advanced, &QPushButton::clicked, this, &CReportInfoDlg::OnAdvancedReport);
    connect(m_first, &QDateEdit::dateChanged, this, &CReportInfoDlg::UpdateOk);
    connect(m_second, &QDateEdit::dateChanged, this, &CReportInfoDlg::UpdateOk);
    UpdateOk();
}

QDate CReportInfoDlg::FirstDate() const
{
    return m_first->date();
}

QDate CReportInfoDlg::SecondDate() const
{
    return m_second->date();
}

void CReportInfoDlg::SetDates(const QDate &first, const QDate &second)
{
    m_first->setDate(first);
    m_second->setDate(second);
}

void CReportInfoDlg::UpdateOk()
{
    m_ok->setEnabled(m_mode != 2 || m_first->date() <= m_second->date());
}

bool CReportInfoDlg::ShowPeriodReport(const MoreReportOptions *options)
{
    const PeriodRequest request{m_mode, m_first->date(), m_second->date(), options};
    return RunReportStep([&] { m_view.ShowReport(PeriodReport(m_data, request)); });
}

void CReportInfoDlg::accept()
{
    if (!m_ok->isEnabled())
        return;
    if (ShowPeriodReport(nullptr))
        QDialog::accept();
}

void CReportInfoDlg::OnMoreOptions()
{
    if (!m_ok->isEnabled())
        return;
    CMoreReportOptionsDlg options(m_data, this);
    if (options.exec() != QDialog::Accepted)
        return;
    if (ShowPeriodReport(&options.Options()))
        QDialog::accept();
}

void CReportInfoDlg::OnAdvancedReport()
{
    CAdvancedReportDlg advanced(m_data, m_view, this);
    advanced.SetDates(m_first->date(), m_second->date());
    if (advanced.exec() == QDialog::Accepted)
        QDialog::accept();
}
