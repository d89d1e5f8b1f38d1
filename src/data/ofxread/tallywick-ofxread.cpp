// tallywick-ofxread FILE: reads an OFX/QFX statement (SGML 1.x or XML 2.x)
// with libofx and writes its bank transactions to standard output, one per
// line. The program runs this in a child process, so that a crash in libofx
// or the SGML parser under it on a hostile file costs only this process.
//
// Output: per transaction "T", then tab-separated: the line its <STMTTRN>
// starts on, the posted day as the file gives it (YYYY-MM-DD), the amount, FITID, name, memo, cheque
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

// What the helper takes from the file itself for each <STMTTRN>: libofx
// reports transactions in the file's order but not where they are, and it
// turns a posted day into an instant, whose day then depends on the time
// zone of whoever reads the file.
struct ScannedTransaction {
    long long line = 0;
    std::string posted;
    std::string fitId;
};

struct Reading {
    std::vector<ScannedTransaction> scanned;
    std::size_t cursor = 0;
    bool sawStatement = false;
    bool wroteAny = false;
};

bool ScanTransactions(const char *path, std::vector<ScannedTransaction> &found)
{
    std::FILE *file = std::fopen(path, "rb");
    if (!file)
        return false;
    long long line = 1;
    bool inTransaction = false;
    std::string tag;
    std::string *capture = nullptr;
    for (int c = std::fgetc(file); c != EOF; c = std::fgetc(file)) {
        if (capture && (c == '<' || c == '\r' || c == '\n' || capture->size() > 255))
            capture = nullptr;
        if (c == '\n')
            ++line;
        if (capture) {
            if (!std::isspace(c))
                *capture += static_cast<char>(c);
            continue;
        }
        if (c != '<')
            continue;
        // A tag's name, as far as it is one of those looked for.
        tag.clear();
        for (c = std::fgetc(file); c != EOF && c != '>' && c != '<' && tag.size() < 16; c = std::fgetc(file))
            tag += static_cast<char>(std::toupper(c));
        if (c == '\n')
            ++line;
        if (tag == "STMTTRN") {
            found.push_back({line, {}, {}});
            inTransaction = true;
        } else if (tag == "/STMTTRN") {
            inTransaction = false;
        } else if (inTransaction && c == '>' && tag == "DTPOSTED") {
            capture = &found.back().posted;
        } else if (inTransaction && c == '>' && tag == "FITID") {
            capture = &found.back().fitId;
        }
        if (c == EOF)
            break;
    }
    const bool ok = !std::ferror(file);
    std::fclose(file);
    return ok;
}

// The scanned entry of the transaction libofx reports next; a FITID that
// does not match moves on to the entry that holds it.
const ScannedTransaction *NextScanned(Reading &reading, const char *fitId)
{
    if (fitId) {
        for (std::size_t i = reading.cursor; i < reading.scanned.size(); ++i) {
            if (reading.scanned[i].fitId == fitId) {
                reading.cursor = i;
                break;
            }
        }
    }
    return reading.cursor < reading.scanned.size() ? &reading.scanned[reading.cursor++] : nullptr;
}

// "YYYYMMDD..." as "YYYY-MM-DD"; empty when the text does not start so.
std::string PostedDay(const std::string &posted)
{
    if (posted.size() < 8)
        return {};
    for (int i = 0; i < 8; ++i) {
        if (!std::isdigit(static_cast<unsigned char>(posted[i])))
            return {};
    }
    return posted.substr(0, 4) + '-' + posted.substr(4, 2) + '-' + posted.substr(6, 2);
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
    const ScannedTransaction *scanned = NextScanned(*reading, data.fi_id_valid ? data.fi_id : nullptr);
    std::string out = "T\t" + std::to_string(scanned ? scanned->line : 0);

    std::string date = scanned ? PostedDay(scanned->posted) : std::string();
    if (date.empty() && data.date_posted_valid) {
        std::tm parts{};
        const std::time_t posted = data.date_posted;
        char text[16] = "";
        if (gmtime_r(&posted, &parts) && std::strftime(text, sizeof text, "%Y-%m-%d", &parts))
            date = text;
    }
    reading->wroteAny = true;
    PutField(out, date.c_str(), !date.empty());
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
    if (!ScanTransactions(argv[1], reading.scanned))
        return 1;

    // libofx reports on the console; the program shows its own messages.
    ofx_PARSER_msg = ofx_DEBUG_msg = ofx_DEBUG1_msg = ofx_DEBUG2_msg = ofx_DEBUG3_msg = ofx_DEBUG4_msg = ofx_DEBUG5_msg
        = ofx_STATUS_msg = ofx_INFO_msg = ofx_WARNING_msg = ofx_ERROR_msg = 0;
    LibofxContextPtr context = libofx_get_new_context();
    ofx_set_transaction_cb(context, OnTransaction, &reading);
    ofx_set_statement_cb(context, OnStatement, &reading);
    libofx_proc_file(context, argv[1], AUTODETECT);
    libofx_free_context(context);

    if (!reading.sawStatement && !reading.wroteAny)
        return 2;
    std::fputs("END\n", stdout);
    return std::fflush(stdout) == 0 ? 0 : 4;
}
