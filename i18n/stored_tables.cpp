#include "stored_tables.h"

#include "dispatcher.h"
#include "translator.h"

#include "components.h"
#include "core/errors.h"

#include <QFile>
#include <QScopeGuard>
#include <optional>
#include <variant>

namespace i18n {

namespace {

[[noreturn]] void fail(const QString &source, int line, const QString &what)
{
    throwStoredTextError(source, line, what);
}

bool toBool(const StoredProperty &p, const QString &source)
{
    if (p.value.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
        return true;
    if (p.value.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
        return false;
    fail(source, p.line, QStringLiteral("%1 wants true or false").arg(p.name));
}

int toInt(const StoredProperty &p, const QString &source)
{
    bool ok = false;
    const int v = p.value.trimmed().toInt(&ok);
    if (!ok)
        fail(source, p.line, QStringLiteral("%1 wants a whole number").arg(p.name));
    return v;
}

// The stored format's words for the translator's lists and values, and
// what each stands for here. The stored spellings stay in this table (and
// in the stored files); the rest of the program uses the C++ names.
const struct
{
    const char *stored;
    std::variant<ListKind, EmptyTextRule, TranslatorOption> meaning;
} kVocabulary[] = {
    // The lists, by their stored property names.
    {"Captions", ListKind::Captions},
    {"Hints", ListKind::Hints},
    {"DisplayLabels", ListKind::DisplayLabels},
    {"Strings", ListKind::ProgramTexts},
    {"Fonts", ListKind::FontNames},
    {"MultiLines", ListKind::StringListProperties},
    {"DlgsCaptions", ListKind::DialogTexts},
    {"OtherStrings", ListKind::OtherTextProperties},
    {"Locales", ListKind::LocaleFormats},
    {"CharSets", ListKind::FontCharsets},
    {"Collections", ListKind::CollectionItems},
    // The values of TranslateType.
    {"ttNoChange", EmptyTextRule::KeepCurrent},
    {"ttGetDefault", EmptyTextRule::UseFirstLanguage},
    // The items of Options.
    {"loUseExtUDStrings", TranslatorOption::ExternalProgramTexts},
    {"loUseExtCommonStrings", TranslatorOption::ExternalCommonTexts},
};

// The meaning of type T that a stored word has, if any.
template <class T> std::optional<T> meaningOf(QStringView word, Qt::CaseSensitivity cs = Qt::CaseSensitive)
{
    for (const auto &w : kVocabulary)
        if (const T *meaning = std::get_if<T>(&w.meaning); meaning && word.compare(QLatin1String(w.stored), cs) == 0)
            return *meaning;
    return std::nullopt;
}

bool is(const StoredProperty &p, const char *name)
{
    return p.name.compare(QLatin1String(name), Qt::CaseInsensitive) == 0;
}

void requireList(const StoredProperty &p, bool list, const QString &source)
{
    if (p.isList != list)
        fail(source, p.line,
             QStringLiteral("%1 wants %2").arg(p.name, list ? QStringLiteral("a list") : QStringLiteral("a value")));
}

EmptyTextRule toEmptyTextRule(const StoredProperty &p, const QString &source)
{
    if (const auto rule = meaningOf<EmptyTextRule>(p.value.trimmed()))
        return *rule;
    fail(source, p.line, QStringLiteral("unknown TranslateType %1").arg(p.value));
}

// "[loUseExtUDStrings, loUseExtCommonStrings]", either or both or none.
TranslatorOptions toOptions(const StoredProperty &p, const QString &source)
{
    const QString v = p.value.trimmed();
    if (!v.startsWith(u'[') || !v.endsWith(u']'))
        fail(source, p.line, QStringLiteral("Options wants [..]"));
    TranslatorOptions options;
    for (const QString &o : v.mid(1, v.size() - 2).split(u',', Qt::SkipEmptyParts)) {
        const auto option = meaningOf<TranslatorOption>(o.trimmed());
        if (!option)
            fail(source, p.line, QStringLiteral("unknown option %1").arg(o.trimmed()));
        options |= *option;
    }
    return options;
}

// One "identifier=values" item a line.
QList<ExtendedTranslation> toExtendedItems(const StoredProperty &p, const QString &source)
{
    QList<ExtendedTranslation> items;
    for (const QString &item : p.items) {
        const qsizetype eq = item.indexOf(u'=');
        if (eq < 0)
            fail(source, p.line, QStringLiteral("an extended translation wants identifier=values"));
        items.append({item.left(eq), item.mid(eq + 1)});
    }
    return items;
}

// A translator's stored property other than its lists of entries: whether
// it is stored as a list, and how it is set. A property that nothing reads
// is only checked by `set`, then kept as stored.
struct TranslatorProperty
{
    const char *name = nullptr;
    bool isList = false;
    void (*set)(Translator &t, const StoredProperty &p, const QString &source) = nullptr;
    bool storedOnly = false;
};

// In the order a translator stores them; LangDispatcher is a reference and
// is resolved apart.
const TranslatorProperty kTranslatorProperties[] = {
    {"Version", false, [](auto &t, auto &p, auto &) { t.setVersion(p.value); }},
    {"IsInheritedOwner", false, [](auto &t, auto &p, auto &source) { t.setIsInheritedOwner(toBool(p, source)); }},
    {"StringsTypes", true, [](auto &, auto &, auto &) {}, true},
    {"SmartExcludeProps", true, [](auto &t, auto &p, auto &) { t.setSmartExcludeProps(p.items); }},
    {"HandleResourceStrings", false, [](auto &, auto &p, auto &source) { toBool(p, source); }, true},
    {"ResourceLanguageIndex", false, [](auto &, auto &p, auto &source) { toInt(p, source); }, true},
    {"NumOfLanguages", false, [](auto &t, auto &p, auto &source) { t.setNumOfLanguages(toInt(p, source)); }},
    {"ActiveLanguage", false, [](auto &t, auto &p, auto &source) { t.setActiveLanguage(toInt(p, source)); }},
    {"ChangeLocales", false, [](auto &t, auto &p, auto &source) { t.setChangeLocales(toBool(p, source)); }},
    {"LangDelim", false, [](auto &t, auto &p, auto &source) { t.setLangDelim(toInt(p, source)); }},
    {"DoNotTranslate", true, [](auto &t, auto &p, auto &) { t.setDoNotTranslate(p.items); }},
    {"LangNames", true, [](auto &t, auto &p, auto &) { t.setLangNames(p.items); }},
    {"Language", false, [](auto &t, auto &p, auto &) { t.setLanguage(p.value); }},
    {"TranslateType", false, [](auto &t, auto &p, auto &source) { t.setEmptyTextRule(toEmptyTextRule(p, source)); }},
    {"Options", false, [](auto &t, auto &p, auto &source) { t.setOptions(toOptions(p, source)); }},
    {"NeedAllDlgs", false, [](auto &t, auto &p, auto &source) { t.setNeedAllDlgs(toBool(p, source)); }},
    {"ChangingCursor", false, [](auto &t, auto &p, auto &source) { t.setChangingCursor(toInt(p, source)); }},
    {"ExcludedProperties", true, [](auto &t, auto &p, auto &) { t.setExcludedProperties(p.items); }},
    {"DoRaiseExceptions", false, [](auto &, auto &p, auto &source) { toBool(p, source); }, true},
    {"ExtendedTranslations", true,
     [](auto &t, auto &p, auto &source) { t.setExtendedTranslations(toExtendedItems(p, source)); }},
};

// Sets one stored translator property; the dispatcher reference is only
// remembered, to be resolved after the whole window has been read, and a
// property that nothing reads is added to `storedOnly`.
void setTranslatorProperty(Translator &t, const StoredProperty &p, const QString &source, QString &dispatcherRef,
                           QList<StoredProperty> &storedOnly)
{
    if (const auto kind = meaningOf<ListKind>(p.name, Qt::CaseInsensitive)) {
        requireList(p, true, source);
        t.storedList(*kind) = p.items; // filled in place: no effect
        return;
    }
    if (is(p, "LangDispatcher")) {
        requireList(p, false, source);
        dispatcherRef = p.value.trimmed();
        return;
    }
    for (const TranslatorProperty &property : kTranslatorProperties)
        if (is(p, property.name)) {
            requireList(p, property.isList, source);
            property.set(t, p, source);
            if (property.storedOnly)
                storedOnly << p;
            return;
        }
    requireList(p, false, source);
    fail(source, p.line, QStringLiteral("TsiLang has no stored property %1").arg(p.name));
}

void setDispatcherProperty(LanguageDispatcher &d, const StoredProperty &p, const QString &source)
{
    requireList(p, is(p, "LangNames"), source);
    if (is(p, "ActiveLanguage"))
        d.setActiveLanguage(toInt(p, source));
    else if (is(p, "NumOfLanguages"))
        d.setNumOfLanguages(toInt(p, source));
    else if (is(p, "LangNames"))
        d.setLangNames(p.items);
    else if (is(p, "Language"))
        d.setLanguage(p.value);
    else if (is(p, "FileName"))
        d.setFileName(p.value);
    else
        fail(source, p.line, QStringLiteral("TsiLangDispatcher has no stored property %1").arg(p.name));
}

bool namedAs(QObject &o, const QString &name)
{
    if (o.objectName().isEmpty())
        o.setObjectName(name);
    return sameStoredName(o.objectName(), name);
}

} // namespace

void loadStoredText(const QString &text, const QString &source, i18n::Form &form, Translator &translator,
                    LanguageDispatcher *dispatcher)
{
    const QList<StoredObject> objects = parseStoredText(text, source);

    const bool dispatcherWasLoading = dispatcher && dispatcher->isLoading();
    form.setLoading(true);
    if (dispatcher)
        dispatcher->setLoading(true);
    auto loaded = qScopeGuard([&] {
        form.setLoading(false);
        if (dispatcher)
            dispatcher->setLoading(dispatcherWasLoading);
    });

    QString dispatcherRef;
    for (const StoredObject &o : objects) {
        if (o.className == QLatin1String("TsiLang") && namedAs(translator, o.name)) {
            for (const StoredProperty &p : o.properties)
                setTranslatorProperty(translator, p, source, dispatcherRef, translator.m_storedOnly);
        } else if (o.className == QLatin1String("TsiLangDispatcher") && dispatcher && namedAs(*dispatcher, o.name)) {
            for (const StoredProperty &p : o.properties)
                setDispatcherProperty(*dispatcher, p, source);
        } else {
            fail(source, 0, QStringLiteral("no component %1 of class %2 to load").arg(o.name, o.className));
        }
    }
    // References are resolved once the whole window has been read, still
    // while it loads.
    if (!dispatcherRef.isEmpty()) {
        if (!dispatcher || !sameStoredName(dispatcher->objectName(), dispatcherRef))
            fail(source, 0, QStringLiteral("no dispatcher named %1").arg(dispatcherRef));
        translator.setLangDispatcher(dispatcher);
    }
    loaded.dismiss();
    form.setLoading(false);
    if (dispatcher)
        dispatcher->setLoading(dispatcherWasLoading);
    translator.finishLoading();
}

QList<StoredProperty> storedOnlyProperties(const Translator &translator)
{
    return translator.m_storedOnly;
}

void loadStoredTables(const QString &path, i18n::Form &form, Translator &translator, LanguageDispatcher *dispatcher)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw core::AppError(QStringLiteral("Cannot open %1: %2").arg(path, file.errorString()));
    loadStoredText(QString::fromUtf8(file.readAll()), path, form, translator, dispatcher);
}

} // namespace i18n
