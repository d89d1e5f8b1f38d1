#pragma once

#include <QString>
#include <QStringList>

// The statements that make a fresh database: the five tables, the date
// indexes the reports need, and the one row of each one-row table.
QStringList SchemaStatements();
// The indexes alone; opening a file made elsewhere adds any that are missing.
QStringList IndexStatements();
// True when the file already holds every index and statistic the statements
// give, so an open that only reads never writes the file.
struct sqlite3;
bool IndexesCurrent(sqlite3 *db);

// Writes a fresh encrypted database keyed with `key`. Refuses an existing
// file. Empty text on success, else why it failed.
QString CreateDatabase(const QString &path, const QString &key);

// The fixed connection credentials and the database password (cipher key).
inline const QString kDbUser = QStringLiteral("vorel");
inline const QString kDbPassword = QStringLiteral("qorvanti");
inline const QString kProviderSetting = QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;");
inline const QString kDbFileName = QStringLiteral("TallywickPlus.mdb");
