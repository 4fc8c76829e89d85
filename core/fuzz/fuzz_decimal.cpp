// Decimal parsing and one-decimal formatting on arbitrary input: no crash,
// no undefined behaviour, and every formatted text parses back to a value
// that formats the same.
#include "core/decimal.h"
#include "fuzz_check.h"

#include <cmath>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const QChar separator = (data[0] & 1) ? u',' : u'.';
    const QString text = utf8Text(data + 1, size - 1);

    if (const auto v = core::parseDecimal(text, separator)) {
        check(std::isfinite(*v));
        const QString shown = core::formatOneDecimal(*v, separator);
        const auto back = core::parseDecimal(shown, separator);
        check(back && core::formatOneDecimal(*back, separator) == shown);
    }

    if (size >= 9) {
        double d;
        std::memcpy(&d, data + 1, sizeof d);
        const QString shown = core::formatOneDecimal(static_cast<long double>(d), separator);
        if (std::isfinite(d)) {
            const auto back = core::parseDecimal(shown, separator);
            check(back && core::formatOneDecimal(*back, separator) == shown);
        }
    }
    return 0;
}
