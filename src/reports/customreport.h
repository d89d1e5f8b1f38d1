#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class CDbConnection;

// One category placed in a subsection, as the category table holds it. The
// type is the kind it counts as: 1 income, 2 expense, from the list it was
// picked in (3, both, only in definitions kept before the kind was recorded).
struct CReportCategory {
    int type = 0;
    int id = 0;
    QString name;
};

struct CReportSubsection {
    QString name;
    QList<CReportCategory> categories;
};

// A named grouping of categories into subsections.
struct CCustomReport {
    QString name;
    QList<CReportSubsection> subsections;

    CReportSubsection *FindSubsection(const QString &subsection);
    // Whether any subsection already holds a category of that name counted
    // as that kind (1 income, 2 expense); one of both kinds counts as either.
    bool UsesCategory(const QString &category, int type) const;
};

using CCustomReportList = QList<CCustomReport>;

CCustomReport *FindReport(CCustomReportList &reports, const QString &name);
const CCustomReport *FindReport(const CCustomReportList &reports, const QString &name);

// The definitions as stored: fixed element names and line breaks, no
// declaration, no indentation. Names are escaped, so a "<" or "&" in one
// cannot make the whole text unreadable.
QString CustomReportsXml(const CCustomReportList &reports);

enum class CustomXmlResult { Loaded, Empty, Unreadable };
// Rebuilds the definitions from their categories, so reports and
// subsections without a category are not restored. An empty text holds no
// definitions.
CustomXmlResult ParseCustomReports(const QString &text, CCustomReportList &reports);

// The file the definitions are also written to, in the program's folder.
inline const QString kCustomReportFile = QStringLiteral("twkcustomreport.xml");

// Reads the stored text and parses it; parser failures are shown (61549)
// and leave the list empty.
CCustomReportList LoadCustomReports(CDbConnection &connection);

// Writes the file into `folder` (an empty folder means the current one), then
// the text into the database. Returns the message to show: "Save Completed",
// "Unable to open file" or "Database Error".
QString SaveCustomReports(CDbConnection &connection, const QString &folder, const CCustomReportList &reports);
// Line feeds become carriage return and line feed, as a file written in
// text mode has them.
QByteArray TextModeBytes(const QString &text);

// A row of the category table offered for selection.
struct CCategoryRow {
    QString name;
    int id = 0;
    int type = 0;
};

QList<CCategoryRow> ReadCategoryRows(CDbConnection &connection);
// The names offered in the income (incomeList) or expense list: categories of
// that kind or of both kinds, without those the report already places as
// that kind (a category of both kinds may be placed once as each).
QStringList AvailableCategories(const QList<CCategoryRow> &rows, bool incomeList, const CCustomReport *report);

// The editing rules of the dialog, on plain data. Each returns the message
// to show and changes nothing when it refuses.
namespace CustomReportEdit {

inline const QString kReportAdded = QStringLiteral("New Report Added Successfully");
inline const QString kReportExists = QStringLiteral("Report Name Already exist");
inline const QString kSubsectionAdded = QStringLiteral("Subsection Added Successfully");
inline const QString kEnterSubsection = QStringLiteral("Please enter the subsection name");
inline const QString kSubsectionExists = QStringLiteral("Subsection name already exists");
inline const QString kSelectCategories = QStringLiteral("Please Select categories");
inline const QString kSubsectionUpdated = QStringLiteral("Updation Successfull");
inline const QString kReportUpdated = QStringLiteral("Updated Successfully");

// Appends `report` under `name` unless a report has that name.
QString AddReport(CCustomReportList &reports, CCustomReport report, const QString &name);
// Renames report `index`; refused when another report has that name.
QString RenameReport(CCustomReportList &reports, qsizetype index, const QString &name);
// A new subsection of the selected income, then expense, categories.
QString AddSubsection(CCustomReport &report, const QString &name, const QStringList &incomes,
                      const QStringList &expenses, const QList<CCategoryRow> &rows);
// Renames the subsection and adds the selected categories to it.
QString UpdateSubsection(CCustomReport &report, const QString &subsection, const QString &name,
                         const QStringList &incomes, const QStringList &expenses, const QList<CCategoryRow> &rows);

} // namespace CustomReportEdit
