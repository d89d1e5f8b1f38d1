// The custom report dialog and a custom report in the main window, on a
// small business with two units.
#include "gallery.h"

#include "controls/gridctrl.h"
#include "data/dbschema.h"
#include "data/sqltext.h"
#include "data/tallywickdata.h"
#include "reports/customreportdlg.h"
#include "reports/customreportwriter.h"
#include "reports/tallywickview.h"
#include "support/testdatabase.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>

namespace {

struct CCustomSample {
    CTestDatabase db;
    QTemporaryDir folder;
    CTallywickData data;

    CCustomSample()
    {
        data.connection.Open(db.ConnectionString(), kDbUser, kDbPassword);
        data.SetAppFolder(folder.path());
        data.settings.backgroundColour = 0x4B4B4B;
        data.settings.cCurrency = QStringLiteral("$");
        data.settings.dateFormat = QStringLiteral("dd/MMM/yyyy");
        data.settings.iPrintEMail = data.settings.iPrintPhNo = data.settings.iPrintFaxNo = 1;
        data.company.cName = QStringLiteral("Ann's Bakery");
        data.company.cEmail = QStringLiteral("ann@annsbakery.example");
        data.company.cPhoneNo = QStringLiteral("0113 496 0000");
        data.company.cFaxNo = QStringLiteral("0113 496 0001");
        data.company.units = {QStringLiteral("Shop"), QStringLiteral("Market Stall")};
        const std::pair<const char *, int> categories[] = {{"Sales", 1}, {"Catering", 1}, {"Rent", 2},
                                                           {"Flour", 2}, {"Wages", 2},    {"Bank Charges", 3}};
        for (const auto &[name, type] : categories)
            db.Exec(FormatSql("INSERT INTO LB_ITEM_MASTER_INFO_TB (cTransactionName,cTransactionDescription,iType) "
                              "VALUES ('%s','',%d)",
                              QString::fromLatin1(name), type));
        const struct {
            const char *unit, *date, *category;
            double amount;
        } rows[] = {
            {"Shop", "01/06/2026", "Sales", 1320.4},      {"Shop", "01/20/2026", "Catering", 450},
            {"Shop", "01/03/2026", "Rent", 800},          {"Shop", "01/09/2026", "Flour", 92.8},
            {"Shop", "01/30/2026", "Wages", 1210},        {"Market Stall", "01/10/2026", "Sales", 310.25},
            {"Market Stall", "01/17/2026", "Flour", 22.5}, {"Market Stall", "01/02/2026", "Rent", 60},
        };
        for (const auto &r : rows)
            db.Exec(FormatSql("INSERT INTO LB_TRANSACTION_INFO_TB (cUnitName,cTransactionDate,cTransactionName,"
                              "cTransactionAmount,cTransactionDescription,iTransactionType) "
                              "VALUES ('%s','%s','%s',%f,'',1)",
                              QString::fromLatin1(r.unit), QString::fromLatin1(r.date),
                              QString::fromLatin1(r.category), r.amount));
        const CCustomReportList reports{
            {QStringLiteral("Monthly overview"),
             {{QStringLiteral("Takings"), {{1, 1, QStringLiteral("Sales")}, {1, 2, QStringLiteral("Catering")}}},
              {QStringLiteral("Running costs"),
               {{2, 3, QStringLiteral("Rent")}, {2, 4, QStringLiteral("Flour")}, {2, 5, QStringLiteral("Wages")}}}}},
            {QStringLiteral("Bank"), {{QStringLiteral("Charges"), {{3, 6, QStringLiteral("Bank Charges")}}}}},
        };
        SaveCustomReports(data.connection, data.appFolder, reports);
    }
};

CCustomSample &Sample()
{
    static CCustomSample sample;
    return sample;
}

CCustomReportDlg *Dialog(bool editing)
{
    auto *dlg = new CCustomReportDlg(Sample().data, nullptr);
    dlg->findChild<QDateEdit *>(QStringLiteral("1033"))->setDate(QDate(2026, 1, 1));
    dlg->findChild<QDateEdit *>(QStringLiteral("1027"))->setDate(QDate(2026, 1, 31));
    if (editing) {
        dlg->ShowEditing(true);
        dlg->OnEditReport();
        dlg->findChild<QLineEdit *>(QStringLiteral("1148"))->setText(QStringLiteral("Extras"));
        dlg->findChild<QListWidget *>(QStringLiteral("1149"))->item(0)->setSelected(true);
        dlg->findChild<QCheckBox *>(QStringLiteral("1165"))->setChecked(true);
    }
    dlg->layout()->activate();
    dlg->adjustSize();
    return dlg;
}

QMainWindow *ReportWindow()
{
    auto *window = new QMainWindow;
    window->setWindowTitle(QStringLiteral("Tallywick + "));
    auto *view = new CTallywickView(Sample().data, window);
    window->setCentralWidget(view);
    window->resize(900, 700);
    window->show();
    QApplication::processEvents();
    CCustomReportList reports = LoadCustomReports(Sample().data.connection);
    const CustomReportPeriod period{QDate(2026, 1, 1), QDate(2026, 1, 31), QStringLiteral("01/Jan/2026"),
                                    QStringLiteral("31/Jan/2026")};
    CCustomReportWriter(Sample().data.connection, Sample().data.company, Sample().data.settings)
        .Write(view->GetGrid()->Model(), reports.first(), period, Sample().data.company.units);
    FinishDirectReport(*view->GetGrid());
    QApplication::processEvents();
    return window;
}

const GalleryRegistration dialog("custom-dialog", [] { return static_cast<QWidget *>(Dialog(false)); });
const GalleryRegistration dialogEditing("custom-dialog-editing", [] { return static_cast<QWidget *>(Dialog(true)); });
const GalleryRegistration report("custom-report", [] { return static_cast<QWidget *>(ReportWindow()); });

const GalleryRegistration printed("custom-report-printed", std::function<void(const QString &)>([](const QString &out) {
    std::unique_ptr<QMainWindow> window(ReportWindow());
    const QString pdf = QDir(out).filePath(QStringLiteral("custom-report-printed.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setOutputFileName(pdf);
    window->findChild<CTallywickView *>()->PrintTo(printer);
    QProcess::execute(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("60"), QStringLiteral("-png"),
                                                   pdf, QDir(out).filePath(QStringLiteral("custom-report-printed"))});
}));

} // namespace
