#include "testdatabase.h"
#include "testfiles.h"

#include "data/dbrecordset.h"
#include "data/dbschema.h"
#include "data/profile.h"
#include "data/sqltext.h"
#include "data/tallywickdata.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <stdexcept>

CTestDatabase::CTestDatabase()
{
    m_path = m_dir.path() + QStringLiteral("/TallywickPlus.mdb");
    const QString error = CreateDatabase(m_path, kDbPassword);
    if (!error.isEmpty())
        throw std::runtime_error(error.toStdString());
    m_connection.Open(ConnectionString(), kDbUser, kDbPassword);
}

QString CTestDatabase::ConnectionString() const
{
    return kProviderSetting + DataSourcePart(m_path);
}

void CTestDatabase::Exec(const QString &sql)
{
    CDbRecordset rs(m_connection);
    rs.OpenText(sql);
}

QString CTestDatabase::Scalar(const QString &sql)
{
    CDbRecordset rs(m_connection);
    rs.OpenText(sql);
    if (rs.IsEOF())
        return {};
    const QVariant v = rs.GetValue(0);
    return v.isNull() ? QString() : v.toString();
}

int CTestDatabase::Count(const QString &table, const QString &where)
{
    return Scalar(QStringLiteral("SELECT COUNT(*) FROM ") + table
                  + (where.isEmpty() ? QString() : QStringLiteral(" WHERE ") + where))
        .toInt();
}

void CTestDatabase::AddTransaction(const QString &unit, const QString &date, const QString &category, double amount,
                                   const QString &description, int type)
{
    Exec(FormatSql("INSERT INTO LB_TRANSACTION_INFO_TB (cUnitName,cTransactionDate,cTransactionName,"
                   "cTransactionAmount,cTransactionDescription,iTransactionType) values ('%s','%s','%s',%f,'%s',%d)",
                   SqlQuote(unit), SqlQuote(date), SqlQuote(category), amount, SqlQuote(description), type));
}

void CTestDatabase::AddCategory(const QString &name, int type, const QString &description)
{
    Exec(FormatSql("INSERT INTO LB_ITEM_MASTER_INFO_TB (cTransactionName,cTransactionDescription,iType) "
                   "values ('%s','%s',%d)",
                   SqlQuote(name), SqlQuote(description), type));
}

void PointAt(CTallywickData &data, const QString &path)
{
    data.location.databasePath = path;
    data.location.providerSetting = kProviderSetting;
    data.BuildConnectionString();
}

QString FirstRunDocumentsFolder()
{
    RemoveProfileEntry(QStringLiteral("Settings"), QStringLiteral("LastFolder"));
    const QString documents = QDir::cleanPath(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    QDir().mkpath(documents);
    return documents;
}

void InstallProgramFolder(const QString &folder, const QString &ini, const QString &sql)
{
    WriteText(folder + QStringLiteral("/TallywickPlus.ini"), ini);
    const QString path = folder + QStringLiteral("/TallywickPlus.mdb");
    ASSERT_EQ(CreateDatabase(path, kDbPassword), QString());
    CDbConnection connection;
    ASSERT_EQ(connection.Open(kProviderSetting + DataSourcePart(path), kDbUser, kDbPassword), TWK_S_OK);
    if (!sql.isEmpty())
        connection.Execute(sql);
}

void RewriteInVersion3Format(const QString &path)
{
    const QString old = path + QStringLiteral(".v3");
    QFile::remove(old);
    if (QFile empty(old); !empty.open(QIODevice::WriteOnly))
        throw std::runtime_error("cannot write " + old.toStdString());
    {
        CDbConnection c;
        c.Open(kProviderSetting + DataSourcePart(path), kDbUser, kDbPassword);
        c.Execute(FormatSql("ATTACH DATABASE '%s' AS old KEY '%s'", SqlQuote(old), SqlQuote(kDbPassword)));
        c.Execute(QStringLiteral("PRAGMA old.cipher_compatibility = 3"));
        c.Execute(QStringLiteral("SELECT sqlcipher_export('old')"));
        c.Execute(QStringLiteral("DETACH DATABASE old"));
    }
    QFile::remove(path);
    QFile::rename(old, path);
}
