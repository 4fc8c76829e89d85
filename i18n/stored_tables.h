#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace i18n {

class Form;
class Translator;
class LanguageDispatcher;

// The stored form, one item a line:
//
//   object siLang1: TsiLang          a component and its class
//     Version = v5.1.1               a value: everything after "= ", verbatim
//     Captions = (                   a list ...
//       |Tgearform<D>Ratiomat<D>     ... one item a line after "|", verbatim
//     )
//   end
//
// Lines holding only blanks, or starting with "#", are ignored. Properties
// keep the order in which they are stored, since several act when set.
struct StoredProperty
{
    QString name;
    QString value;
    QStringList items;
    bool isList = false;
    int line = 0;
};

struct StoredObject
{
    QString name;
    QString className;
    QList<StoredProperty> properties;
};

// Parses stored text; raises core::AppError naming the line at fault.
// (stored_tables_parser.cpp: Qt Core only.)
QList<StoredObject> parseStoredText(const QString &text, const QString &source);

// Raises core::AppError "<source>:<line>: <what>".
[[noreturn]] void throwStoredTextError(const QString &source, int line, const QString &what);

// Loads a window's stored translator (and its dispatcher, where the window
// has one) the way a window is read: the window reports "loading" while the
// properties are set in stored order, the dispatcher reference is resolved
// once everything is read (linking the translator), then the translator's
// end-of-load steps run. Raises core::AppError for an unreadable or
// malformed file and LanguageError for a refused value.
void loadStoredTables(const QString &path, Form &form, Translator &translator,
                      LanguageDispatcher *dispatcher = nullptr);
void loadStoredText(const QString &text, const QString &source, Form &form, Translator &translator,
                    LanguageDispatcher *dispatcher = nullptr);

// The translator's stored properties that nothing in the program reads
// (StringsTypes, HandleResourceStrings, ResourceLanguageIndex,
// DoRaiseExceptions), as stored and in stored order, so that whatever
// writes the tables again writes them unchanged.
QList<StoredProperty> storedOnlyProperties(const Translator &translator);

} // namespace i18n
