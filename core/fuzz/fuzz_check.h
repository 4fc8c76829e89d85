#pragma once

#include <QString>
#include <cstdint>
#include <cstdlib>

// Shared by the fuzz targets. A broken invariant aborts, which libFuzzer
// reports as a crash and keeps the input that caused it.
inline void check(bool ok)
{
    if (!ok)
        std::abort();
}

// The fuzzer's bytes read as UTF-8 text (invalid sequences become U+FFFD).
inline QString utf8Text(const uint8_t *data, size_t size)
{
    return QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
}
