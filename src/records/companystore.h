#pragma once

#include <QString>
#include <QStringList>

class CDbConnection;

// The business details the user information page edits.
struct CCompanyFields {
    QString name;
    QString address;
    QString phone;
    QString fax;
    QString email;
    QString logoPath;
};

// The first check the details fail, in the order the page checks them.
enum class CompanyProblem {
    None,
    Name,    // StringId::EnterName
    Address, // StringId::EnterAddress
    Email,   // StringId::InvalidEmail
};
CompanyProblem CheckCompanyFields(const CCompanyFields &fields);
// Empty, or holding exactly one at sign; nothing else about it is checked.
bool IsValidEmail(const QString &email);

// Why a unit (already trimmed) cannot be added to the units: the string id
// of the message (EnterUniqueUnit empty, InvalidCharactersComma holds a comma, UnitAlreadyExists already there,
// ignoring case), or 0 when it can.
unsigned UnitRejection(const QStringList &units, const QString &unit);
// The stored units text: every name followed by a comma, or a single blank
// when there is none.
QString StoredUnitsText(const QStringList &units);

// The statements of the user information page. Failures throw CDbError.
class CCompanyStore
{
public:
    explicit CCompanyStore(CDbConnection &connection);

    void Save(const CCompanyFields &fields, const QStringList &units);
    long CountUnitRecords(const QString &unit);
    // In one transaction: the unit's transactions (when asked) and the units
    // text that remains.
    void DeleteUnit(const QString &unit, bool withRecords, const QStringList &remainingUnits);

private:
    CDbConnection &m_connection;
};
