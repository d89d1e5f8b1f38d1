#pragma once

#include <QFile>
#include <QString>

class QDateTime;

// The tips file read one tip at a time: a tip is a line of at most 999
// characters (a longer line gives several tips); lines starting with a
// blank, a tab, a line feed or ";" are comments. Reading wraps around at the
// end of the file.
class CTipFile
{
public:
    static constexpr qint64 kMaxPiece = 999;

    bool Open(const QString &path);
    bool IsOpen() const { return m_file.isOpen(); }
    void Close() { m_file.close(); }

    // The file's last-modification time as the profile stores it.
    QString TimeStamp() const;
    qint64 Pos() const { return m_file.pos(); }
    bool Seek(qint64 pos);

    enum class Read { Tip, NoTip, Trouble };
    // The next tip with its line end as read. Returns Trouble when the file
    // cannot be rewound at its end, NoTip after a whole pass found nothing.
    Read Next(QString &tip);

private:
    // One line, or the next piece of a long line; empty at the end of the file.
    QByteArray ReadPiece();

    QFile m_file;
};

// "Sat Dec 05 09:28:52 2026": English names whatever the desktop's language.
QString CalendarTimeText(const QDateTime &time);
