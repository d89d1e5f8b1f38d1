// The profile's "Keyboard" value: whatever is stored decodes without reading
// past the end, and what it decodes to is written back and reads the same.
#include "fuzzcheck.h"

#include "frame/keyboardvalue.h"

namespace {

bool SameRecords(const QList<CKeyboardRecord> &a, const QList<CKeyboardRecord> &b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype r = 0; r < a.size(); ++r) {
        if (a[r].command != b[r].command || a[r].keys.size() != b[r].keys.size())
            return false;
        for (qsizetype k = 0; k < a[r].keys.size(); ++k) {
            const CAccelItem &x = a[r].keys[k];
            const CAccelItem &y = b[r].keys[k];
            if (x.fVirt != y.fVirt || x.key != y.key || x.locked != y.locked)
                return false;
        }
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // A copy of exactly the input's length, so that a read past it is caught.
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));

    bool complete = false;
    const QList<quint32> words = DeserializeWords(bytes, &complete);
    FUZZ_CHECK(qsizetype(words.size()) * 4 <= bytes.size());
    bool again = false;
    FUZZ_CHECK(DeserializeWords(SerializeWords(words), &again) == words && again);

    const CKeyboardRecords decoded = DecodeKeyboardValue(bytes);
    for (const CKeyboardRecord &record : decoded.records)
        for (const CAccelItem &key : record.keys)
            FUZZ_CHECK(!key.Text().isEmpty());
    const CKeyboardRecords back = DecodeKeyboardValue(EncodeKeyboardValue(decoded.records));
    FUZZ_CHECK(!back.damaged);
    FUZZ_CHECK(SameRecords(back.records, decoded.records));
    return 0;
}
