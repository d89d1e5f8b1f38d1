#include "reports/customreport.h"

#include "base/stringids.h"
#include "base/stringtable.h"
#include "base/uiseam.h"
#include "data/dberror.h"
#include "data/dbrecordset.h"

#include <QDir>
#include <QDomDocument>
#include <QSaveFile>

CReportSubsection *CCustomReport::FindSubsection(const QString &subsection)
{
    for (CReportSubsection &s : subsections) {
        if (s.name == subsection)
            return &s;
    }
    return nullptr;
}

bool CCustomReport::UsesCategory(const QString &category, int type) const
{
    for (const CReportSubsection &s : subsections) {
        for (const CReportCategory &c : s.categories) {
            if (c.name == category && (c.type == type || (c.type != 1 && c.type != 2)))
                return true;
        }
    }
    return false;
}

CCustomReport *FindReport(CCustomReportList &reports, const QString &name)
{
    return const_cast<CCustomReport *>(FindReport(std::as_const(reports), name));
}

const CCustomReport *FindReport(const CCustomReportList &reports, const QString &name)
{
    for (const CCustomReport &r : reports) {
        if (r.name == name)
            return &r;
    }
    return nullptr;
}

QString CustomReportsXml(const CCustomReportList &reports)
{
    QString xml = QStringLiteral("<twkcustomreport>");
    for (const CCustomReport &report : reports) {
        xml += QStringLiteral("\r\n<report>\r\n<name>") + report.name.toHtmlEscaped() + QStringLiteral("</name>");
        for (const CReportSubsection &subsection : report.subsections) {
            xml += QStringLiteral("\r\n<subsection>\r\n<name>") + subsection.name.toHtmlEscaped()
                 + QStringLiteral("</name>");
            for (const CReportCategory &c : subsection.categories) {
                xml += QStringLiteral("\n<category>\n<ID>") + QString::number(c.id) + QStringLiteral("</ID>\r\n<Name>")
                     + c.name.toHtmlEscaped() + QStringLiteral("</Name>\r\n<Type>") + QString::number(c.type)
                     + QStringLiteral("</Type>\r\n</category>");
            }
            xml += QStringLiteral("\n</subsection>");
        }
        xml += QStringLiteral("\n</report>");
    }
    return xml + QStringLiteral("\n</twkcustomreport>");
}

CustomXmlResult ParseCustomReports(const QString &text, CCustomReportList &reports)
{
    reports.clear();
    // A new database holds no text yet: no definitions, nothing to report.
    if (text.trimmed().isEmpty())
        return CustomXmlResult::Empty;
    QDomDocument document;
    if (!document.setContent(text))
        return CustomXmlResult::Unreadable;
    const QDomNodeList categories = document.elementsByTagName(QStringLiteral("category"));
    for (int i = 0; i < categories.size(); ++i) {
        const QDomElement element = categories.at(i).toElement();
        CReportCategory category;
        category.id = element.firstChildElement(QStringLiteral("ID")).text().toInt();
        category.name = element.firstChildElement(QStringLiteral("Name")).text();
        category.type = element.firstChildElement(QStringLiteral("Type")).text().toInt();
        const QDomElement subsectionElement = element.parentNode().toElement();
        const QString subsectionName = subsectionElement.firstChildElement().text();
        const QString reportName = subsectionElement.parentNode().toElement().firstChildElement().text();

        CCustomReport *report = FindReport(reports, reportName);
        if (!report) {
            reports.append(CCustomReport{reportName, {}});
            report = &reports.last();
        }
        CReportSubsection *subsection = report->FindSubsection(subsectionName);
        if (!subsection) {
            report->subsections.append(CReportSubsection{subsectionName, {}});
            subsection = &report->subsections.last();
        }
        subsection->categories.append(category);
    }
    return CustomXmlResult::Loaded;
}

CCustomReportList LoadCustomReports(CDbConnection &connection)
{
    CCustomReportList reports;
    QString text;
    try {
        CDbRecordset rs(connection);
        rs.Open("SELECT cReserved FROM LB_COMPANY_INFO_TB");
        if (!rs.IsEOF())
            text = rs.GetString(QStringLiteral("cReserved"));
    } catch (const CDbError &e) {
        TwkMessageBox(e.Description());
        return reports;
    }
    if (ParseCustomReports(text, reports) == CustomXmlResult::Unreadable)
        TwkMessageBox(LoadString(StringId::XmlLoadFailed));
    return reports;
}

QByteArray TextModeBytes(const QString &text)
{
    QString crlf = text;
    crlf.replace(u'\n', QStringLiteral("\r\n"));
    return crlf.toUtf8();
}

