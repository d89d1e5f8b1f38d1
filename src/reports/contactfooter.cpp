#include "reports/contactfooter.h"

#include "data/tallywickdata.h"

namespace {

void Add(std::vector<ReportCell> &cells, int column, int row, const QString &text)
{
    ReportCell cell;
    cell.column = column;
    cell.row = row;
    cell.text = text;
    cells.push_back(std::move(cell));
}

} // namespace

int AppendContactFooter(std::vector<ReportCell> &cells, int row, const ContactColumns &columns,
                        const CCompanyRecord &company, const CSettingsRecord &settings)
{
    if (settings.iPrintEMail) {
        Add(cells, columns.emailLabel, row, QStringLiteral("E-mail:"));
        Add(cells, columns.emailValue, row, company.cEmail);
    } else if (columns.blankWithoutEmail) {
        Add(cells, columns.emailLabel, row, QStringLiteral(" "));
    }
    if (settings.iPrintPhNo) {
        Add(cells, columns.phoneLabel, row, QStringLiteral("Phone:"));
        Add(cells, columns.phoneValue, row, company.cPhoneNo);
    }
    if (!settings.iPrintFaxNo)
        return row + 1;
    Add(cells, columns.emailLabel, row + 1, QStringLiteral("Fax:"));
    Add(cells, columns.emailValue, row + 1, company.cFaxNo);
    return row + 2;
}
