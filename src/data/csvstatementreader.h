#pragma once

#include "data/statementreader.h"

#include <QFile>
#include <QStringDecoder>

#include <deque>
#include <memory>

struct csv_parser;

// One CSV record and the line of the file it starts on.
struct CCsvRecord {
    qint64 lineNumber = 0;
    QStringList fields;
};

// Streams a CSV file's records through libcsv, a block at a time: text is
// decoded from the layout's encoding (a byte order mark wins), the skipped
// lines are dropped, quoted fields may hold delimiters and line breaks.
class CCsvRecordReader
{
public:
    // Throws CStatementFileError when the file cannot be opened.
    CCsvRecordReader(const QString &path, const CCsvLayout &layout);
    ~CCsvRecordReader();
    CCsvRecordReader(const CCsvRecordReader &) = delete;
    CCsvRecordReader &operator=(const CCsvRecordReader &) = delete;

    // The next record; false at the end. Throws CStatementFileError when the
    // file turns out not to be text or cannot be read on.
    bool Next(CCsvRecord &record);

private:
    void ReadBlock();
    void Feed(QStringView line);
    static void OnField(void *data, size_t length, void *self);
    static void OnRecordEnd(int terminator, void *self);

    QString m_path;
    QFile m_file;
    int m_skipLines = 0;
    bool m_started = false;
    bool m_atEnd = false;
    // Windows-1252 has no Qt decoder; the rest do.
    bool m_windows1252 = false;
    QStringDecoder m_decoder;
    std::unique_ptr<csv_parser> m_parser;
    QChar m_lineEnd = u'\n';
    QString m_pendingLine;
    qint64 m_lineNumber = 0;
    bool m_inRecord = false;
    CCsvRecord m_current;
    std::deque<CCsvRecord> m_ready;
};

// The statement lines of a CSV file, read through its layout.
class CCsvStatementReader : public IStatementReader
{
public:
    // Throws CStatementFileError for a layout with a problem or a file that
    // cannot be opened.
    CCsvStatementReader(const QString &path, const CCsvLayout &layout);
    bool Next(CStatementLine &line) override;

private:
    CCsvLayout m_layout;
    CCsvRecordReader m_records;
};

// A record read through a layout; `error` is set when it is malformed.
CStatementLine CsvStatementLine(const CCsvRecord &record, const CCsvLayout &layout);
