#pragma once

#include <QDate>
#include <QDialog>

class CTallywickData;
class CTallywickView;
class QDateEdit;
class QLabel;
class QPushButton;
struct MoreReportOptions;

// The daily (mode 0), monthly (1) and specified-period (2) report dialog
// (139). OK, or OK in "More Options", shows the report and closes.
class CReportInfoDlg : public QDialog
{
    Q_OBJECT
public:
    static constexpr int IDD = 139;

    CReportInfoDlg(CTallywickData &data, CTallywickView &view, int mode, QWidget *parent = nullptr);

    int Mode() const { return m_mode; }
    QDate FirstDate() const;
    QDate SecondDate() const;
    void SetDates(const QDate &first, const QDate &second);

public slots:
    void accept() override;
    void OnMoreOptions();
    void OnAdvancedReport();

private:
    void UpdateOk();
    bool ShowPeriodReport(const MoreReportOptions *options);

    CTallywickData &m_data;
    CTallywickView &m_view;
    int m_mode;
    QDateEdit *m_first;
    QDateEdit *m_second;
    QPushButton *m_ok = nullptr;
};
