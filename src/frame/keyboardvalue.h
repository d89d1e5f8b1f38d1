#pragma once

#include "controls/virtualkeys.h"

#include <QByteArray>
#include <QList>
#include <QString>

// One shortcut key of a command. Locked keys are the built-in ones: they
// cannot be removed and are never stored.
struct CAccelItem {
    unsigned char fVirt = FVIRTKEY;
    unsigned short key = 0;
    bool locked = false;

    // Same key code and the same Shift, Ctrl and Alt.
    bool SameKey(const CAccelItem &other) const
    {
        return key == other.key && (fVirt & kModifierFlags) == (other.fVirt & kModifierFlags);
    }
    QString Text() const { return AccelKeyText(fVirt, key); }
};

// The user keys of one command, as the "Keyboard" value stores them.
struct CKeyboardRecord {
    unsigned short command = 0;
    QList<CAccelItem> keys;
};

// A list of 32-bit words in the stored form: the count (16 bits, or the
// 16-bit value 65535 and a 32-bit count), then the words, little-endian.
QByteArray SerializeWords(const QList<quint32> &words);
// Reads no further than the data: when the count runs past it, only the
// whole words present come back and `complete` is false.
QList<quint32> DeserializeWords(const QByteArray &bytes, bool *complete);

// The "Keyboard" words: a header (records << 16 | 0xFFFF), then per record
// (keys << 16 | command id) and one word per key
// (((0x200 | flags) << 16) | key code).
QList<quint32> KeyboardWords(const QList<CKeyboardRecord> &records);

struct CKeyboardRecords {
    QList<CKeyboardRecord> records;
    // Something was cut off or malformed and left out.
    bool damaged = false;
};
// The records the words hold. A record or key that runs past the end or
// does not make sense is left out; the rest still counts.
CKeyboardRecords KeyboardRecords(const QList<quint32> &words);

QByteArray EncodeKeyboardValue(const QList<CKeyboardRecord> &records);
CKeyboardRecords DecodeKeyboardValue(const QByteArray &bytes);
