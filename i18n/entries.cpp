#include "entries.h"

#include <QLocale>

namespace i18n {

QString entryField(const QString &entry, int n, QChar delim)
{
    if (n < 1)
        return {};
    const qsizetype len = entry.size();
    qsizetype pos = 0;
    for (int count = 0;;) {
        if (pos < len && entry[pos] == delim)
            ++pos;
        if (pos >= len)
            return {};
        ++count;
        qsizetype end = entry.indexOf(delim, pos);
        if (end < 0)
            end = len;
        if (count == n)
            return entry.mid(pos, end - pos);
        pos = end;
    }
}

QString entryKey(const QString &entry, QChar delim)
{
    const qsizetype d = entry.indexOf(delim);
    return d < 0 ? entry : entry.left(d);
}

QString localeUpper(const QString &s)
{
    // Only Turkish and Azeri upper-case plain ASCII letters differently from
    // the invariant rule; everything else may take the fast path.
    static const bool asciiIsPlain = [] {
        const QLocale::Language l = QLocale().language();
        return l != QLocale::Turkish && l != QLocale::Azerbaijani;
    }();
    bool ascii = true;
    for (QChar c : s)
        if (c.unicode() >= 0x80) {
            ascii = false;
            break;
        }
    return ascii && asciiIsPlain ? s.toUpper() : QLocale().toUpper(s);
}

bool containsName(const QStringList &list, const QString &name)
{
    return list.contains(name, Qt::CaseInsensitive);
}

int indexOfName(const QStringList &list, const QString &name)
{
    for (qsizetype i = 0; i < list.size(); ++i)
        if (list[i].compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

int findEntryIndex(const QStringList &list, const QString &key, QChar delim)
{
    const QString wanted = localeUpper(key);
    for (qsizetype i = 0; i < list.size(); ++i) {
        if (localeUpper(entryKey(list[i], delim)) == wanted)
            return int(i);
    }
    return -1;
}

QString findEntryText(const QStringList &list, const QString &key, int language, QChar delim)
{
    const int i = findEntryIndex(list, key, delim);
    return i < 0 ? QString() : entryField(list[i], language + 1, delim);
}

void setEntryText(QStringList &list, const QString &key, int language, const QString &text, QChar delim)
{
    if (language < 1)
        return;
    const int i = findEntryIndex(list, key, delim);
    if (i < 0)
        return;
    const QString &entry = list[i];
    qsizetype start = -1; // the L-th delimiter
    for (int n = 0; n < language; ++n) {
        start = entry.indexOf(delim, start + 1);
        if (start < 0)
            return;
    }
    const qsizetype next = entry.indexOf(delim, start + 1);
    list[i] = entry.left(start) + delim + text + (next >= 0 ? entry.mid(next) : QString());
}

QString withKey(const QString &entry, const QString &key, QChar delim)
{
    const qsizetype d = entry.indexOf(delim);
    return d < 0 ? key : key + entry.mid(d);
}

QString toCommaText(const QStringList &items)
{
    if (items.size() == 1 && items[0].isEmpty())
        return QStringLiteral("\"\"");
    QStringList parts;
    parts.reserve(items.size());
    for (const QString &item : items) {
        bool quote = false;
        for (QChar c : item) {
            if (c.unicode() == 0)
                break;
            if (c.unicode() <= u' ' || c == u'"' || c == u',') {
                quote = true;
                break;
            }
        }
        parts << (quote ? u'"' + QString(item).replace(u'"', QStringLiteral("\"\"")) + u'"' : item);
    }
    return parts.join(u',');
}

QStringList fromCommaText(const QString &text)
{
    // A NUL ends the text, as it would a C string.
    const qsizetype nul = text.indexOf(QChar(0));
    const QString s = nul < 0 ? text : text.left(nul);
    const qsizetype len = s.size();
    auto blank = [&](qsizetype i) { return i < len && s[i].unicode() >= 1 && s[i].unicode() <= u' '; };

    QStringList items;
    qsizetype p = 0;
    while (blank(p))
        ++p;
    while (p < len) {
        QString item;
        if (s[p] == u'"') {
            ++p;
            for (;;) {
                const qsizetype q = s.indexOf(u'"', p);
                if (q < 0) { // unterminated: the rest
                    item += s.mid(p);
                    p = len;
                    break;
                }
                item += s.mid(p, q - p);
                if (q + 1 < len && s[q + 1] == u'"') {
                    item += u'"';
                    p = q + 2;
                    continue;
                }
                p = q + 1;
                break;
            }
        } else {
            const qsizetype start = p;
            while (p < len && s[p].unicode() > u' ' && s[p] != u',')
                ++p;
            item = s.mid(start, p - start);
        }
        items << item;
        while (blank(p))
            ++p;
        if (p < len && s[p] == u',') {
            if (p + 1 >= len)
                items << QString();
            do
                ++p;
            while (blank(p));
        }
    }
    return items;
}

const Charset kCharsets[19] = {
    {"ANSI_CHARSET", 0},          {"DEFAULT_CHARSET", 1},      {"SYMBOL_CHARSET", 2},    {"MAC_CHARSET", 77},
    {"SHIFTJIS_CHARSET", 128},    {"HANGEUL_CHARSET", 129},    {"JOHAB_CHARSET", 130},   {"GB2312_CHARSET", 134},
    {"CHINESEBIG5_CHARSET", 136}, {"GREEK_CHARSET", 161},      {"TURKISH_CHARSET", 162}, {"VIETNAMESE_CHARSET", 163},
    {"HEBREW_CHARSET", 177},      {"ARABIC_CHARSET", 178},     {"BALTIC_CHARSET", 186},  {"RUSSIAN_CHARSET", 204},
    {"THAI_CHARSET", 222},        {"EASTEUROPE_CHARSET", 238}, {"OEM_CHARSET", 255},
};

int charsetCode(const QString &name, Qt::CaseSensitivity cs)
{
    for (const Charset &c : kCharsets)
        if (name.compare(QLatin1String(c.name), cs) == 0)
            return c.code;
    return -1;
}

QString charsetName(int code)
{
    for (const Charset &c : kCharsets)
        if (c.code == code)
            return QLatin1String(c.name);
    return {};
}

const QStringList kLocaleItems = {
    QStringLiteral("Currency String"),   QStringLiteral("Thousand Separator"), QStringLiteral("Decimal Separator"),
    QStringLiteral("Date Separator"),    QStringLiteral("Short Date Format"),  QStringLiteral("Long Date Format"),
    QStringLiteral("Time Separator"),    QStringLiteral("Time AM String"),     QStringLiteral("Time PM String"),
    QStringLiteral("Short Time Format"), QStringLiteral("Long Time Format"),   QStringLiteral("Short Month Names"),
    QStringLiteral("Long Month Names"),  QStringLiteral("Short Day Names"),    QStringLiteral("Long Day Names"),
};

const QStringList kMessageDialogTexts = {
    QStringLiteral("Warning"),    QStringLiteral("Error"),       QStringLiteral("Information"),
    QStringLiteral("Confirm"),    QStringLiteral("&Yes"),        QStringLiteral("&No"),
    QStringLiteral("OK"),         QStringLiteral("Cancel"),      QStringLiteral("&Abort"),
    QStringLiteral("&Retry"),     QStringLiteral("&Ignore"),     QStringLiteral("&All"),
    QStringLiteral("N&o To All"), QStringLiteral("Y&es To All"), QStringLiteral("&Help"),
};

const QStringList kStandardDialogTexts = kMessageDialogTexts + QStringList{
                                                                   QStringLiteral("&Open"),
                                                                   QStringLiteral("Look &in:"),
                                                                   QStringLiteral("File &name:"),
                                                                   QStringLiteral("Files of &type:"),
                                                                   QStringLiteral("&Read-only"),
                                                                   QStringLiteral("&Save"),
                                                                   QStringLiteral("&Drives:"),
                                                                   QStringLiteral("Save &in:"),
                                                                   QStringLiteral("Save as &type:"),
                                                                   QStringLiteral("&Basic colors:"),
                                                                   QStringLiteral("&Custom colors:"),
                                                                   QStringLiteral("&Define Custom Colors >>"),
                                                                   QStringLiteral("Color"),
                                                                   QStringLiteral("|S&olid"),
                                                                   QStringLiteral("Hu&e:"),
                                                                   QStringLiteral("&Sat:"),
                                                                   QStringLiteral("&Lum:"),
                                                                   QStringLiteral("&Red:"),
                                                                   QStringLiteral("&Green:"),
                                                                   QStringLiteral("Bl&ue:"),
                                                                   QStringLiteral("&Add to Custom Colors"),
                                                                   QStringLiteral("&Font:"),
                                                                   QStringLiteral("Font st&yle:"),
                                                                   QStringLiteral("Si&ze:"),
                                                                   QStringLiteral("&Color:"),
                                                                   QStringLiteral("&Apply"),
                                                                   QStringLiteral("Effects"),
                                                                   QStringLiteral("Stri&keout"),
                                                                   QStringLiteral("&Underline"),
                                                                   QStringLiteral("Sample"),
                                                                   QStringLiteral("Sc&ript:"),
                                                                   QStringLiteral("Printer"),
                                                                   QStringLiteral("&Name:"),
                                                                   QStringLiteral("&Properties"),
                                                                   QStringLiteral("Status:"),
                                                                   QStringLiteral("Type:"),
                                                                   QStringLiteral("Where:"),
                                                                   QStringLiteral("Comment:"),
                                                                   QStringLiteral("Paper"),
                                                                   QStringLiteral("&Source:"),
                                                                   QStringLiteral("Orientation"),
                                                                   QStringLiteral("P&ortrait"),
                                                                   QStringLiteral("L&andscape"),
                                                                   QStringLiteral("Print to f&ile"),
                                                                   QStringLiteral("Print"),
                                                                   QStringLiteral("Pa&ges"),
                                                                   QStringLiteral("&Selection"),
                                                                   QStringLiteral("&from:"),
                                                                   QStringLiteral("&to:"),
                                                                   QStringLiteral("Copies"),
                                                                   QStringLiteral("Number of &copies:"),
                                                                   QStringLiteral("C&ollate"),
                                                                   QStringLiteral("Fi&nd what:"),
                                                                   QStringLiteral("Match &whole words only"),
                                                                   QStringLiteral("Match &case"),
                                                                   QStringLiteral("Direction"),
                                                                   QStringLiteral("&Up"),
                                                                   QStringLiteral("&Down"),
                                                                   QStringLiteral("&Find Next"),
                                                                   QStringLiteral("&Replace"),
                                                                   QStringLiteral("Replace &All"),
                                                                   QStringLiteral("Re&place with:"),
                                                                   QStringLiteral("Picture:"),
                                                                   QStringLiteral("Preview"),
                                                               };

QString withoutAmpersand(QString text)
{
    return text.remove(u'&');
}

} // namespace i18n
