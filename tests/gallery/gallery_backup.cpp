// Delete Old Data, as it opens and with a choice made.
#include "gallery.h"

#include "data/tallywickdata.h"
#include "records/deleteolddatadlg.h"

#include <QCheckBox>
#include <QDateEdit>

namespace {

CTallywickData &Data()
{
    static CTallywickData data;
    data.settings.dateFormat = QStringLiteral("dd/MMM/yyyy");
    return data;
}

const GalleryRegistration opened("records-deleteolddata", [] { return new CDeleteOldDataDlg(Data(), nullptr); });

const GalleryRegistration chosen("records-deleteolddata-chosen", [] {
    auto *dlg = new CDeleteOldDataDlg(Data(), nullptr);
    dlg->findChild<QCheckBox *>(QStringLiteral("1056"))->click();
    dlg->findChild<QCheckBox *>(QStringLiteral("1058"))->click();
    dlg->findChild<QDateEdit *>(QStringLiteral("1057"))->setDate(QDate(2024, 12, 31));
    return dlg;
});

} // namespace
