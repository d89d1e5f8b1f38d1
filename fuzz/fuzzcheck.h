#pragma once

#include <fuzzer/FuzzedDataProvider.h>

#include <QByteArray>
#include <QString>

#include <cstdio>
#include <cstdlib>

// A promise of the code under test that the input broke: abort, so that
// libFuzzer keeps the input as a crash.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "fuzz check failed: %s (%s:%d)\n", #condition, __FILE__, __LINE__); \
            std::abort();                                                                          \
        }                                                                                          \
    } while (0)

// A text of at most `maxBytes` UTF-8 bytes from the input; invalid sequences
// read as U+FFFD, as the program reads every file.
inline QString FuzzText(FuzzedDataProvider &input, size_t maxBytes)
{
    const std::string bytes = input.ConsumeRandomLengthString(maxBytes);
    return QString::fromUtf8(bytes.data(), qsizetype(bytes.size()));
}

inline QByteArray FuzzRest(FuzzedDataProvider &input)
{
    const std::string bytes = input.ConsumeRemainingBytesAsString();
    return QByteArray(bytes.data(), qsizetype(bytes.size()));
}
