// A QIF statement: entries come in file order from lines that exist, an
// entry without an error holds a date and a finite amount, and a file that
// is no QIF file or has no bank account is refused with a message.
//
// Input: the file.
#include "fuzzcheck.h"
#include "scratchfile.h"

#include "data/qifstatementreader.h"

#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString path = ScratchFile(bytes, QStringLiteral("statement.qif"));
    GuessStatementFormat(path);
    try {
        const std::unique_ptr<IStatementReader> reader = OpenStatement(path, StatementFormat::Qif);
        const qint64 lines = bytes.count('\n') + 1;
        qint64 previous = 0;
        CStatementLine line;
        while (reader->Next(line)) {
            FUZZ_CHECK(line.lineNumber > previous && line.lineNumber <= lines);
            previous = line.lineNumber;
            if (line.error.isEmpty())
                FUZZ_CHECK(line.date.isValid() && std::isfinite(line.amount));
            else
                FUZZ_CHECK(line.error.startsWith(QStringLiteral("line %1: ").arg(line.lineNumber)));
        }
    } catch (const CStatementFileError &e) {
        FUZZ_CHECK(!e.Message().isEmpty());
    }
    return 0;
}
