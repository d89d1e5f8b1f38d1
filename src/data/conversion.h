#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class CDbConnection;
class CTallywickData;

// What opening a file for changes did to its format.
enum class ConversionOutcome {
    Current,     // already in the current format
    Converted,   // rewritten in the current format; the connection is open on it
    InUse,       // another program has it open: stays as it is for now
    NotWritable, // its folder takes no new file (read-only): stays, nothing written
    Failed,      // the copy failed or did not check out: the original is open again
};

struct ConversionResult {
    ConversionOutcome outcome = ConversionOutcome::Current;
    QString why; // for Failed
};

// Beside a converted file: the original in the SQLCipher 3 format, until
// the next start that opens the converted file for changes.
QString KeptOriginalFor(const QString &database);
// The copy being written; it never replaces the file unless complete.
QString ConversionCopyFor(const QString &database);

// Call once a connection opened to make changes (the window, a command that
// writes, a restored file), never for reading alone. A file in the SQLCipher
// 3 format is copied into the current format beside it (the cipher's export),
// checked (opens with `key`, integrity, row counts and cent sums of every
// table), synced and renamed over the original, which is kept beside it; all
// while the file's use lock is held alone. A current file loses the original
// an earlier conversion kept. `progress` gets the share done (0..1) now and
// then while the copy is written. On failure the original stays in use.
ConversionResult ConvertForChanges(CDbConnection &connection, const QString &connectionString, const QString &key,
                                   const std::function<void(double done)> &progress = {});

// The same for the run's own connection, file and key, for the windows: a
// failure is told (the file goes on working as it is).
class QObject;
ConversionResult ConvertForChanges(CTallywickData &data, const std::function<void(double done)> &progress,
                                   QObject *owner);

// Every table with its row count and the cent sums of its REAL columns:
// equal lists for two files that hold the same records.
QStringList TableContents(CDbConnection &connection);