QString SaveCustomReports(CDbConnection &connection, const QString &folder, const CCustomReportList &reports)
{
    const QString xml = CustomReportsXml(reports);
    QSaveFile file(QDir(folder.isEmpty() ? QDir::currentPath() : folder).filePath(kCustomReportFile));
    if (!file.open(QIODevice::WriteOnly) || file.write(TextModeBytes(xml)) < 0 || !file.commit())
        return QStringLiteral("Unable to open file");
    try {
        CDbRecordset email(connection);
        email.Open("SELECT cEmail FROM LB_COMPANY_INFO_TB");
        const QString address = email.IsEOF() ? QString() : email.GetString(QStringLiteral("cEmail"));
        CDbRecordset update(connection);
        update.Open("UPDATE LB_COMPANY_INFO_TB SET cReserved='%s' WHERE cEmail= '%s'", SqlQuote(xml),
                    SqlQuote(address));
    } catch (...) {
        return QStringLiteral("Database Error");
    }
    return QStringLiteral("Save Completed");
}

QList<CCategoryRow> ReadCategoryRows(CDbConnection &connection)
{
    QList<CCategoryRow> rows;
    CDbRecordset rs(connection);
    rs.Open("SELECT cTransactionName,iTransactionId,iType FROM LB_ITEM_MASTER_INFO_TB");
    for (; !rs.IsEOF(); rs.MoveNext()) {
        rows.append(CCategoryRow{rs.GetString(QStringLiteral("cTransactionName")),
                                 int(rs.GetLong(QStringLiteral("iTransactionId"))),
                                 int(rs.GetShort(QStringLiteral("iType")))});
    }
    return rows;
}

namespace {

// Categories of both kinds are offered in both lists.
bool Offered(const CCategoryRow &row, bool incomeList)
{
    return row.type == 3 || row.type == (incomeList ? 1 : 2);
}

// The rows for the selected names, income list first; at most 1024 of each
// list, as the lists hand them over. A name without a row is skipped.
QList<CReportCategory> Chosen(const QStringList &incomes, const QStringList &expenses, const QList<CCategoryRow> &rows)
{
    QList<CReportCategory> chosen;
    const auto take = [&](const QStringList &names, bool incomeList) {
        for (const QString &name : names.mid(0, 1024)) {
            for (const CCategoryRow &row : rows) {
                if (row.name == name && Offered(row, incomeList)) {
                    // Counted as the list it was picked in, so a category of
                    // both kinds sums only incomes or only expenses.
                    chosen.append(CReportCategory{incomeList ? 1 : 2, row.id, row.name});
                    break;
                }
            }
        }
    };
    take(incomes, true);
    take(expenses, false);
    return chosen;
}

} // namespace

QStringList AvailableCategories(const QList<CCategoryRow> &rows, bool incomeList, const CCustomReport *report)
{
    QStringList names;
    for (const CCategoryRow &row : rows) {
        if (Offered(row, incomeList) && !(report && report->UsesCategory(row.name, incomeList ? 1 : 2)))
            names << row.name;
    }
    return names;
}

namespace CustomReportEdit {

QString AddReport(CCustomReportList &reports, CCustomReport report, const QString &name)
{
    if (FindReport(reports, name))
        return kReportExists;
    report.name = name;
    reports.append(std::move(report));
    return kReportAdded;
}

QString RenameReport(CCustomReportList &reports, qsizetype index, const QString &name)
{
    const CCustomReport *other = FindReport(reports, name);
    if (other && other != &reports[index])
        return kReportExists;
    reports[index].name = name;
    return kReportUpdated;
}

QString AddSubsection(CCustomReport &report, const QString &name, const QStringList &incomes,
                      const QStringList &expenses, const QList<CCategoryRow> &rows)
{
    if (name.isEmpty())
        return kEnterSubsection;
    if (report.FindSubsection(name))
        return kSubsectionExists;
    if (incomes.isEmpty() && expenses.isEmpty())
        return kSelectCategories;
    report.subsections.append(CReportSubsection{name, Chosen(incomes, expenses, rows)});
    return kSubsectionAdded;
}

QString UpdateSubsection(CCustomReport &report, const QString &subsection, const QString &name,
                         const QStringList &incomes, const QStringList &expenses, const QList<CCategoryRow> &rows)
{
    CReportSubsection *edited = report.FindSubsection(subsection);
    if (!edited)
        return kEnterSubsection;
    if (name.isEmpty())
        return kEnterSubsection;
    const CReportSubsection *other = report.FindSubsection(name);
    if (other && other != edited)
        return kSubsectionExists;
    edited->name = name;
    edited->categories += Chosen(incomes, expenses, rows);
    return kSubsectionUpdated;
}

} // namespace CustomReportEdit
