#include "data/ofxstatementreader.h"

#include "data/programfolders.h"
#include "data/statementtext.h"

#include <QStringDecoder>

#include <cmath>

namespace {

QString Unescape(const QByteArray &field)
{
    QByteArray bytes;
    bytes.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        char c = field.at(i);
        if (c == '\\' && i + 1 < field.size()) {
            const char next = field.at(++i);
            c = next == 't' ? '\t' : next == 'n' ? '\n' : next == 'r' ? '\r' : next;
        }
        bytes.append(c);
    }
    // libofx hands on the file's text as it stands when it cannot convert it.
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(bytes);
    return utf8.hasError() ? DecodeWindows1252(bytes) : text;
}

} // namespace

QString COfxStatementReader::DefaultHelper()
{
    return ProgramFolder() + QStringLiteral("/tallywick-ofxread");
}

COfxStatementReader::COfxStatementReader(const QString &path, const QString &helper, int idleTimeoutMs)
    : m_path(path), m_idleTimeoutMs(idleTimeoutMs)
{
    m_process.setStandardErrorFile(QProcess::nullDevice());
    m_process.start(helper, {path}, QIODevice::ReadOnly);
    if (!m_process.waitForStarted()) {
        throw CStatementFileError(QStringLiteral("The OFX reader \"%1\" cannot be started (%2); the program may "
                                                 "need to be installed again.")
                                      .arg(helper, m_process.errorString()));
    }
}

COfxStatementReader::~COfxStatementReader()
{
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished();
    }
}

void COfxStatementReader::Fail(const QString &why)
{
    m_done = true;
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished();
    }
    throw CStatementFileError(QStringLiteral("The OFX file \"%1\" %2").arg(m_path, why));
}

void COfxStatementReader::Finish()
{
    // Everything was said; the exit code must agree.
    m_done = true;
    if (!m_process.waitForFinished(m_idleTimeoutMs))
        Fail(QStringLiteral("could not be read: its reader did not finish and was stopped."));
    if (m_process.exitStatus() != QProcess::NormalExit || m_process.exitCode() != 0)
        Fail(QStringLiteral("could not be read: its reader failed at the end."));
}

bool COfxStatementReader::Next(CStatementLine &line)
{
    while (!m_done) {
        while (!m_process.canReadLine() && m_process.state() != QProcess::NotRunning) {
            if (!m_process.waitForReadyRead(m_idleTimeoutMs) && m_process.state() != QProcess::NotRunning) {
                Fail(QStringLiteral("could not be read: its reader gave no answer for %1 seconds and was stopped.")
                         .arg(m_idleTimeoutMs / 1000.0));
            }
        }
        if (!m_process.canReadLine()) {
            // Ended without its last line: crashed, refused the file, or cut off.
            m_process.waitForFinished();
            if (m_process.exitStatus() == QProcess::CrashExit)
                Fail(QStringLiteral("could not be read: its reader crashed on it. The file may be damaged."));
            switch (m_process.exitCode()) {
            case 1:
                Fail(QStringLiteral("cannot be opened."));
            case 2:
                Fail(QStringLiteral("is not an OFX or QFX file: it holds no statement."));
            default:
                Fail(QStringLiteral("could not be read: its reader stopped before the end (exit code %1).")
                         .arg(m_process.exitCode()));
            }
        }
        QByteArray output = m_process.readLine();
        output.chop(1);
        if (output == "END") {
            Finish();
            return false;
        }
        if (output.startsWith("T\t")) {
            line = OfxStatementLine(output);
            return true;
        }
    }
    return false;
}

CStatementLine OfxStatementLine(const QByteArray &output)
{
    const QList<QByteArray> fields = output.split('\t');
    auto field = [&](int index) { return index < fields.size() ? Unescape(fields.at(index)) : QString(); };
    CStatementLine line;
    line.lineNumber = field(1).toLongLong();
    const QString dateText = field(2);
    const QString amountText = field(3);
    line.fitId = field(4);
    line.payee = field(5).simplified();
    line.memo = field(6).simplified();
    line.number = field(7);
    QStringList problems;
    line.date = QDate::fromString(dateText, Qt::ISODate);
    if (!line.date.isValid())
        problems.append(QStringLiteral("the transaction has no date"));
    bool ok = false;
    // Written by the reader in the C locale, which toDouble reads.
    line.amount = amountText.toDouble(&ok);
    if (!ok || !std::isfinite(line.amount))
        problems.append(QStringLiteral("the transaction has no amount"));
    if (!problems.isEmpty())
        line.error = QStringLiteral("line %1: %2").arg(line.lineNumber).arg(problems.join(QStringLiteral("; ")));
    return line;
}
