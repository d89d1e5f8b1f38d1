// The record dialogs with a small business in them.
#include "gallery.h"

#include "data/tallywickdata.h"
#include "records/categorypage.h"
#include "records/editdeletedlg.h"
#include "controls/pagehostdlg.h"
#include "records/selectunitdlg.h"
#include "records/transactiondlg.h"
#include "records/userinfopage.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QListWidget>
#include <QTreeWidget>

namespace {

const GalleryRegistration userInfo("records-userinfo", [] {
    return Sized(new CPageHostDlg(new CUserInfoPage(SampleData()), nullptr));
});

const GalleryRegistration userInfoWizard("records-userinfo-wizardpage", [] {
    return Sized(new CUserInfoPage(SampleData(), true));
});

const GalleryRegistration category("records-category", [] {
    auto *host = new CPageHostDlg(new CCategoryPage(SampleData()), nullptr);
    static_cast<CCategoryPage *>(host->Page())->SelectType(2);
    return Sized(host);
});

const GalleryRegistration categoryWizard("records-category-wizardpage", [] {
    auto *page = new CCategoryPage(SampleData(), true);
    page->SelectType(1);
    return Sized(page);
});

const GalleryRegistration selectUnit("records-selectunit", [] {
    auto *dlg = new CSelectUnitDlg(SampleData().company.units, nullptr);
    auto *list = Child<QListWidget>(dlg, 1078);
    list->item(0)->setCheckState(Qt::Checked);
    list->item(2)->setCheckState(Qt::Checked);
    return Sized(dlg);
});

const GalleryRegistration addIncome("records-transaction-add", [] {
    auto *dlg = new CTransactionDlg(SampleData(), 1);
    // A fixed day, so the picture does not change with the calendar.
    Child<QDateEdit>(dlg, 1026)->setDate(QDate(2023, 3, 18));
    Child<QLineEdit>(dlg, 1030)->setText(QStringLiteral("120.50"));
    Child<QLineEdit>(dlg, 1032)->setText(QStringLiteral("Wedding cake, deposit"));
    return Sized(dlg);
});

const GalleryRegistration editExpense("records-transaction-edit", [] {
    return Sized(new CTransactionDlg(SampleData(), 2, 3));
});

const GalleryRegistration editDelete("records-editdelete", [] {
    auto *dlg = new CEditDeleteDlg(SampleData(), 2);
    Child<QComboBox>(dlg, 1059)->setCurrentText(QStringLiteral("Flour"));
    Child<QDateEdit>(dlg, 1048)->setDate(QDate(2023, 3, 1));
    Child<QDateEdit>(dlg, 1049)->setDate(QDate(2023, 3, 31));
    auto *list = Child<QTreeWidget>(dlg, 1062);
    list->topLevelItem(1)->setSelected(true);
    list->topLevelItem(2)->setSelected(true);
    return Sized(dlg);
});

} // namespace
