// The lines the OFX helper writes, as the program reads them back: fields
// written with the helper's escapes come back as they were, and any line
// gives a statement line whose error is empty only with a date and an amount.
//
// Input: the FITID, payee, memo and cheque number (texts), then any helper
// line; the line number and the amount are read from the end.
#include "fuzzcheck.h"

#include "data/ofxstatementreader.h"

#include <charconv>
#include <cmath>
#include <string>

namespace {

// tallywick-ofxread's escapes for a field: backslash, tab and line breaks.
std::string Escaped(const std::string &text)
{
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '\t': out += "\\t"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        default: out += c;
        }
    }
    return out;
}

// A field of the helper's C strings: no NUL; and UTF-8, so that it must
// read back exactly.
std::string Field(FuzzedDataProvider &input)
{
    std::string text = input.ConsumeRandomLengthString(80);
    std::erase(text, '\0');
    return QString::fromUtf8(text.data(), qsizetype(text.size())).toStdString() == text ? text : std::string();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider input(data, size);
    const long long lineNumber = input.ConsumeIntegral<long long>();
    const double amount = input.ConsumeFloatingPoint<double>();
    const std::string fitId = Field(input);
    const std::string payee = Field(input);
    const std::string memo = Field(input);
    const std::string number = Field(input);

    char amountText[64] = "";
    *std::to_chars(amountText, amountText + sizeof amountText - 1, amount).ptr = '\0';
    const std::string written = "T\t" + std::to_string(lineNumber) + "\t2026-01-31\t" + amountText + '\t'
        + Escaped(fitId) + '\t' + Escaped(payee) + '\t' + Escaped(memo) + '\t' + Escaped(number);
    const CStatementLine line = OfxStatementLine(QByteArray::fromStdString(written));
    FUZZ_CHECK(line.lineNumber == lineNumber);
    FUZZ_CHECK(line.date == QDate(2026, 1, 31));
    FUZZ_CHECK(line.fitId == QString::fromStdString(fitId));
    FUZZ_CHECK(line.payee == QString::fromStdString(payee).simplified());
    FUZZ_CHECK(line.memo == QString::fromStdString(memo).simplified());
    FUZZ_CHECK(line.number == QString::fromStdString(number));
    if (std::isfinite(amount))
        FUZZ_CHECK(line.error.isEmpty() && line.amount == amount);
    else
        FUZZ_CHECK(!line.error.isEmpty());

    const CStatementLine any = OfxStatementLine(FuzzRest(input));
    if (any.error.isEmpty())
        FUZZ_CHECK(any.date.isValid() && std::isfinite(any.amount));
    return 0;
}
