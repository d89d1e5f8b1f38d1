// An OFX file (SGML or XML) through the program's reader, which runs libofx
// in the helper process: the reader gives lines from lines that exist, each
// without an error holding a date and an amount, or refuses the file with a
// message; it never falls over itself.
//
// The helper crashing is contained by design. Run again with its report on
// standard error, the crash is told apart: inside libofx or its SGML parser
// (not this project's to fix) the input is kept in $TWK_FUZZ_LIBRARY_CRASHES
// with the report and the run goes on; in the helper's own code it is a
// fault, and the target aborts. A helper the reader stopped for its silence
// is kept there too: the helper's own reading is one pass over the file.
//
// Input: the file.
#include "fuzzcheck.h"
#include "scratchfile.h"

#include "data/ofxstatementreader.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QProcess>
#include <QRegularExpression>

#include <cmath>

namespace {

// Far longer than any sound file of the fuzzed length takes.
constexpr int kIdleMs = 10000;

// The first frame of the crash report that belongs to the helper or to one of
// the OFX libraries, skipping the C library and the sanitizer's own.
bool CrashedInLibrary(const QString &report)
{
    static const QRegularExpression frame(QStringLiteral("^\\s*#\\d+ .*$"), QRegularExpression::MultilineOption);
    for (auto it = frame.globalMatch(report); it.hasNext();) {
        const QString line = it.next().captured();
        if (line.contains(QLatin1String("libofx")) || line.contains(QLatin1String("libosp")))
            return true;
        if (line.contains(QLatin1String("tallywick-ofxread")))
            return false;
    }
    return false;
}

void KeepLibraryCrash(const QByteArray &bytes, const QString &report)
{
    const QString folder = qEnvironmentVariable("TWK_FUZZ_LIBRARY_CRASHES");
    const QString name = QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex());
    std::fprintf(stderr, "ofx: the OFX library failed on input %s; contained, the reader reported it\n",
                 qPrintable(name));
    if (folder.isEmpty() || !QDir().mkpath(folder))
        return;
    QFile input(folder + u'/' + name);
    QFile note(folder + u'/' + name + QStringLiteral(".txt"));
    if (input.open(QIODevice::WriteOnly))
        input.write(bytes);
    if (note.open(QIODevice::WriteOnly))
        note.write(report.toUtf8());
}

void CheckCrash(const QString &path, const QByteArray &bytes)
{
    QProcess helper;
    helper.setProcessChannelMode(QProcess::MergedChannels);
    helper.start(QStringLiteral(TWK_OFXREAD), {path});
    FUZZ_CHECK(helper.waitForFinished(60000));
    const QString report = QString::fromUtf8(helper.readAll());
    if (CrashedInLibrary(report)) {
        KeepLibraryCrash(bytes, report);
        return;
    }
    std::fprintf(stderr, "ofx: the helper crashed in its own code:\n%s\n", qPrintable(report));
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    // The reader's child process wants an application object.
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString path = ScratchFile(bytes, QStringLiteral("statement.ofx"));
    const qint64 lines = bytes.count('\n') + 1;
    try {
        COfxStatementReader reader(path, QStringLiteral(TWK_OFXREAD), kIdleMs);
        CStatementLine line;
        while (reader.Next(line)) {
            FUZZ_CHECK(line.lineNumber >= 0 && line.lineNumber <= lines);
            if (line.error.isEmpty())
                FUZZ_CHECK(line.date.isValid() && std::isfinite(line.amount));
        }
    } catch (const CStatementFileError &e) {
        FUZZ_CHECK(!e.Message().isEmpty());
        if (e.Message().contains(QLatin1String("crashed")))
            CheckCrash(path, bytes);
        else if (e.Message().contains(QLatin1String("gave no answer")))
            KeepLibraryCrash(bytes,
                             QStringLiteral("The helper gave no answer for %1 ms and was stopped.\n").arg(kIdleMs));
    }
    return 0;
}
