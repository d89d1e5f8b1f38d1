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

// A label over nothing reads as a fault on paper: a field printed only
// when it is switched on and holds something.
bool Printed(int setting, const QString &value)
{
    return setting && !value.trimmed().isEmpty();
}

} // namespace

int AppendContactFooter(std::vector<ReportCell> &cells, int row, const ContactColumns &columns,
                        const CCompanyRecord &company, const CSettingsRecord &settings)
{
    if (Printed(settings.iPrintEMail, company.cEmail)) {
        Add(cells, columns.emailLabel, row, QStringLiteral("E-mail:"));
        Add(cells, columns.emailValue, row, company.cEmail);
    } else if (columns.blankWithoutEmail) {
        Add(cells, columns.emailLabel, row, QStringLiteral(" "));
    }
    if (Printed(settings.iPrintPhNo, company.cPhoneNo)) {
        Add(cells, columns.phoneLabel, row, QStringLiteral("Phone:"));
        Add(cells, columns.phoneValue, row, company.cPhoneNo);
    }
    if (!Printed(settings.iPrintFaxNo, company.cFaxNo))
        return row + 1;
    Add(cells, columns.emailLabel, row + 1, QStringLiteral("Fax:"));
    Add(cells, columns.emailValue, row + 1, company.cFaxNo);
    return row + 2;
}
