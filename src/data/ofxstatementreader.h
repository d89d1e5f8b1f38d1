#pragma once

#include "data/statementreader.h"

#include <QProcess>

// The transactions of an OFX/QFX file. libofx reads the file in a helper
// program (tallywick-ofxread) whose output is streamed here; its crash, its
// failure or its silence becomes a CStatementFileError.
class COfxStatementReader : public IStatementReader
{
public:
    // The helper beside the program.
    static QString DefaultHelper();

    // Starts the helper on `path`. Throws CStatementFileError when it cannot
    // be started. `idleTimeoutMs` is how long the helper may stay silent.
    explicit COfxStatementReader(const QString &path, const QString &helper = DefaultHelper(),
                                 int idleTimeoutMs = 60000);
    ~COfxStatementReader() override;
    bool Next(CStatementLine &line) override;

private:
    [[noreturn]] void Fail(const QString &why);
    void Finish();

    QString m_path;
    int m_idleTimeoutMs;
    QProcess m_process;
    bool m_done = false;
};

// One "T" line of the helper's output as a statement line.
CStatementLine OfxStatementLine(const QByteArray &output);
