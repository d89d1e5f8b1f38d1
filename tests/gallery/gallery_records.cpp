// The record dialogs with a small business in them.
#include "gallery.h"

#include "data/dbschema.h"
#include "data/sqltext.h"
#include "data/tallywickdata.h"
#include "records/categorypage.h"
#include "records/editdeletedlg.h"
#include "records/pagehostdlg.h"
#include "records/selectunitdlg.h"
#include "records/transactiondlg.h"
#include "records/userinfopage.h"
#include "support/testdatabase.h"

#include <QComboBox>
#include <QDateEdit>
#include <QImage>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QTreeWidget>

namespace {

struct CSampleBusiness {
    CTestDatabase db;
    CTallywickData data;

    CSampleBusiness()
    {
        data.connection.Open(db.ConnectionString(), kDbUser, kDbPassword);
        data.settings.cCurrency = QStringLiteral("$");
        data.settings.dateFormat = QStringLiteral("dd/MMM/yyyy");
        data.company.cName = QStringLiteral("Ann's Bakery");
        data.company.cAddress = QStringLiteral("1 Mill Lane\nLeeds LS1 4AB");
        data.company.cPhoneNo = QStringLiteral("0113 496 0000");
        data.company.cEmail = QStringLiteral("ann@annsbakery.example");
        data.company.cLogoPath = Logo();
        data.company.units = {QStringLiteral("Shop"), QStringLiteral("Market Stall"), QStringLiteral("Online")};
        const char *categories[][3] = {
            {"Sales", "Bread and cakes over the counter", "1"}, {"Catering", "Weddings and parties", "1"},
            {"Rent", "Shop and stall rent", "2"},               {"Flour", "By the sack", "2"},
            {"Wages", "Two part-time helpers", "2"},           {"Bank Charges", "", "3"},
        };
        for (const auto &c : categories) {
            db.Exec(FormatSql("INSERT INTO LB_ITEM_MASTER_INFO_TB (cTransactionName,cTransactionDescription,iType) "
                              "values ('%s','%s',%s)",
                              SqlQuote(QString::fromLatin1(c[0])), SqlQuote(QString::fromLatin1(c[1])),
                              QString::fromLatin1(c[2])));
        }
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
        };
        for (const auto &r : rows) {
            db.Exec(FormatSql("INSERT INTO LB_TRANSACTION_INFO_TB (cUnitName,cTransactionDate,cTransactionName,"
                              "cTransactionAmount,cTransactionDescription,iTransactionType) "
                              "values ('%s','%s','%s',%f,'%s',%d)",
                              QString::fromLatin1(r.unit), QString::fromLatin1(r.date), QString::fromLatin1(r.category),
                              r.amount, QString::fromLatin1(r.description), r.type));
        }
    }

    // A small drawn logo in the database's folder.
    QString Logo()
    {
        const QString path = db.Folder() + QStringLiteral("/logo.bmp");
        QImage image(160, 120, QImage::Format_RGB32);
        image.fill(QColor(250, 240, 220));
        QPainter painter(&image);
        painter.setBrush(QColor(200, 140, 60));
        painter.setPen(Qt::NoPen);
        painter.drawEllipse(QRect(30, 30, 100, 60));
        painter.setPen(QColor(90, 50, 10));
        painter.drawText(image.rect().adjusted(0, 0, 0, -6), Qt::AlignHCenter | Qt::AlignBottom, QStringLiteral("ANN'S"));
        painter.end();
        image.save(path);
        return path;
    }
};

CSampleBusiness &Sample()
{
    static CSampleBusiness sample;
    return sample;
}

const GalleryRegistration userInfo("records-userinfo", [] {
    return Sized(new CPageHostDlg(new CUserInfoPage(Sample().data), nullptr));
});

const GalleryRegistration userInfoWizard("records-userinfo-wizardpage", [] {
    return Sized(new CUserInfoPage(Sample().data, true));
});

const GalleryRegistration category("records-category", [] {
    auto *host = new CPageHostDlg(new CCategoryPage(Sample().data), nullptr);
    static_cast<CCategoryPage *>(host->Page())->SelectType(2);
    return Sized(host);
});

const GalleryRegistration categoryWizard("records-category-wizardpage", [] {
    auto *page = new CCategoryPage(Sample().data, true);
    page->SelectType(1);
    return Sized(page);
});

const GalleryRegistration selectUnit("records-selectunit", [] {
    auto *dlg = new CSelectUnitDlg(Sample().data.company.units, nullptr);
    auto *list = dlg->findChild<QListWidget *>(QStringLiteral("1078"));
    list->item(0)->setCheckState(Qt::Checked);
    list->item(2)->setCheckState(Qt::Checked);
    return Sized(dlg);
});

const GalleryRegistration addIncome("records-transaction-add", [] {
    auto *dlg = new CTransactionDlg(Sample().data, 1);
    // A fixed day, so the picture does not change with the calendar.
    dlg->findChild<QDateEdit *>(QStringLiteral("1026"))->setDate(QDate(2023, 3, 18));
    dlg->findChild<QLineEdit *>(QStringLiteral("1030"))->setText(QStringLiteral("120.50"));
    dlg->findChild<QLineEdit *>(QStringLiteral("1032"))->setText(QStringLiteral("Wedding cake, deposit"));
    return Sized(dlg);
});

const GalleryRegistration editExpense("records-transaction-edit", [] {
    return Sized(new CTransactionDlg(Sample().data, 2, 3));
});

const GalleryRegistration editDelete("records-editdelete", [] {
    auto *dlg = new CEditDeleteDlg(Sample().data, 2);
    dlg->findChild<QComboBox *>(QStringLiteral("1059"))->setCurrentText(QStringLiteral("Flour"));
    dlg->findChild<QDateEdit *>(QStringLiteral("1048"))->setDate(QDate(2023, 3, 1));
    dlg->findChild<QDateEdit *>(QStringLiteral("1049"))->setDate(QDate(2023, 3, 31));
    auto *list = dlg->findChild<QTreeWidget *>(QStringLiteral("1062"));
    list->topLevelItem(1)->setSelected(true);
    list->topLevelItem(2)->setSelected(true);
    return Sized(dlg);
});

} // namespace
