#pragma once

#include <QChar>
#include <QString>
#include <QStringList>

// Single entries of the translation lists. An entry is one line: the key,
// then for every language a delimiter D and that language's text, then a
// closing D. Neither keys nor texts can hold D.
namespace i18n {

// Field n (1 = the key, L + 1 = the text of language L); empty when the line
// ends first. At most one D is skipped before each field, so a line that
// begins with D yields its first text as field 1.
QString entryField(const QString &entry, int n, QChar delim);
// The characters before the first D, or the whole line.
QString entryKey(const QString &entry, QChar delim);
// Index of the first entry whose key equals `key` after both are upper-cased
// the way the machine's locale does it; -1 when none.
int findEntryIndex(const QStringList &list, const QString &key, QChar delim);
// The text of language L of the first entry with that key; empty when none.
QString findEntryText(const QStringList &list, const QString &key, int language, QChar delim);
// Replaces the text of language L in the first entry with that key. An entry
// with fewer than L delimiters, or no entry, is left alone.
void setEntryText(QStringList &list, const QString &key, int language, const QString &text, QChar delim);
// The entry with its key replaced.
QString withKey(const QString &entry, const QString &key, QChar delim);

// Upper case as the machine's locale makes it (keys are compared this way).
QString localeUpper(const QString &s);
// Membership in a list of names, without regard to case.
bool containsName(const QStringList &list, const QString &name);
int indexOfName(const QStringList &list, const QString &name);

// A string list as one comma-separated line: items holding a blank, a
// control character, a comma or a quote are double-quoted. Parsing splits at
// commas and at blanks outside quotes.
QString toCommaText(const QStringList &items);
QStringList fromCommaText(const QString &text);

// Character sets known to FontCharsets entries, in lookup order.
struct Charset
{
    const char *name;
    int code;
};
extern const Charset kCharsets[19];
// Code of a charset name (-1 for none); exact or without regard to case.
int charsetCode(const QString &name, Qt::CaseSensitivity cs);
// Name of a code, or empty.
QString charsetName(int code);

// The 15 format items of LocaleFormats, in their fixed order.
extern const QStringList kLocaleItems;
// The format items by their place in kLocaleItems (and in the captured
// format settings).
enum class LocaleItem : qsizetype {
    CurrencyString,
    ThousandSeparator,
    DecimalSeparator,
    DateSeparator,
    ShortDateFormat,
    LongDateFormat,
    TimeSeparator,
    TimeAmString,
    TimePmString,
    ShortTimeFormat,
    LongTimeFormat,
    ShortMonthNames,
    LongMonthNames,
    ShortDayNames,
    LongDayNames,
};
inline constexpr qsizetype kLocaleItemCount = qsizetype(LocaleItem::LongDayNames) + 1;
// The four name lists come last; stored LocaleFormats may stop before them.
inline constexpr qsizetype kFirstNameListItem = qsizetype(LocaleItem::ShortMonthNames);
// The separators, which take only the first character of a text.
constexpr bool isSeparatorItem(LocaleItem item)
{
    return item == LocaleItem::ThousandSeparator || item == LocaleItem::DecimalSeparator ||
           item == LocaleItem::DateSeparator || item == LocaleItem::TimeSeparator;
}
// The month and day names, kept as comma-separated lists.
constexpr bool isNameListItem(LocaleItem item)
{
    return qsizetype(item) >= kFirstNameListItem;
}
// The 15 message-dialog texts, with their "&".
extern const QStringList kMessageDialogTexts;
// The 79 standard-dialog texts kept in DialogTexts, with their "&".
extern const QStringList kStandardDialogTexts;
// The text without its accelerator marks.
QString withoutAmpersand(QString text);

} // namespace i18n
