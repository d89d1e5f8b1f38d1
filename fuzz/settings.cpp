// The settings file and the connection string it holds: whatever the file
// holds, a value written reads back the same and leaves the other keys alone.
#include "fuzzcheck.h"
#include "scratchfile.h"

#include "data/dbconnection.h"
#include "data/inifile.h"

namespace {

bool OneLine(const QString &text)
{
    return !text.contains(u'\n') && !text.contains(u'\r');
}

// A name the file can hold as a header or a key and find again.
bool Storable(const QString &section, const QString &key, const QString &value)
{
    if (!OneLine(section) || !OneLine(key) || !OneLine(value))
        return false;
    // The program's own names have no edge blanks: the file trims them on reading.
    if (section != section.trimmed() || key != key.trimmed() || key.isEmpty() || key.contains(u'=')
        || key.startsWith(u'['))
        return false;
    const bool quoted = value.size() >= 2
        && ((value.startsWith(u'"') && value.endsWith(u'"')) || (value.startsWith(u'\'') && value.endsWith(u'\'')));
    return value == value.trimmed() && !quoted;
}

void CheckConnection(const QString &path, const QString &anyText)
{
    const QString connection = QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;") + DataSourcePart(path)
        + QStringLiteral(";Jet OLEDB:Database Password=secret");
    FUZZ_CHECK(ConnectionValue(connection, QStringLiteral("Data Source")) == path);
    FUZZ_CHECK(ConnectionValue(connection, QStringLiteral("Provider")) == QStringLiteral("Microsoft.Jet.OLEDB.4.0"));
    FUZZ_CHECK(ConnectionValue(connection, QStringLiteral("Jet OLEDB:Database Password")) == QStringLiteral("secret"));
    ConnectionValue(anyText, QStringLiteral("Data Source"));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider input(data, size);
    const QString section = FuzzText(input, 40);
    const QString key = FuzzText(input, 40);
    const QString otherKey = FuzzText(input, 40);
    const QString path = FuzzText(input, 300);
    const QByteArray contents = FuzzRest(input);

    CheckConnection(path, QString::fromUtf8(contents));

    CIniFile ini(ScratchFile(contents));
    ini.Read(section, key);
    const QString otherBefore = ini.Read(section, otherKey);
    const QString value = QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;") + DataSourcePart(path);
    if (!Storable(section, key, value))
        return 0;
    FUZZ_CHECK(ini.Write(section, key, value));
    const QString back = ini.Read(section, key);
    FUZZ_CHECK(back == value);
    FUZZ_CHECK(ConnectionValue(back, QStringLiteral("Data Source")) == path);
    if (otherKey.trimmed().compare(key.trimmed(), Qt::CaseInsensitive) != 0)
        FUZZ_CHECK(ini.Read(section, otherKey) == otherBefore);
    return 0;
}
