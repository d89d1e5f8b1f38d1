#include "records/companystore.h"

#include "base/stringids.h"
#include "data/dbrecordset.h"
#include "data/tallywickdata.h"

CompanyProblem CheckCompanyFields(const CCompanyFields &fields)
{
    if (fields.name.trimmed().isEmpty())
        return CompanyProblem::Name;
    if (fields.address.trimmed().isEmpty())
        return CompanyProblem::Address;
    if (!IsValidEmail(fields.email))
        return CompanyProblem::Email;
    return CompanyProblem::None;
}

bool IsValidEmail(const QString &email)
{
    return email.isEmpty() || email.count(u'@') == 1;
}

unsigned UnitRejection(const QStringList &units, const QString &unit)
{
    if (unit.isEmpty())
        return StringId::EnterUniqueUnit;
    if (unit.contains(u','))
        return StringId::InvalidCharactersComma;
    if (units.contains(unit, Qt::CaseInsensitive))
        return StringId::UnitAlreadyExists;
    return 0;
}

QString StoredUnitsText(const QStringList &units)
{
    const QString text = CTallywickData::UnitsText(units);
    return text.isEmpty() ? QStringLiteral(" ") : text;
}

CCompanyStore::CCompanyStore(CDbConnection &connection)
    : m_connection(connection)
{
}

void CCompanyStore::Save(const CCompanyFields &f, const QStringList &units)
{
    CDbRecordset rs(m_connection);
    rs.Open("UPDATE LB_COMPANY_INFO_TB SET cName='%s',cAddress='%s',cPhoneNo='%s',cFaxNo='%s',cEmail='%s',"
            "cLogoPath='%s',cCompanyUnits='%s'",
            SqlQuote(f.name), SqlQuote(f.address), SqlQuote(f.phone), SqlQuote(f.fax), SqlQuote(f.email),
            SqlQuote(f.logoPath), SqlQuote(StoredUnitsText(units)));
}

long CCompanyStore::CountUnitRecords(const QString &unit)
{
    CDbRecordset rs(m_connection);
    rs.Open("SELECT  COUNT(*) AS RecCount FROM LB_TRANSACTION_INFO_TB WHERE cUnitName='%s'", SqlQuote(unit));
    return rs.IsEOF() ? 0 : rs.GetLong(QStringLiteral("RecCount"));
}

void CCompanyStore::DeleteUnit(const QString &unit, bool withRecords, const QStringList &remainingUnits)
{
    CDbTransaction transaction(m_connection);
    if (withRecords) {
        CDbRecordset rs(m_connection);
        rs.Open("DELETE FROM LB_TRANSACTION_INFO_TB WHERE LB_TRANSACTION_INFO_TB.cUnitName='%s'", SqlQuote(unit));
    }
    CDbRecordset rs(m_connection);
    rs.Open("UPDATE LB_COMPANY_INFO_TB SET cCompanyUnits='%s'", SqlQuote(StoredUnitsText(remainingUnits)));
    transaction.Commit();
}
