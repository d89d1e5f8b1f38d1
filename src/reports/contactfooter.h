#pragma once

#include "reports/reportcell.h"

#include <vector>

struct CCompanyRecord;
struct CSettingsRecord;

// Where each report kind puts the business e-mail, phone and fax. E-mail
// and phone share a row; the fax goes on the next row under the e-mail.
struct ContactColumns {
    int emailLabel;
    int emailValue;
    int phoneLabel;
    int phoneValue;
    // Period and list reports put a single blank where the e-mail label
    // would be when the e-mail is not printed.
    bool blankWithoutEmail;
};

inline constexpr ContactColumns kAdvancedContact{2, 3, 4, 5, false};
inline constexpr ContactColumns kPeriodContact{1, 2, 4, 5, true};
inline constexpr ContactColumns kListContact{1, 2, 3, 4, true};
inline constexpr ContactColumns kCustomContact{2, 3, 4, 5, false};

// Appends the contact lines that the print settings switch on and that hold
// something, starting at row; the address is never printed. Returns the row after the last contact
// row: row + 1, or row + 2 when the fax is printed.
int AppendContactFooter(std::vector<ReportCell> &cells, int row, const ContactColumns &columns,
                        const CCompanyRecord &company, const CSettingsRecord &settings);
