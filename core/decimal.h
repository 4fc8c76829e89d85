#pragma once

#include <QChar>
#include <QString>
#include <QStringView>
#include <optional>

// Number texts as the program reads and shows them. The decimal separator
// is always passed in: it is the machine's, never the language's.
namespace core {

// A decimal number with blanks around it: optional sign, digits, optionally
// the separator and more digits, optionally an exponent ("E"/"e", optional
// sign, digits). Anything else, an empty remainder, or a value beyond the
// extended range fails.
std::optional<long double> parseDecimal(QStringView text, QChar separator);

// A whole number: leading blanks, optional sign, decimal digits to the end of
// the text (a trailing blank fails), within the 32-bit range.
std::optional<int> parseInteger(QStringView text);

// The value converted to 18 significant digits (nearest, ties to even), then
// rounded at the first decimal with halves away from zero: at least one
// integer digit, no thousands separator, exactly one decimal, no sign on a
// value that rounds to zero.
QString formatOneDecimal(long double value, QChar separator);

} // namespace core
