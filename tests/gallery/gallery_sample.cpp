// The sample business and the helpers the gallery's pictures share.
#include "gallery.h"

#include "data/dbschema.h"
#include "data/sqltext.h"
#include "data/tallywickdata.h"
#include "reports/customreport.h"
#include "reports/tallywickview.h"
#include "support/testdatabase.h"

#include <QApplication>
#include <QDir>
#include <QLayout>
#include <QMainWindow>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>

namespace {

struct CSample {
    CTestDatabase db;
    QTemporaryDir folder;
    CTallywickData data;

    CSample()
    {
        data.connection.Open(db.ConnectionString(), kDbUser, kDbPassword);
        data.SetAppFolder(folder.path());
        data.settings.backgroundColour = 0x4B4B4B;
        data.settings.cCurrency = QStringLiteral("$");
        data.settings.dateFormat = QStringLiteral("dd/MMM/yyyy");
        data.settings.iPrintEMail = data.settings.iPrintPhNo = data.settings.iPrintFaxNo = 1;
        data.settings.iPrintLogo = 1;
        data.company.cName = QStringLiteral("Ann's Bakery");
        data.company.cAddress = QStringLiteral("1 Mill Lane\nLeeds LS1 4AB");
        data.company.cPhoneNo = QStringLiteral("0113 496 0000");
        data.company.cFaxNo = QStringLiteral("0113 496 0001");
        data.company.cEmail = QStringLiteral("ann@annsbakery.example");
        data.company.cLogoPath = Logo();
        data.company.units = {QStringLiteral("Shop"), QStringLiteral("Market Stall"), QStringLiteral("Online")};
        const char *categories[][3] = {
            {"Sales", "Bread and cakes over the counter", "1"}, {"Catering", "Weddings and parties", "1"},
            {"Rent", "Shop and stall rent", "2"},               {"Flour", "By the sack", "2"},
            {"Wages", "Two part-time helpers", "2"},           {"Van Fuel", "", "2"},
            {"Bank Charges", "", "3"},
        };
        for (const auto &c : categories)
            db.AddCategory(c[0], QByteArray(c[2]).toInt(), c[1]);
        data.LoadCategories();
        const struct {
            const char *unit, *date, *category;
            double amount;
            const char *description;
            int type;
        } rows[] = {
            {"Shop", "03/06/2023", "Flour", 45, "Two sacks, wholemeal", 2},
            {"Market Stall", "03/07/2023", "Flour", 22.5, "One sack", 2},
            {"Shop", "03/09/2023", "Flour", 47.8, "Two sacks, rye", 2},
            {"Online", "03/14/2023", "Flour", 12, "Spelt, trial bag", 2},
            {"Shop", "03/06/2023", "Sales", 320.4, "Saturday", 1},
            {"Shop", "01/06/2026", "Sales", 1320.4, "", 1},
            {"Shop", "01/20/2026", "Catering", 450, "", 1},
            {"Shop", "01/03/2026", "Rent", 800, "", 2},
            {"Shop", "01/09/2026", "Flour", 92.8, "", 2},
            {"Shop", "01/30/2026", "Wages", 1210, "", 2},
            {"Market Stall", "01/10/2026", "Sales", 310.25, "", 1},
            {"Market Stall", "01/17/2026", "Flour", 22.5, "", 2},
            {"Market Stall", "01/02/2026", "Rent", 60, "", 2},
            {"Shop", "04/01/2026", "Rent", 850, "April rent", 2},
            {"Shop", "04/02/2026", "Sales", 312.4, "Thursday counter", 1},
            {"Shop", "04/03/2026", "Flour", 420.75, "Mill order, rye", 2},
            {"Market Stall", "04/04/2026", "Sales", 198, "Saturday stall", 1},
            {"Shop", "04/11/2026", "Catering", 1250, "Smith wedding, deposit", 1},
            {"Market Stall", "04/11/2026", "Rent", 120, "Pitch", 2},
            {"Shop", "04/15/2026", "Wages", 980, "Two helpers", 2},
            {"Online", "04/18/2026", "Sales", 240, "Bread boxes", 1},
            {"Market Stall", "04/22/2026", "Van Fuel", 64.3, "Diesel", 2},
            {"Shop", "04/25/2026", "Sales", 287.6, "Saturday counter", 1},
        };
        for (const auto &r : rows)
            db.AddTransaction(r.unit, r.date, r.category, r.amount, r.description, r.type);
        // A busy February, for reports of several pages.
        for (int i = 0; i < 70; ++i)
            db.AddTransaction("Shop", DateText(QDate(2026, 2, 1 + i % 28)), "Flour", 12.5 + i * 3.25,
                              QStringLiteral("Mill order %1").arg(4100 + i), 2);
        SaveCustomReports(
            data.connection, data.appFolder,
            {{QStringLiteral("Monthly overview"),
              {{QStringLiteral("Takings"), {{1, 1, QStringLiteral("Sales")}, {1, 2, QStringLiteral("Catering")}}},
               {QStringLiteral("Running costs"),
                {{2, 3, QStringLiteral("Rent")}, {2, 4, QStringLiteral("Flour")}, {2, 5, QStringLiteral("Wages")}}}}},
             {QStringLiteral("Bank"), {{QStringLiteral("Charges"), {{3, 7, QStringLiteral("Bank Charges")}}}}}});
    }

    // A small drawn logo in the database's folder.
    QString Logo()
    {
        const QString path = db.Folder() + QStringLiteral("/logo.bmp");
        QImage image(120, 72, QImage::Format_RGB32);
        image.fill(QColor(250, 240, 220));
        QPainter painter(&image);
        painter.setBrush(QColor(200, 140, 60));
        painter.setPen(Qt::NoPen);
        painter.drawEllipse(QRect(20, 14, 80, 40));
        painter.setPen(QColor(90, 50, 10));
        painter.drawText(image.rect().adjusted(0, 0, 0, -4), Qt::AlignHCenter | Qt::AlignBottom, QStringLiteral("ANN'S"));
        painter.end();
        image.save(path, "BMP");
        return path;
    }
};

} // namespace

CTallywickData &SampleData()
{
    static CSample sample;
    return sample.data;
}

QWidget *Sized(QWidget *widget)
{
    if (widget->layout())
        widget->layout()->activate();
    widget->adjustSize();
    return widget;
}

QMainWindow *ReportWindow(const QString &title, CTallywickData *data)
{
    auto *window = new QMainWindow;
    window->setWindowTitle(title);
    auto *view = new CTallywickView(data ? *data : SampleData(), window);
    window->setCentralWidget(view);
    window->resize(900, 600);
    window->show();
    QApplication::processEvents();
    return window;
}

CTallywickView *ViewOf(QMainWindow *window)
{
    return static_cast<CTallywickView *>(window->centralWidget());
}

void PrintPages(CTallywickView &view, const QString &folder, const QString &name)
{
    const QString pdf = QDir(folder).filePath(name + QStringLiteral(".pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    printer.setPageSize(QPageSize(QPageSize::A4));
    view.PrintTo(printer);
    QProcess::execute(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("60"), QStringLiteral("-png"),
                                                   pdf, QDir(folder).filePath(name)});
}
