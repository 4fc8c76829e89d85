#include "decimal.h"

#include <cerrno>
#include <cfloat>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
// POSIX declares newlocale() and locale_t in <locale.h>, not in <clocale>.
#include <locale.h> // NOLINT(modernize-deprecated-headers)
#include <string>

static_assert(LDBL_MANT_DIG == 64, "the gear arithmetic needs the 80-bit extended type");

namespace core {

namespace {

bool isBlank(QChar c)
{
    return c == u' ';
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// strtold in the C locale, whatever the process locale says.
long double cStrtold(const std::string &s, bool &ok)
{
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    char *end = nullptr;
    errno = 0;
    const long double v = strtold_l(s.c_str(), &end, cLocale);
    ok = end && *end == '\0' && std::isfinite(v);
    return v;
}

} // namespace

std::optional<long double> parseDecimal(QStringView text, QChar separator)
{
    qsizetype b = 0, e = text.size();
    while (b < e && isBlank(text[b]))
        ++b;
    while (e > b && isBlank(text[e - 1]))
        --e;
    if (b == e)
        return std::nullopt;

    std::string ascii;
    ascii.reserve(static_cast<size_t>(e - b) + 2);
    qsizetype i = b;
    if (text[i] == u'+' || text[i] == u'-')
        ascii.push_back(static_cast<char>(text[i++].unicode()));
    int digits = 0;
    while (i < e && isDigit(text[i])) {
        ascii.push_back(static_cast<char>(text[i++].unicode()));
        ++digits;
    }
    if (i < e && text[i] == separator) {
        ascii.push_back('.');
        ++i;
        while (i < e && isDigit(text[i])) {
            ascii.push_back(static_cast<char>(text[i++].unicode()));
            ++digits;
        }
    }
    if (digits == 0)
        return std::nullopt;
    if (i < e && (text[i] == u'E' || text[i] == u'e')) {
        ascii.push_back('e');
        ++i;
        if (i < e && (text[i] == u'+' || text[i] == u'-'))
            ascii.push_back(static_cast<char>(text[i++].unicode()));
        int expDigits = 0;
        while (i < e && isDigit(text[i])) {
            ascii.push_back(static_cast<char>(text[i++].unicode()));
            ++expDigits;
        }
        if (expDigits == 0)
            return std::nullopt;
    }
    if (i != e)
        return std::nullopt;
    bool ok = false;
    const long double v = cStrtold(ascii, ok);
    if (!ok)
        return std::nullopt;
    return v;
}

std::optional<int> parseInteger(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        negative = text[i++] == u'-';
    if (i == text.size())
        return std::nullopt;
    long long v = 0;
    for (; i < text.size(); ++i) {
        if (!isDigit(text[i]))
            return std::nullopt;
        v = v * 10 + (text[i].unicode() - u'0');
        if (v > 2147483648LL)
            return std::nullopt;
    }
    if (negative)
        v = -v;
    if (v > 2147483647LL)
        return std::nullopt;
    return static_cast<int>(v);
}

QString formatOneDecimal(long double value, QChar separator)
{
    if (!std::isfinite(value))
        return value != value ? QStringLiteral("NAN") : (value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF"));

    // 18 significant digits, correctly rounded by the C library.
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.17Le", value);
    const bool negative = buf[0] == '-';
    const char *p = buf + (negative ? 1 : 0);
    std::string digits;
    for (; *p && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9')
            digits.push_back(*p);
    if (*p != 'e' || digits.empty()) // not a number the C library could print in digits
        return QStringLiteral("NAN");
    const int exponent = std::atoi(p + 1);
    auto digitAt = [&](long pos) -> int {
        return pos >= 0 && pos < static_cast<long>(digits.size()) ? digits[static_cast<size_t>(pos)] - '0' : 0;
    };

    // Integer digits, the first decimal and the digit that decides rounding.
    std::string kept;
    if (exponent >= 0) {
        for (long k = 0; k <= exponent; ++k)
            kept.push_back(static_cast<char>('0' + digitAt(k)));
    } else {
        kept.push_back('0');
    }
    kept.push_back(static_cast<char>('0' + digitAt(exponent + 1)));
    if (digitAt(exponent + 2) >= 5) {
        long k = static_cast<long>(kept.size()) - 1;
        while (k >= 0 && kept[static_cast<size_t>(k)] == '9')
            kept[static_cast<size_t>(k--)] = '0';
        if (k < 0)
            kept.insert(kept.begin(), '1');
        else
            ++kept[static_cast<size_t>(k)];
    }
    size_t lead = 0;
    while (lead + 2 < kept.size() && kept[lead] == '0')
        ++lead;
    kept.erase(0, lead);

    const bool zero = kept.find_first_not_of('0') == std::string::npos;
    QString out;
    out.reserve(static_cast<qsizetype>(kept.size()) + 2);
    if (negative && !zero)
        out.append(u'-');
    out.append(QLatin1StringView(kept.data(), static_cast<qsizetype>(kept.size() - 1)));
    out.append(separator);
    out.append(QChar(kept.back()));
    return out;
}

} // namespace core
