// The import wizard's three pages on a bank statement of the sample bakery.
#include "gallery.h"

#include "data/tallywickdata.h"
#include "records/importreview.h"
#include "records/importrulesdlg.h"
#include "records/importwizard.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QStringEncoder>
#include <QTableWidget>
#include <QTemporaryDir>

namespace {

// A German bank's export: semicolons, decimal commas, Windows-1252 umlauts,
// debit and credit columns, and one day that does not exist.
QString Statement()
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Kontoauszug-2026-04.csv"));
    if (QFile::exists(path))
        return path;
    const QString text = QStringLiteral("Kontoauszug;Ann's Bakery;April 2026\n"
                                        "Buchungstag;Empfänger;Verwendungszweck;Soll;Haben\n"
                                        "01.04.2026;April rent;;850,00;\n"
                                        "03.04.2026;Müller Mühle GmbH;Mill order, rye;420,75;\n"
                                        "05.04.2026;Kartenzahlungen;Tagesumsatz;;1.312,40\n"
                                        "08.04.2026;Müller Mühle GmbH;Rechnung 4471;186,20;\n"
                                        "11.04.2026;Smith;Wedding deposit;;1.250,00\n"
                                        "14.04.2026;Shell Station;Diesel;64,30;\n"
                                        "18.04.2026;Bank;Kontoführung;9,90;\n"
                                        "22.04.2026;Bäckerbedarf Huber;Tüten und Kartons;38,45;\n"
                                        "24.04.2026;Kartenzahlungen;Tagesumsatz;;287,60\n"
                                        "31.04.2026;Storno;;12,00;\n"
                                        "30.04.2026;Lohn;April;980,00;\n");
    QStringEncoder latin(QStringEncoder::Latin1);
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(latin.encode(text));
    return path;
}

CImportWizard *Wizard(CImportWizard::Page page)
{
    auto *wizard = new CImportWizard(SampleData());
    Child<QLineEdit>(wizard, CImportWizard::IdFile)->setText(Statement());
    QMetaObject::invokeMethod(Child<QLineEdit>(wizard, CImportWizard::IdFile), "editingFinished");
    if (page >= CImportWizard::ColumnsPage)
        wizard->OnNext();
    if (page == CImportWizard::FilePage) // where a browser saves it, not the gallery's scratch folder
        Child<QLineEdit>(wizard, CImportWizard::IdFile)->setText(QStringLiteral("/home/ann/Downloads/Kontoauszug-2026-04.csv"));
    if (page == CImportWizard::ReviewPage) {
        Child<QComboBox>(wizard, CImportWizard::IdUnit)->setCurrentText(QStringLiteral("Shop"));
        wizard->OnNext();
        Child<QComboBox>(wizard, CImportWizard::IdDefaultIncome)->setCurrentText(QStringLiteral("Sales"));
        CImportReviewModel *review = wizard->Review();
        review->SetCategory(1, QStringLiteral("Flour"));
        review->SetCategory(3, QStringLiteral("Flour"));
        review->SetCategory(4, QStringLiteral("Catering"));
        review->SetCategory(5, QStringLiteral("Van Fuel"));
        review->SetCategory(6, QStringLiteral("Bank Charges"));
        review->SetCategory(10, QStringLiteral("Wages"));
    }
    return wizard;
}

const GalleryRegistration file("import-file", [] { return Wizard(CImportWizard::FilePage); });
const GalleryRegistration columns("import-columns", [] { return Wizard(CImportWizard::ColumnsPage); });
const GalleryRegistration review("import-review", [] { return Wizard(CImportWizard::ReviewPage); });

// The sample's rules and columns are there only while the dialog reads
// them, so the review picture shows lines no rule has filed.
const GalleryRegistration rules("import-rules", [] {
    CTallywickData &data = SampleData();
    CImportStore store(data.connection);
    auto rule = [](RuleMatch match, const char *pattern, const char *category) {
        CImportRule r;
        r.match = match;
        r.pattern = QString::fromUtf8(pattern);
        r.category = QString::fromUtf8(category);
        return r;
    };
    store.SaveRules({rule(RuleMatch::StartsWith, "Müller Mühle", "Flour"), rule(RuleMatch::Contains, "Tagesumsatz", "Sales"),
                     rule(RuleMatch::Regex, "^(Shell|Aral|Esso) ", "Van Fuel"), rule(RuleMatch::StartsWith, "Bank", "Bank Charges"),
                     rule(RuleMatch::Contains, "Lohn", "Wages")});
    store.SaveMapping(QStringLiteral("Sparkasse"), CCsvLayout());
    store.SaveMapping(QStringLiteral("Home Bank"), CCsvLayout());
    auto *dialog = new CImportRulesDlg(data);
    Child<QTableWidget>(dialog, CImportRulesDlg::IdRules)->selectRow(2);
    store.SaveRules({});
    store.DeleteMapping(QStringLiteral("Sparkasse"));
    store.DeleteMapping(QStringLiteral("Home Bank"));
    return dialog;
});

} // namespace
