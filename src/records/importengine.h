#pragma once

#include "data/statementreader.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <memory>
#include <optional>

class CDbConnection;

// How a rule compares its pattern with a line's description; letter case is
// ignored by all three.
enum class RuleMatch : int { Contains = 0, StartsWith = 1, Regex = 2 };

// Files descriptions under a category. Rules are tried in their order and
// the first that matches wins.
struct CImportRule {
    qint64 id = 0;
    RuleMatch match = RuleMatch::Contains;
    QString pattern;
    QString category;
    // True when the description matches.
    bool Matches(const QString &description) const;
    // Empty when the rule can be used, else why not (an empty pattern, a
    // regular expression that does not compile), for the user.
    QString Problem() const;
};

enum class ImportLineState { New, Duplicate, Error };

// One statement line as the review shows it and the import writes it.
struct CImportCandidate {
    CStatementLine line;
    int type = 0; // kIncomeTransaction (money in) or kExpenseTransaction
    // From the first matching rule, else the default category; empty when
    // neither gives one (the line is then left unticked).
    QString category;
    ImportLineState state = ImportLineState::New;
    // Why a line is a duplicate or an error, for the user.
    QString reason;
    // Only ticked new lines are written.
    bool ticked = false;
};

struct CImportOptions {
    QString unit;
    // For lines no rule matches; empty leaves them unticked.
    QString defaultCategory;
    // A stored transaction this many days either side counts as the same.
    int dateWindowDays = 3;
};

struct CImportCounts {
    qint64 added = 0;      // ticked new lines (written, or to be written)
    qint64 duplicates = 0;
    qint64 errors = 0;
    qint64 unticked = 0;   // new lines the user or a missing category left out
    double moneyIn = 0.0;  // totals of the added lines
    double moneyOut = 0.0;

    // Counts one decided line the way the writer would (a dry run counts
    // without a writer).
    void Count(const CImportCandidate &candidate);
};

// The new tables beside the five the program always had: rules, saved CSV
// mappings, imported FITIDs and each import's record. They are made the first
// time something is stored in them; a file without them reads as empty and is
// not written when only read.
class CImportStore
{
public:
    explicit CImportStore(CDbConnection &connection);

    QList<CImportRule> Rules();
    // Stores the rules in the given order, replacing the stored ones.
    void SaveRules(const QList<CImportRule> &rules);
    // "Always file descriptions like this under it": a rule that wins over the
    // stored ones. A rule with a Problem() (a blank description, no
    // category) is returned but not stored.
    CImportRule LearnRule(const QString &description, const QString &category);

    QStringList MappingNames();
    std::optional<CCsvLayout> Mapping(const QString &name);
    void SaveMapping(const QString &name, const CCsvLayout &layout);
    void DeleteMapping(const QString &name);

    // The newest import still undoable: its file name and time; nothing when
    // there is none.
    struct ImportRecord {
        qint64 id = 0;
        QString fileName;
        QString unit;
        QDateTime when;
        qint64 added = 0;
    };
    std::optional<ImportRecord> LastImport();
    // Removes exactly the rows the last import added (those still there) and
    // forgets its FITIDs, in one transaction. The number of rows removed.
    qint64 UndoLastImport();

private:
    CDbConnection &m_connection;
};

// Decides each line of one statement: its type and category, and whether it
// is new, a duplicate (of an imported FITID, or of a stored transaction of
// the unit with the same amount and type, a date inside the window and the
// same description ignoring case and spacing; each stored transaction
// answers for one line at most) or an error.
class CImportPlanner
{
public:
    CImportPlanner(CDbConnection &connection, const QList<CImportRule> &rules, const CImportOptions &options);
    ~CImportPlanner();
    CImportCandidate Classify(const CStatementLine &line);
    // The category the rules (else the default) give a description of the
    // type; empty when none fits. The review asks again after a rule changed.
    QString CategoryFor(const QString &description, int type) const;

private:
    struct Private;
    std::unique_ptr<Private> d;
};

// Writes one import in one database transaction: nothing is stored until
// Commit, and a writer destroyed before it stores nothing (the dry run).
// Throws CDbError.
class CImportWriter
{
public:
    CImportWriter(CDbConnection &connection, const QString &fileName, const QString &unit);
    ~CImportWriter();
    // Writes the line when it is new, ticked and has a category; counts it
    // either way.
    void Add(const CImportCandidate &candidate);
    const CImportCounts &Counts() const;
    // The import's id.
    qint64 Commit();

private:
    struct Private;
    std::unique_ptr<Private> d;
};

// The text stored in cTransactionDescription: the description cut to the
// column's 150 characters.
QString StoredDescription(const QString &description);
