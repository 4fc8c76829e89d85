// The whole-number reading of the spin fields' text, on arbitrary text: no
// crash, no undefined behaviour, and the same answer as a plain reference
// reading (leading blanks, optional sign, ASCII digits to the end, 32-bit
// range); every value read writes back as a text that reads the same.
#include "core/decimal.h"
#include "core/fuzz/fuzz_check.h"

#include <optional>

namespace {

std::optional<int> reference(const QString &text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i] == u' ')
        ++i;
    const QString rest = text.sliced(i);
    const qsizetype digitsFrom = rest.startsWith(u'+') || rest.startsWith(u'-') ? 1 : 0;
    if (rest.size() == digitsFrom)
        return std::nullopt;
    for (qsizetype j = digitsFrom; j < rest.size(); ++j)
        if (rest[j] < u'0' || rest[j] > u'9')
            return std::nullopt;
    // Digits only: the exact value, or past the range however many digits.
    bool ok = false;
    const int value = rest.toInt(&ok);
    if (!ok)
        return std::nullopt;
    return value;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = utf8Text(data, size);
    const std::optional<int> value = core::parseInteger(text);
    check(value == reference(text));
    if (value) {
        check(core::parseInteger(QString::number(*value)) == value);
        check(core::parseInteger(QStringLiteral("   ") + QString::number(*value)) == value);
        check(!core::parseInteger(QString::number(*value) + u' '));
    }
    return 0;
}
