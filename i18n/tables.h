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

// The translator's lists, by what their entries hold; the ordinal is also
// the value of pendingKind(). stored_tables.cpp maps the stored names onto
// them.
enum class ListKind {
    Captions = 0,             // a component's Caption, keyed by component
    Hints = 1,                // a component's Hint
    DisplayLabels = 2,        // a component's DisplayLabel
    FontNames = 3,            // the name of a component's Font
    StringListProperties = 4, // string lists, keyed "component.property"
    DialogTexts = 5,          // the texts of the standard dialogs
    ProgramTexts = 6,         // texts looked up by key, written into no component
    OtherTextProperties = 7,  // other text properties, "component.property"
    LocaleFormats = 8,        // number, date and time formats (kLocaleItems)
    CollectionItems = 9,      // collection items, "component.property[...]"
    FontCharsets = 10,        // the character set of a component's Font
    ViewItems = 11,           // list- and tree-view items: kept in no list
};
inline constexpr int kListCount = 11;
// Whether the kind has a list (ViewItems and values outside the kinds have
// none).
constexpr bool hasList(ListKind kind)
{
    return unsigned(kind) < unsigned(kListCount);
}

// What a property gets when its entry has no text in the active language:
// it keeps what it shows, or it gets the first language's text.
enum class EmptyTextRule { KeepCurrent, UseFirstLanguage };

enum class TranslatorOption {
    ExternalProgramTexts = 0x1, // the program texts come from elsewhere; nothing here reads it
    ExternalCommonTexts = 0x2,  // so do the dialog texts and locale formats: loading drops them
};
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
    // By kind. Read and write through list(), which refuses a kind
    // without a list.
    std::array<QStringList, kListCount> lists;
    QChar delim = QChar(1);
    int numOfLanguages = 1;
    bool needAllDlgs = false;
    TranslatorOptions options;
    QStringList excludedProperties;
    QStringList smartExcludeProps;
    QList<ExtendedTranslation> extendedTranslations;
    QStringList savedFormats; // the 15 format settings in LocaleFormats order

    QStringList &list(ListKind kind) { return lists.at(listIndex(kind)); }
    const QStringList &list(ListKind kind) const { return lists.at(listIndex(kind)); }

private:
    // Throws std::out_of_range for a kind without a list.
    static std::size_t listIndex(ListKind kind) { return static_cast<unsigned>(kind); }
};

// Every character `from` becomes `to` in all lists and extended values.
void replaceDelimiter(StoredTables &tables, QChar from, QChar to);
// Appends delimiters to every entry of ProgramTexts, DialogTexts and
// LocaleFormats so that each has at least N + 1.
void topUpDelimiters(StoredTables &tables);
// The clean-up that follows loading a window: dialog texts, a single
// delimiter, the four name items of LocaleFormats, excluded properties.
void normaliseTables(StoredTables &tables);

// Grows the names with "Language N<position>" or cuts them from the end.
void resizeLanguageNames(QStringList &names, int n);

// The 15 format settings of a locale, in LocaleFormats order; month and day
// names as comma-separated lists (days from Sunday).
QStringList captureFormats(const QLocale &locale);
// DialogTexts and LocaleFormats of a new translator.
QStringList newDialogTexts(QChar delim);
QStringList newLocaleFormats(const QStringList &savedFormats, QChar delim);

} // namespace i18n
