#pragma once

#include "data/dbconnection.h"

#include <QString>
#include <QTemporaryDir>

class CTallywickData;

// A fresh encrypted database in its own temporary folder, opened on a
// connection; removed with the fixture.
class CTestDatabase
{
public:
    CTestDatabase();
    QString Path() const { return m_path; }
    QString Folder() const { return m_dir.path(); }
    QString ConnectionString() const;
    CDbConnection &Connection() { return m_connection; }
    // Runs a statement that returns nothing, for fixtures.
    void Exec(const QString &sql);
    // The first column of the first row as text; empty when no row.
    QString Scalar(const QString &sql);
    int Count(const QString &table, const QString &where = QString());
    // Seeds a record (the date text stored as given) or a category.
    void AddTransaction(const QString &unit, const QString &date, const QString &category, double amount,
                        const QString &description, int type);
    void AddCategory(const QString &name, int type, const QString &description = QString());

private:
    QTemporaryDir m_dir;
    QString m_path;
    CDbConnection m_connection;
};

// Points the program's data at the file `path`, as the settings file would.
void PointAt(CTallywickData &data, const QString &path);

// As on a first run: no folder of a file dialog remembered, and a documents
// folder in the throw-away home, which the dialogs then start in.
QString FirstRunDocumentsFolder();

// A program folder as an installation leaves it: the settings file `ini` and
// a fresh database, on which `sql` (statements split by ';') has run.
void InstallProgramFolder(const QString &folder, const QString &ini, const QString &sql = QString());

// Rewrites the database at `path` (keyed with the program's key) in the
// SQLCipher 3 format, as every file was written before the move to 4.
void RewriteInVersion3Format(const QString &path);
