#pragma once

#include <QString>

struct sqlite3;

// The cipher settings a file is read with. Files without a password use
// SQLCipher 4's with the program's key derivation count; files written
// before the program moved to SQLCipher 4 need SQLCipher 3's.
enum class CipherFormat { Current, Version3 };

// The program's key is public, so a slower derivation would only cost
// opening time: this count keeps opening as quick as under SQLCipher 3.
inline constexpr int kProgramKdfIter = 64000;

// Keys a handle just opened, before its first read. Returns the engine's
// result code.
int KeyDatabase(sqlite3 *db, const QString &key, CipherFormat format);

// The statements that give a file attached with "KEY" under `schema` the
// current format; run after the ATTACH, before anything is written to it.
QString CurrentFormatPragmas(const QString &schema);
