#pragma once

#include <QChar>
#include <QFlags>
#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <array>
#include <cstddef>

namespace i18n {

// The list kinds; the ordinal is also the value of `PendingKind`.
enum ListKind {
    stCaptions = 0,
    stHints = 1,
    stDisplayLabels = 2,
    stFonts = 3,
    stMultiLines = 4,
    stDlgsCaptions = 5,
    stStrings = 6,
    stOtherStrings = 7,
    stLocales = 8,
    stCollections = 9,
    stCharSets = 10,
    stListView_TreeView_Items = 11, // has no list
};
inline constexpr int kListCount = 11;

enum TranslateType { ttNoChange, ttGetDefault };

enum TranslatorOption { loUseExtUDStrings = 0x1, loUseExtCommonStrings = 0x2 };
Q_DECLARE_FLAGS(TranslatorOptions, TranslatorOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(TranslatorOptions)

// A translation of an arbitrary property path: the identifier names the
// property, the values hold one text per language separated by D.
struct ExtendedTranslation
{
    QString identifier;
    QString values;
};

// The translator's lists and the settings their normalisation reads.
struct StoredTables
{
    // By kind; stListView_TreeView_Items has no list. Read and write
    // through list(), which refuses a kind without one.
    std::array<QStringList, kListCount> lists;
    QChar delim = QChar(1);
    int numOfLanguages = 1;
    bool needAllDlgs = false;
    TranslatorOptions options;
    QStringList excludedProperties;
    QStringList smartExcludeProps;
    QList<ExtendedTranslation> extendedTranslations;
    QStringList savedFormats; // the 15 format settings in `Locales` order

    QStringList &list(ListKind kind) { return lists.at(listIndex(kind)); }
    const QStringList &list(ListKind kind) const { return lists.at(listIndex(kind)); }

private:
    // Throws std::out_of_range for stListView_TreeView_Items or any value
    // outside the kinds.
    static std::size_t listIndex(ListKind kind) { return static_cast<unsigned>(kind); }
};

// Every character `from` becomes `to` in all lists and extended values.
void replaceDelimiter(StoredTables &tables, QChar from, QChar to);
// Appends delimiters to every entry of `Strings`, `DlgsCaptions` and
// `Locales` so that each has at least N + 1.
void topUpDelimiters(StoredTables &tables);
// The clean-up that follows loading a window: dialog texts, a single
// delimiter, the four name items of `Locales`, excluded properties.
void normaliseTables(StoredTables &tables);

// Grows the names with "Language N<position>" or cuts them from the end.
void resizeLanguageNames(QStringList &names, int n);

// The 15 format settings of a locale, in `Locales` order; month and day
// names as comma-separated lists (days from Sunday).
QStringList captureFormats(const QLocale &locale);
// `DlgsCaptions` and `Locales` of a new translator.
QStringList newDialogCaptions(QChar delim);
QStringList newLocales(const QStringList &savedFormats, QChar delim);

} // namespace i18n
