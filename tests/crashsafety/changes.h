#pragma once

#include <QList>
#include <QString>

#include <functional>

class CDbConnection;
class CTallywickData;
class CTestUiSeam;

// The files of one run: the program folder with the database and the
// settings file naming it, a backup folder and another database to restore.
struct CRunFolder {
    QString root;
    QString App() const { return root + QStringLiteral("/app"); }
    QString Database() const { return App() + QStringLiteral("/TallywickPlus.mdb"); }
    QString BackupFolder() const { return root + QStringLiteral("/backup"); }
    QString Backup() const { return BackupFolder() + QStringLiteral("/TallywickPlus.mdb"); }
    QString Other() const { return root + QStringLiteral("/other/TallywickPlus.mdb"); }
};

// The databases runs start from: the sample, an older one (a tenth of the
// transactions fewer) and the sample after an import, with the digests of
// the first two; and the sample in the SQLCipher 3 format.
struct CSampleFiles {
    QString sample;
    QString older;
    QString imported;
    QString oldFormat; // the sample in the SQLCipher 3 format
    QString olderOldFormat; // the older one in it: the backup a restore converts
    QString sampleDigest;
    QString olderDigest;
};

// One multi-row change: made in a child process through the program's own
// code, and read back by the parent after the child ended or was killed.
struct CChange {
    QString name;
    // Files the run needs besides the sample as its database.
    enum Needs { kNothing = 0, kPreviousBackup = 1, kFileToRestore = 2, kImportedDatabase = 4, kOldFormat = 8 };
    int needs = kNothing;
    // In the child; false when the program reported a failure.
    std::function<bool(CTallywickData &data, CTestUiSeam &ui, const CRunFolder &folder)> run;
    // In the parent: a text equal for equal states. Throws BrokenFile when a
    // file is damaged or in no state the change may leave.
    std::function<QString(const CRunFolder &folder, const CSampleFiles &files)> observe;
};

// The changes checked, in order.
QList<CChange> MultiRowChanges();
// A deletion made row by row without a transaction: the check must find
// it half done.
CChange RowByRowControl();

// Imports 5,000 new statement lines of money in for "Unit 1" through the
// program's planner and writer; the import's id.
qint64 ImportStatement(CDbConnection &connection);
