// tallywick-ofxread FILE: reads an OFX/QFX statement (SGML 1.x or XML 2.x)
// with libofx and writes its bank transactions to standard output, one per
// line. The program runs this in a child process, so that a crash in libofx
// or the SGML parser under it on a hostile file costs only this process.
//
// Output: per transaction "T", then tab-separated: the line its <STMTTRN>
// starts on, the date (YYYY-MM-DD), the amount, FITID, name, memo, cheque
// number; an empty field is absent. Tabs, line breaks and backslashes in a
// field are written as \t, \n, \r and \\. A last line "END" and exit code 0
// mean the whole file was read; exit code 1: the file cannot be opened, 2: it
// holds no OFX statement, 3: wrong arguments.

#include <libofx/libofx.h>

#include <cctype>
#include <charconv>
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

namespace {

struct Reading {
    std::vector<long long> transactionLines;
    std::size_t written = 0;
    bool sawStatement = false;
};

// The line of each <STMTTRN> in the file, in order: libofx reports
// transactions in the order of the file but not where they are.
bool ScanTransactionLines(const char *path, std::vector<long long> &lines)
{
    std::FILE *file = std::fopen(path, "rb");
    if (!file)
        return false;
    static const char kTag[] = "<STMTTRN>";
    const std::size_t tagLength = sizeof kTag - 1;
    std::size_t matched = 0;
    long long line = 1;
    for (int c = std::fgetc(file); c != EOF; c = std::fgetc(file)) {
        if (c == '\n')
            ++line;
        const char want = kTag[matched];
        if (std::toupper(c) == want) {
            if (++matched == tagLength) {
                lines.push_back(line);
                matched = 0;
            }
        } else {
            matched = std::toupper(c) == kTag[0] ? 1 : 0;
        }
    }
    const bool ok = !std::ferror(file);
    std::fclose(file);
    return ok;
}

void PutField(std::string &out, const char *text, bool valid)
{
    out += '\t';
    if (!valid)
        return;
    for (const char *c = text; *c; ++c) {
        switch (*c) {
        case '\\': out += "\\\\"; break;
        case '\t': out += "\\t"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        default: out += *c;
        }
    }
}

int OnTransaction(const struct OfxTransactionData data, void *context)
{
    auto *reading = static_cast<Reading *>(context);
    // Investment trades are no income or expense of this program.
    if (data.invtransactiontype_valid)
        return 0;
    const std::size_t index = reading->written++;
    const long long line = index < reading->transactionLines.size() ? reading->transactionLines[index] : 0;
    std::string out = "T\t" + std::to_string(line);

    char date[16] = "";
    if (data.date_posted_valid) {
        // libofx turns the posted day into a local time.
        std::tm parts{};
        const std::time_t posted = data.date_posted;
        if (localtime_r(&posted, &parts))
            std::strftime(date, sizeof date, "%Y-%m-%d", &parts);
    }
    PutField(out, date, date[0] != '\0');
    // The shortest text that reads back as the same number, whatever the
    // locale.
    char amount[64] = "";
    if (data.amount_valid) {
        const auto result = std::to_chars(amount, amount + sizeof amount - 1, data.amount);
        *result.ptr = '\0';
    }
    PutField(out, amount, data.amount_valid);
    PutField(out, data.fi_id, data.fi_id_valid);
    PutField(out, data.name, data.name_valid);
    PutField(out, data.memo, data.memo_valid);
    PutField(out, data.check_number, data.check_number_valid);
    out += '\n';
    std::fwrite(out.data(), 1, out.size(), stdout);
    return 0;
}

int OnStatement(const struct OfxStatementData, void *context)
{
    static_cast<Reading *>(context)->sawStatement = true;
    return 0;
}

} // namespace

// libofx keeps some allocations to the end; under the sanitizer build a leak
// report would turn a good reading into a failed one.
extern "C" const char *__asan_default_options()
{
    return "detect_leaks=0";
}

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: tallywick-ofxread FILE\n");
        return 3;
    }
    Reading reading;
    if (!ScanTransactionLines(argv[1], reading.transactionLines))
        return 1;

    // libofx reports on the console; the program shows its own messages.
    ofx_PARSER_msg = ofx_DEBUG_msg = ofx_DEBUG1_msg = ofx_DEBUG2_msg = ofx_DEBUG3_msg = ofx_DEBUG4_msg = ofx_DEBUG5_msg
        = ofx_STATUS_msg = ofx_INFO_msg = ofx_WARNING_msg = ofx_ERROR_msg = 0;
    LibofxContextPtr context = libofx_get_new_context();
    ofx_set_transaction_cb(context, OnTransaction, &reading);
    ofx_set_statement_cb(context, OnStatement, &reading);
    libofx_proc_file(context, argv[1], AUTODETECT);
    libofx_free_context(context);

    if (!reading.sawStatement && reading.written == 0)
        return 2;
    std::fputs("END\n", stdout);
    return std::fflush(stdout) == 0 ? 0 : 4;
}
