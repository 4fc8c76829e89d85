// libFuzzer target: the entry operations, comma text and the end-of-load
// clean-up of the translation lists, fed with arbitrary lists.
//
// Input: one control byte (delimiter, number of languages, language, dialog
// flag), then UTF-8 text whose lines are spread over the eleven lists.
#include "core/fuzz/fuzz_check.h"
#include "i18n/entries.h"
#include "i18n/tables.h"

using namespace i18n;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const uint8_t control = data[0];
    const QChar d = (control & 1) ? QChar(u'\t') : QChar(1);
    const int languages = 1 + ((control >> 1) & 3);
    const int language = 1 + ((control >> 3) & 3);
    const QString text = utf8Text(data + 1, size - 1);
    const QStringList lines = text.split(u'\n');

    // Single entries.
    for (const QString &line : lines) {
        const QString key = entryKey(line, d);
        check(!key.contains(d));
        check(entryField(line, 1, d) == key || key.isEmpty());
        for (int n = 0; n <= languages + 2; ++n)
            check(!entryField(line, n, d).contains(d));
    }

    // Writing a text and reading it back.
    QStringList list = lines;
    const QString key = lines.first().left(lines.first().indexOf(d));
    const QString newText = lines.value(1).remove(d);
    const int found = findEntryIndex(list, key, d);
    const qsizetype delimiters = found < 0 ? 0 : list[found].count(d);
    setEntryText(list, key, language, newText, d);
    check(list.size() == lines.size());
    if (found >= 0 && !key.isEmpty() && delimiters >= language)
        check(entryField(list[found], language + 1, d) == newText);
    else if (found >= 0 && delimiters < language)
        check(list[found] == lines[found]);

    // Comma text reads back what it wrote (a NUL ends a text).
    QStringList items = lines;
    for (QString &item : items)
        item.remove(QChar(0));
    check(fromCommaText(toCommaText(items)) == items);
    fromCommaText(text);

    // The end-of-load clean-up.
    StoredTables tables;
    tables.delim = d;
    tables.numOfLanguages = languages;
    tables.needAllDlgs = (control & 0x20) != 0;
    tables.excludedProperties = lines.mid(0, 2);
    tables.smartExcludeProps = lines.mid(2, 2);
    tables.savedFormats = lines.mid(0, 15);
    for (qsizetype i = 0; i < lines.size(); ++i)
        tables.lists[i % kListCount] << lines[i];
    if (control & 0x40) // a dialog list of one of the lengths that change
        while (tables.list(ListKind::DialogTexts).size() < ((control & 0x80) ? 81 : 15))
            tables.list(ListKind::DialogTexts) << lines.last();
    normaliseTables(tables);
    check(tables.delim != QChar(u'\t'));
    topUpDelimiters(tables);
    for (ListKind kind : {ListKind::ProgramTexts, ListKind::DialogTexts, ListKind::LocaleFormats})
        for (const QString &entry : tables.list(kind))
            check(entry.count(tables.delim) > languages);
    return 0;
}
