#include "tables.h"

#include "entries.h"

namespace i18n {

void replaceDelimiter(StoredTables &tables, QChar from, QChar to)
{
    if (from == to)
        return;
    for (QStringList &list : tables.lists)
        for (QString &entry : list)
            entry.replace(from, to);
    for (ExtendedTranslation &item : tables.extendedTranslations)
        item.values.replace(from, to);
}

void topUpDelimiters(StoredTables &tables)
{
    const int n = tables.numOfLanguages;
    for (ListKind kind : {ListKind::ProgramTexts, ListKind::DialogTexts, ListKind::LocaleFormats})
        for (QString &entry : tables.list(kind)) {
            const qsizetype k = entry.count(tables.delim);
            if (k <= n)
                entry += QString(n - k + 1, tables.delim);
        }
}

namespace {

QString propertyPart(const QString &entry, QChar delim)
{
    const QString key = entryKey(entry, delim);
    const qsizetype dot = key.indexOf(u'.');
    return dot < 0 ? QString() : key.mid(dot + 1);
}

qsizetype countOf(const QStringList &list, QChar c)
{
    return list.isEmpty() ? -1 : list.first().count(c);
}

} // namespace

namespace {

// The dialog texts: the 15 message-dialog entries, or all of them.
void fitDialogTexts(StoredTables &t)
{
    QStringList &dialogs = t.list(ListKind::DialogTexts);
    if (dialogs.size() == 81 && !t.needAllDlgs) {
        QStringList keys;
        for (const QString &text : kMessageDialogTexts)
            keys << withoutAmpersand(text);
        dialogs.removeIf([&](const QString &e) { return !keys.contains(entryKey(e, t.delim)); });
    } else if (dialogs.size() == 15 && t.needAllDlgs) {
        QStringList extra = kStandardDialogTexts.mid(15);
        extra << QStringLiteral("New Folder") << QStringLiteral("Folder:");
        for (const QString &text : extra)
            dialogs << withoutAmpersand(text) + t.delim + text + t.delim;
    }
}

// A stored tab delimiter becomes code 1.
void replaceTabDelimiter(StoredTables &t)
{
    const QChar tab(u'\t');
    if (t.options.testFlag(TranslatorOption::ExternalCommonTexts)) {
        t.list(ListKind::DialogTexts).clear();
        t.list(ListKind::LocaleFormats).clear();
    }
    if (t.delim == tab) {
        t.delim = QChar(1);
        replaceDelimiter(t, tab, t.delim);
    }
}

// Lists stored with tabs, or mixing tabs and the delimiter, end uniform.
void evenOutTabbedLists(StoredTables &t)
{
    const QChar tab(u'\t');
    const qsizetype n1 = t.numOfLanguages + 1;
    const QStringList &dialogs = t.list(ListKind::DialogTexts);
    const QStringList &locales = t.list(ListKind::LocaleFormats);
    const bool tabs = (!dialogs.isEmpty() && dialogs.first().contains(tab)) ||
                      (!locales.isEmpty() && locales.first().contains(tab)) ||
                      countOf(t.list(ListKind::Captions), tab) == n1 || countOf(locales, tab) == n1 ||
                      countOf(t.list(ListKind::Hints), tab) == n1;
    if (tabs) {
        replaceDelimiter(t, t.delim, tab);
        replaceDelimiter(t, tab, t.delim);
    }
}

// LocaleFormats stored without the four name lists get the machine's.
void completeLocaleFormats(StoredTables &t)
{
    if (t.list(ListKind::LocaleFormats).size() == kFirstNameListItem)
        for (qsizetype i = kFirstNameListItem; i < kLocaleItemCount; ++i)
            t.list(ListKind::LocaleFormats) << kLocaleItems[i] + t.delim + t.savedFormats.value(i) + t.delim;
}

// Excluded properties lose their entries.
void dropExcludedProperties(StoredTables &t)
{
    for (ListKind kind : {ListKind::StringListProperties, ListKind::OtherTextProperties, ListKind::CollectionItems})
        t.list(kind).removeIf([&](const QString &e) {
            const QString prop = propertyPart(e, t.delim);
            const QString key = entryKey(e, t.delim);
            return prop.compare(QLatin1String("Name"), Qt::CaseInsensitive) == 0 ||
                   containsName(t.excludedProperties, prop) || containsName(t.smartExcludeProps, key);
        });
    const struct
    {
        const char *property;
        ListKind kind;
    } emptied[] = {
        {"Caption", ListKind::Captions},     {"Hint", ListKind::Hints},     {"DisplayLabel", ListKind::DisplayLabels},
        {"Charset", ListKind::FontCharsets}, {"Font", ListKind::FontNames}, {"Font", ListKind::FontCharsets}};
    for (const auto &e : emptied)
        if (containsName(t.excludedProperties, QLatin1String(e.property)))
            t.list(e.kind).clear();
}

} // namespace

void normaliseTables(StoredTables &t)
{
    fitDialogTexts(t);
    replaceTabDelimiter(t);
    evenOutTabbedLists(t);
    completeLocaleFormats(t);
    dropExcludedProperties(t);
}

void resizeLanguageNames(QStringList &names, int n)
{
    while (names.size() < n)
        names << QStringLiteral("Language N%1").arg(names.size() + 1);
    while (names.size() > std::max(n, 0))
        names.removeLast();
}

QStringList captureFormats(const QLocale &locale)
{
    auto separatorIn = [](const QString &format) {
        for (QChar c : format)
            if (!c.isLetter() && c != u'\'')
                return QString(c);
        return QString();
    };
    QStringList shortMonths, longMonths, shortDays, longDays;
    for (int m = 1; m <= 12; ++m) {
        shortMonths << locale.monthName(m, QLocale::ShortFormat);
        longMonths << locale.monthName(m, QLocale::LongFormat);
    }
    for (int d : {7, 1, 2, 3, 4, 5, 6}) { // from Sunday
        shortDays << locale.dayName(d, QLocale::ShortFormat);
        longDays << locale.dayName(d, QLocale::LongFormat);
    }
    const QString shortDate = locale.dateFormat(QLocale::ShortFormat);
    const QString shortTime = locale.timeFormat(QLocale::ShortFormat);
    return {
        locale.currencySymbol(),
        locale.groupSeparator(),
        locale.decimalPoint(),
        separatorIn(shortDate),
        shortDate,
        locale.dateFormat(QLocale::LongFormat),
        separatorIn(shortTime),
        locale.amText(),
        locale.pmText(),
        shortTime,
        locale.timeFormat(QLocale::LongFormat),
        shortMonths.join(u','),
        longMonths.join(u','),
        shortDays.join(u','),
        longDays.join(u','),
    };
}

QStringList newDialogTexts(QChar delim)
{
    QStringList list;
    for (const QString &text : kMessageDialogTexts) {
        // The platform's message dialogs write these two differently.
        QString shown = text;
        if (text == QLatin1String("N&o To All"))
            shown = QStringLiteral("N&o to All");
        else if (text == QLatin1String("Y&es To All"))
            shown = QStringLiteral("Yes to &All");
        list << withoutAmpersand(text) + delim + shown + delim;
    }
    return list;
}

QStringList newLocaleFormats(const QStringList &savedFormats, QChar delim)
{
    QStringList list;
    for (int i = 0; i < kLocaleItems.size(); ++i)
        list << kLocaleItems[i] + delim + savedFormats.value(i) + delim;
    return list;
}

} // namespace i18n
