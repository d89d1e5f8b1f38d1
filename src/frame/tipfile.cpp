#include "frame/tipfile.h"

#include <QDateTime>
#include <QFileInfo>
#include <QLocale>

bool CTipFile::Open(const QString &path)
{
    m_file.close();
    m_file.setFileName(path);
    return m_file.open(QIODevice::ReadOnly);
}

QString CTipFile::TimeStamp() const
{
    return CalendarTimeText(QFileInfo(m_file).lastModified()).trimmed();
}

bool CTipFile::Seek(qint64 pos)
{
    // Past the end is no error for the C library either: the next read
    // simply finds the end and wraps around.
    return pos >= 0 && m_file.seek(pos);
}

QByteArray CTipFile::ReadPiece()
{
    QByteArray piece = m_file.readLine(kMaxPiece + 1);
    if (piece.size() < kMaxPiece || piece.endsWith('\n'))
        return piece;
    // Never cut a character in two: a piece ending inside a UTF-8 sequence
    // gives its start back to the next piece.
    qsizetype lead = piece.size() - 1;
    while (lead > 0 && (uchar(piece.at(lead)) & 0xC0) == 0x80)
        --lead;
    const uchar first = uchar(piece.at(lead));
    const int length = first >= 0xF0 ? 4 : first >= 0xE0 ? 3 : first >= 0xC0 ? 2 : 1;
    if (lead > 0 && lead + length > piece.size()) {
        m_file.seek(m_file.pos() - (piece.size() - lead));
        piece.truncate(lead);
    }
    return piece;
}

CTipFile::Read CTipFile::Next(QString &tip)
{
    tip.clear();
    bool wrapped = false;
    for (;;) {
        const QByteArray piece = ReadPiece();
        if (piece.isEmpty()) {
            if (wrapped)
                return Read::NoTip;
            if (!m_file.seek(0))
                return Read::Trouble;
            wrapped = true;
            continue;
        }
        // A file saved with CR LF line ends reads as it would in text mode.
        const char c = piece.at(0);
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == ';')
            continue;
        tip = QString::fromUtf8(piece.endsWith("\r\n") ? piece.chopped(2) + '\n' : piece);
        return Read::Tip;
    }
}

QString CalendarTimeText(const QDateTime &time)
{
    return QLocale::c().toString(time.toLocalTime(), QStringLiteral("ddd MMM dd HH:mm:ss yyyy"));
}
