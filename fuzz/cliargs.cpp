// The command line's own arguments: every word is either a word, an option
// the command accepts with its value, or a usage error; nothing is run.
#include "fuzzcheck.h"

#include "app/cliargs.h"
#include "app/commandline.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider input(data, size);
    const QString dateFormat = FuzzText(input, 16);
    QStringList accepted{QStringLiteral("from"), QStringLiteral("to"), QStringLiteral("database")};
    accepted << FuzzText(input, 12);
    const QStringList flags{QStringLiteral("dry-run"), FuzzText(input, 12)};
    // The rest: the arguments, one per NUL-ended piece.
    QStringList arguments;
    for (const QByteArray &word : FuzzRest(input).split('\0'))
        arguments << QString::fromUtf8(word);
    if (arguments.size() > 64)
        return 0;

    FindServerSwitch(arguments);
    IsAutomationStart(arguments);
    const bool cli = IsCliCall(arguments, {QStringLiteral("report"), QStringLiteral("chart"), QStringLiteral("import")});
    FUZZ_CHECK(!cli || !arguments.first().isEmpty());

    CCliArgs args;
    try {
        args = ParseCliArgs(arguments, accepted, flags);
    } catch (const CliError &e) {
        FUZZ_CHECK(e.code == kCliUsage && !e.message.isEmpty());
        return 0;
    }
    qsizetype values = 0;
    for (const QString &option : args.Given()) {
        FUZZ_CHECK(accepted.contains(option) || flags.contains(option));
        values += args.Values(option).size();
        FUZZ_CHECK(args.Value(option) == args.Values(option).last());
        try {
            const QDate date = args.Date(option, dateFormat, QDate());
            FUZZ_CHECK(date.isValid());
        } catch (const CliError &e) {
            FUZZ_CHECK(e.code == kCliUsage);
        }
    }
    FUZZ_CHECK(args.positional.size() + values <= arguments.size());
    for (const QString &word : args.positional)
        FUZZ_CHECK(!word.startsWith(QLatin1String("--")));
    return 0;
}
