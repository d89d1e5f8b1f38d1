#include "frame/keyboardvalue.h"

#include <QtEndian>

namespace {

constexpr quint32 kHeaderMark = 0xFFFF;
constexpr quint16 kLongCount = 0xFFFF;
constexpr quint32 kUserKey = 2, kLockedKey = 1;

quint32 KeyWord(const CAccelItem &item)
{
    const quint32 kind = item.locked ? kLockedKey : kUserKey;
    return (((kind << 8) | item.fVirt) << 16) | item.key;
}

// Only virtual keys with modifier flags and a key the program can name.
std::optional<CAccelItem> KeyFromWord(quint32 word)
{
    const quint32 kind = word >> 24;
    const auto flags = static_cast<unsigned char>((word >> 16) & 0xFF);
    const auto code = static_cast<unsigned short>(word & 0xFFFF);
    if (kind != kLockedKey && kind != kUserKey)
        return std::nullopt;
    if (!(flags & FVIRTKEY) || (flags & ~(FVIRTKEY | kModifierFlags)))
        return std::nullopt;
    if (VirtualKeyName(code).isEmpty())
        return std::nullopt;
    return CAccelItem{flags, code, kind == kLockedKey};
}

} // namespace

QByteArray SerializeWords(const QList<quint32> &words)
{
    QByteArray bytes;
    const auto count = static_cast<quint32>(words.size());
    char buffer[4];
    if (count < kLongCount) {
        qToLittleEndian<quint16>(static_cast<quint16>(count), buffer);
        bytes.append(buffer, 2);
    } else {
        qToLittleEndian<quint16>(kLongCount, buffer);
        bytes.append(buffer, 2);
        qToLittleEndian<quint32>(count, buffer);
        bytes.append(buffer, 4);
    }
    for (quint32 word : words) {
        qToLittleEndian<quint32>(word, buffer);
        bytes.append(buffer, 4);
    }
    return bytes;
}

QList<quint32> DeserializeWords(const QByteArray &bytes, bool *complete)
{
    *complete = false;
    const auto *data = reinterpret_cast<const uchar *>(bytes.constData());
    qsizetype pos = 2;
    if (bytes.size() < pos)
        return {};
    quint32 count = qFromLittleEndian<quint16>(data);
    if (count == kLongCount) {
        if (bytes.size() < pos + 4)
            return {};
        count = qFromLittleEndian<quint32>(data + pos);
        pos += 4;
    }
    // The count is not trusted for the size: only the words present are read.
    const qsizetype present = (bytes.size() - pos) / 4;
    const qsizetype n = qMin<qsizetype>(present, count);
    QList<quint32> words;
    words.reserve(n);
    for (qsizetype i = 0; i < n; ++i)
        words << qFromLittleEndian<quint32>(data + pos + 4 * i);
    *complete = present >= qsizetype(count);
    return words;
}

QList<quint32> KeyboardWords(const QList<CKeyboardRecord> &records)
{
    QList<quint32> words{(quint32(records.size()) << 16) | kHeaderMark};
    for (const CKeyboardRecord &record : records) {
        words << ((quint32(record.keys.size()) << 16) | record.command);
        for (const CAccelItem &item : record.keys)
            words << KeyWord(item);
    }
    return words;
}

CKeyboardRecords KeyboardRecords(const QList<quint32> &words)
{
    CKeyboardRecords result;
    if (words.isEmpty()) {
        result.damaged = true;
        return result;
    }
    const quint32 header = words.first();
    const quint32 recordCount = header >> 16;
    if ((header & 0xFFFF) != kHeaderMark || recordCount == 0)
        return result;
    qsizetype pos = 1;
    for (quint32 r = 0; r < recordCount; ++r) {
        if (pos >= words.size()) {
            result.damaged = true;
            break;
        }
        const quint32 head = words[pos++];
        const qsizetype keyCount = head >> 16;
        if (keyCount > words.size() - pos) {
            result.damaged = true;
            break;
        }
        CKeyboardRecord record{static_cast<unsigned short>(head & 0xFFFF), {}};
        for (qsizetype k = 0; k < keyCount; ++k) {
            if (const auto item = KeyFromWord(words[pos + k]))
                record.keys << *item;
            else
                result.damaged = true;
        }
        pos += keyCount;
        result.records << record;
    }
    return result;
}

QByteArray EncodeKeyboardValue(const QList<CKeyboardRecord> &records)
{
    return SerializeWords(KeyboardWords(records));
}

CKeyboardRecords DecodeKeyboardValue(const QByteArray &bytes)
{
    bool complete = false;
    CKeyboardRecords result = KeyboardRecords(DeserializeWords(bytes, &complete));
    result.damaged = result.damaged || !complete;
    return result;
}
