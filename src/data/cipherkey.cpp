#include "data/cipherkey.h"

#include <sqlite3.h>

int KeyDatabase(sqlite3 *db, const QString &key, CipherFormat format)
{
    // The engine reports every failed page check on standard error; a file
    // of the older format fails the first try by design.
    sqlite3_exec(db, "PRAGMA cipher_log_level = NONE", nullptr, nullptr, nullptr);
    const QByteArray k = key.toUtf8();
    int rc = sqlite3_key(db, k.constData(), int(k.size()));
    if (rc != SQLITE_OK)
        return rc;
    const QByteArray settings = format == CipherFormat::Version3
        ? QByteArray("PRAGMA cipher_compatibility = 3")
        : QStringLiteral("PRAGMA kdf_iter = %1").arg(kProgramKdfIter).toUtf8();
    return sqlite3_exec(db, settings.constData(), nullptr, nullptr, nullptr);
}

QString CurrentFormatPragmas(const QString &schema)
{
    return QStringLiteral("PRAGMA %1.kdf_iter = %2").arg(schema).arg(kProgramKdfIter);
}
