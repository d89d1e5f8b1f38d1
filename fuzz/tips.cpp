// The tips file: any file gives tips and comments without hanging, a file
// with a tip line gives a tip, and a character is never cut in two.
#include "fuzzcheck.h"
#include "scratchfile.h"

#include "frame/tipfile.h"

#include <optional>

namespace {

// Whether the file gives a tip: yes with a tip line; no when it has only
// comment lines, unless one is so long that a later piece of it reads as a
// line of its own; nothing when that may be.
std::optional<bool> GivesTip(const QByteArray &bytes)
{
    bool longLine = false;
    for (const QByteArray &line : bytes.split('\n')) {
        if (!line.isEmpty() && !QByteArray(" \t\r;").contains(line.at(0)))
            return true;
        // (A piece may give back a cut character.)
        longLine = longLine || line.size() >= CTipFile::kMaxPiece - 3;
    }
    return longLine ? std::nullopt : std::optional<bool>(false);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString text = QString::fromUtf8(bytes);
    const bool cleanText = text.toUtf8() == bytes && !text.contains(QChar::ReplacementCharacter);

    CTipFile tips;
    FUZZ_CHECK(tips.Open(ScratchFile(bytes)));
    const std::optional<bool> expectTip = GivesTip(bytes);
    // Enough calls to go round the file twice.
    const qsizetype calls = 2 * (bytes.count('\n') + bytes.size() / CTipFile::kMaxPiece + 2);
    for (qsizetype i = 0; i < calls; ++i) {
        QString tip;
        const CTipFile::Read read = tips.Next(tip);
        FUZZ_CHECK(read != CTipFile::Read::Trouble);
        if (expectTip)
            FUZZ_CHECK((read == CTipFile::Read::Tip) == *expectTip);
        if (read != CTipFile::Read::Tip)
            break;
        FUZZ_CHECK(!tip.isEmpty() && !QStringLiteral(" \t\r\n;").contains(tip.at(0)));
        // A byte is at most one character, whatever it decodes to.
        FUZZ_CHECK(tip.size() <= CTipFile::kMaxPiece);
        if (cleanText)
            FUZZ_CHECK(!tip.contains(QChar::ReplacementCharacter));
    }
    return 0;
}
