#include "translator.h"

#include "dispatcher.h"
#include "entries.h"

#include <QCursor>
#include <QDir>
#include <QGuiApplication>
#include <QLoggingCategory>

namespace i18n {

namespace {

// Failures the translator steps over by design. Silent unless a maintainer
// asks for them: QT_LOGGING_RULES="ratiomat.translator.debug=true".
Q_LOGGING_CATEGORY(lcTranslator, "ratiomat.translator", QtWarningMsg)

// Records a failure that the translator's stored behaviour ignores, and
// nothing else: the caller goes on as if it had not happened.
void ignoreFailure(const char *where, const std::exception &error)
{
    qCDebug(lcTranslator, "%s: ignored: %s", where, error.what());
}

// The properties that the single-property lists write.
QString captionProperty()
{
    return QStringLiteral("Caption");
}
QString hintProperty()
{
    return QStringLiteral("Hint");
}
QString displayLabelProperty()
{
    return QStringLiteral("DisplayLabel");
}
QString fontProperty()
{
    return QStringLiteral("Font");
}

// The property that each single-property list writes.
QString fixedProperty(ListKind kind)
{
    switch (kind) {
    case ListKind::Captions:
        return captionProperty();
    case ListKind::Hints:
        return hintProperty();
    case ListKind::DisplayLabels:
        return displayLabelProperty();
    case ListKind::FontNames:
    case ListKind::FontCharsets:
        return fontProperty();
    default:
        return {};
    }
}

bool keyedByProperty(ListKind kind)
{
    return kind == ListKind::StringListProperties || kind == ListKind::OtherTextProperties ||
           kind == ListKind::CollectionItems;
}

// Component part and property part of a "component.property" key.
std::pair<QString, QString> splitKey(const QString &key)
{
    const qsizetype dot = key.indexOf(u'.');
    return dot < 0 ? std::pair{key, QString()} : std::pair{key.left(dot), key.mid(dot + 1)};
}

bool hasEntryFor(const QStringList &list, const QString &key, QChar delim)
{
    const QString prefix = key + delim;
    return std::any_of(list.begin(), list.end(),
                       [&](const QString &e) { return e.startsWith(prefix, Qt::CaseInsensitive); });
}

void removeEntriesFor(QStringList &list, const QString &key, QChar delim)
{
    const QString prefix = key + delim;
    list.removeIf([&](const QString &e) { return e.startsWith(prefix, Qt::CaseInsensitive); });
}

// The first entry starting with the prefix, taken out.
void dropFirstEntryFor(QStringList &list, const QString &prefix)
{
    for (qsizetype i = 0; i < list.size(); ++i)
        if (list[i].startsWith(prefix)) {
            list.removeAt(i);
            return;
        }
}

// An entry that names the window by its stored type name or its instance.
bool namesWindow(const QString &entry, const QString &cls, const QString &instance)
{
    return entry.contains(cls) || (!instance.isEmpty() && entry.contains(instance));
}

// Re-keys the first entry to the window's stored type name when it stands
// for the window: keyed by the instance, or showing the window's text.
void rekeyWindowEntry(QStringList &list, const QString &live, const QString &cls, const QString &instance, QChar d)
{
    if (list.isEmpty())
        return;
    const QString key = entryKey(list.first(), d);
    if ((!instance.isEmpty() && key == instance) || (key != cls && entryField(list.first(), 2, d) == live))
        list.first() = withKey(list.first(), cls, d);
}

// The published properties of a component that a list keeps entries for:
// string lists in StringListProperties, the other text properties in
// OtherTextProperties, the list's own property (of the right kind) in the
// others.
QStringList listedProperties(ListKind kind, const i18n::Component &c)
{
    static const QStringList kOwnLists{QStringLiteral("Name"), captionProperty(), hintProperty(),
                                       displayLabelProperty()};
    QStringList props;
    for (const QString &p : c.publishedProperties()) {
        const i18n::PropertyKind pk = c.propertyKind(p);
        bool listed = false;
        if (kind == ListKind::StringListProperties)
            listed = pk == i18n::PropertyKind::StringList;
        else if (kind == ListKind::OtherTextProperties)
            listed = pk == i18n::PropertyKind::String && !containsName(kOwnLists, p);
        else
            listed = p.compare(fixedProperty(kind), Qt::CaseInsensitive) == 0 &&
                     pk == (kind == ListKind::FontNames ? i18n::PropertyKind::Font : i18n::PropertyKind::String);
        if (listed)
            props << p;
    }
    return props;
}

// What a property shows now, as its table entry holds it.
QString liveText(const i18n::Component &c, const QString &prop)
{
    switch (c.propertyKind(prop)) {
    case i18n::PropertyKind::Font:
        return c.fontName(prop);
    case i18n::PropertyKind::StringList:
        return toCommaText(c.readStrings(prop));
    default:
        return c.readString(prop);
    }
}

// The translator's cursor shown during a switch; numbers as the stored
// property has them.
Qt::CursorShape cursorShape(int cursor)
{
    static const struct
    {
        int number;
        Qt::CursorShape shape;
    } shapes[] = {
        {0, Qt::ArrowCursor},          {-2, Qt::ArrowCursor},      {-3, Qt::CrossCursor},   {-4, Qt::IBeamCursor},
        {-5, Qt::SizeAllCursor},       {-6, Qt::SizeBDiagCursor},  {-7, Qt::SizeVerCursor}, {-8, Qt::SizeFDiagCursor},
        {-9, Qt::SizeHorCursor},       {-10, Qt::UpArrowCursor},   {-11, Qt::WaitCursor},   {-12, Qt::DragMoveCursor},
        {-13, Qt::ForbiddenCursor},    {-14, Qt::SplitHCursor},    {-15, Qt::SplitVCursor}, {-16, Qt::DragCopyCursor},
        {-17, Qt::WaitCursor},         {-18, Qt::ForbiddenCursor}, {-19, Qt::BusyCursor},   {-20, Qt::WhatsThisCursor},
        {-21, Qt::PointingHandCursor}, {-22, Qt::SizeAllCursor}};
    for (const auto &s : shapes)
        if (s.number == cursor)
            return s.shape;
    return Qt::WaitCursor;
}

// Shows the changing cursor for a scope when the default one is showing.
class CursorScope
{
public:
    explicit CursorScope(int cursor)
    {
        if (cursor != -1 && qobject_cast<QGuiApplication *>(QCoreApplication::instance()) &&
            !QGuiApplication::overrideCursor()) {
            QGuiApplication::setOverrideCursor(QCursor(cursorShape(cursor)));
            m_shown = true;
        }
    }
    ~CursorScope()
    {
        if (m_shown)
            QGuiApplication::restoreOverrideCursor();
    }
    CursorScope(const CursorScope &) = delete;
    CursorScope &operator=(const CursorScope &) = delete;

private:
    bool m_shown = false;
};

} // namespace

QObject *Translator::checkedOwner(QObject *owner)
{
    if (owner && !owner->findChildren<Translator *>(Qt::FindDirectChildrenOnly).isEmpty())
        throw LanguageError(QStringLiteral("Only one TsiCustomLang component per Form/DataModule allowed!"));
    return owner;
}

Translator::Translator(i18n::Form &form, QObject *owner)
    : QObject(checkedOwner(owner)), m_form(form), m_appliedFormats(captureFormats(QLocale::system()))
{
    setProperty(i18n::kLocalisationComponentProperty, true);
    m_tables.savedFormats = m_appliedFormats;
    m_tables.list(ListKind::DialogTexts) = newDialogTexts(m_tables.delim);
    m_tables.list(ListKind::LocaleFormats) = newLocaleFormats(m_tables.savedFormats, m_tables.delim);
    m_form.setRemovalListener([self = QPointer<Translator>(this)](const QString &name) {
        if (self)
            self->componentRemoved(name);
    });
}

Translator::~Translator()
{
    if (m_dispatcher)
        m_dispatcher->unlinkTranslator(this);
}

void Translator::assignList(ListKind kind, const QStringList &entries)
{
    if (!hasList(kind))
        return;
    m_tables.list(kind) = entries;
    if (kind == ListKind::DialogTexts)
        return;
    m_pendingKind = int(kind);
    applyLanguage();
}

void Translator::setNumOfLanguages(int n)
{
    if (n == m_tables.numOfLanguages)
        return;
    if (n <= 0)
        throw LanguageError(QString::number(n) + QStringLiteral(" - is not a valid property value !\r") +
                            QStringLiteral("Value must be more than ZERO !"));
    m_tables.numOfLanguages = n;
    resizeLanguageNames(m_langNames, n);
    if (!m_form.isLoading())
        topUpDelimiters(m_tables);
}

void Translator::setActiveLanguage(int n)
{
    if (n == m_activeLanguage)
        return;
    if (n < 1 || n > numOfLanguages()) {
        if (m_form.isLoading())
            return;
        throw LanguageError(QStringLiteral("%1 - is not a valid property value!\rValue must be within [1..%2]!")
                                .arg(n)
                                .arg(numOfLanguages()));
    }
    m_pendingKind = -1;
    CursorScope cursor(m_changingCursor);
    const bool switching = m_dispatcher || !m_form.isLoading();
    if (switching)
        syncTables();
    m_activeLanguage = n;
    if (!m_form.isLoading() && m_langNames.size() >= n)
        m_language = m_langNames[n - 1];
    if (switching)
        applyLanguage();
}

void Translator::setLangDispatcher(LanguageDispatcher *dispatcher)
{
    if (m_dispatcher && m_dispatcher != dispatcher)
        m_dispatcher->unlinkTranslator(this);
    m_dispatcher = dispatcher;
    if (dispatcher && parent())
        dispatcher->linkTranslator(this);
}

void Translator::setLangDelim(int code)
{
    const QChar d(char16_t(code & 0xFF));
    if (d == m_tables.delim)
        return;
    if (!m_form.isLoading())
        replaceDelimiter(m_tables, m_tables.delim, d);
    m_tables.delim = d;
}

void Translator::setLangNames(const QStringList &names)
{
    m_langNames = names;
    if (m_activeLanguage >= 1 && m_activeLanguage <= names.size())
        m_language = names[m_activeLanguage - 1];
    // At least one language, whatever the list holds.
    m_tables.numOfLanguages = std::max<int>(1, int(names.size()));
}

void Translator::setLanguage(const QString &name)
{
    if (name == m_language)
        return;
    const int position = indexOfName(m_langNames, name);
    if (position < 0)
        throw LanguageError(QStringLiteral("Language name shall be included in LangNames property!"));
    m_language = name;
    if (!m_form.isLoading())
        setActiveLanguage(position + 1);
}

void Translator::finishLoading()
{
    normaliseTables(m_tables);
    // ProgramTexts is read through findEntryText directly: no lookup to rebuild.
    if (m_isInheritedOwner)
        applyLanguage();
}

void Translator::componentRemoved(const QString &name)
{
    m_doNotTranslate.removeIf([&](const QString &n) { return n.compare(name, Qt::CaseInsensitive) == 0; });
    const QString prefix = name + u'.';
    m_tables.extendedTranslations.removeIf(
        [&](const ExtendedTranslation &item) { return item.identifier.startsWith(prefix, Qt::CaseInsensitive); });
}

QString Translator::entryText(const QString &entry) const
{
    QString t = entryField(entry, m_activeLanguage + 1, m_tables.delim);
    if (t.isEmpty() && m_emptyTextRule == EmptyTextRule::UseFirstLanguage)
        t = entryField(entry, 2, m_tables.delim);
    return t;
}

bool Translator::translatable() const
{
    return !containsName(m_doNotTranslate, m_form.className());
}

i18n::Component *Translator::target(const QString &name) const
{
    if (i18n::Component *c = m_form.findComponent(name))
        return c;
    const QString instance = m_form.instanceName();
    if (name == m_form.className() || (!instance.isEmpty() && name == instance))
        return &m_form.self();
    return nullptr;
}

// ---------------------------------------------------------------- applying

void Translator::applyLanguage()
{
    const int k = m_pendingKind;
    auto covers = [k](ListKind kind) { return k == -1 || k == int(kind); };

    // Errors in the window's own caption and hint do not stop the rest.
    try {
        applyWindowText(ListKind::Captions, "Caption");
    } catch (const core::AppError &e) {
        ignoreFailure("window caption", e);
    }
    try {
        applyWindowText(ListKind::Hints, "Hint");
    } catch (const core::AppError &e) {
        ignoreFailure("window hint", e);
    }
    if (covers(ListKind::Captions))
        applyList(ListKind::Captions);
    if (covers(ListKind::Hints))
        applyList(ListKind::Hints);
    if (covers(ListKind::DisplayLabels))
        applyList(ListKind::DisplayLabels);
    if (covers(ListKind::FontNames) || k == int(ListKind::FontCharsets))
        applyList(ListKind::FontNames);
    applyWindowFont();
    if (covers(ListKind::StringListProperties))
        applyList(ListKind::StringListProperties);
    if (covers(ListKind::OtherTextProperties))
        applyList(ListKind::OtherTextProperties);
    if (covers(ListKind::LocaleFormats) && m_changeLocales)
        applyList(ListKind::LocaleFormats);
    if (covers(ListKind::CollectionItems))
        applyList(ListKind::CollectionItems);
    if (k == -1)
        applyExtended();
    Q_EMIT languageChanged();
}

void Translator::applyWindowText(ListKind kind, const char *property)
{
    const QStringList &list = m_tables.list(kind);
    const QString cls = m_form.className();
    const QString prop = QLatin1String(property);
    if (!m_form.isTopLevelForm() || list.isEmpty() || !translatable() ||
        containsName(m_tables.smartExcludeProps, cls + u'.' + prop))
        return;
    if (localeUpper(entryKey(list.first(), m_tables.delim)) != localeUpper(cls))
        return;
    const QString t = entryText(list.first());
    i18n::Component &window = m_form.self();
    if (!t.isEmpty() && !window.isLinkedToAction())
        window.writeString(prop, t);
}

void Translator::applyWindowFont()
{
    const QStringList &fonts = m_tables.list(ListKind::FontNames);
    const QString cls = m_form.className();
    if (!m_form.isTopLevelForm() || fonts.isEmpty() || !translatable() ||
        containsName(m_tables.smartExcludeProps, cls + QStringLiteral(".Font")) ||
        localeUpper(entryKey(fonts.first(), m_tables.delim)) != localeUpper(cls))
        return;
    i18n::Component &window = m_form.self();
    const QString t = entryText(fonts.first());
    if (!t.isEmpty())
        window.setFontName(fontProperty(), t);
    const int code = charsetCode(
        findEntryText(m_tables.list(ListKind::FontCharsets), cls, m_activeLanguage, m_tables.delim), Qt::CaseSensitive);
    if (code >= 0)
        window.setFontCharset(fontProperty(), code);
}

void Translator::applyList(ListKind kind)
{
    cleanUpList(kind);
    // The entries as they stand now: writing a property may run handlers
    // that change the lists.
    const QStringList entries = m_tables.list(kind);
    if (entries.isEmpty())
        return;
    qsizetype start = 0;
    if ((kind == ListKind::Captions || kind == ListKind::Hints || kind == ListKind::FontNames) &&
        m_form.isTopLevelForm() && translatable() && entries.first().contains(m_form.className() + m_tables.delim))
        start = 1;

    switch (kind) {
    case ListKind::FontNames:
        applyFonts(entries, start);
        return;
    case ListKind::LocaleFormats:
        applyLocaleFormats();
        return;
    case ListKind::CollectionItems:
        applyCollections();
        return;
    default:
        break;
    }

    for (qsizetype i = start; i < entries.size(); ++i)
        applyEntry(kind, entries[i]);
}

void Translator::applyEntry(ListKind kind, const QString &entry)
{
    const QString key = entryKey(entry, m_tables.delim);
    QString comp = key, prop = fixedProperty(kind);
    if (kind == ListKind::StringListProperties || kind == ListKind::OtherTextProperties)
        std::tie(comp, prop) = splitKey(key);
    if (containsName(m_doNotTranslate, comp))
        return;
    const QString t = entryText(entry);
    i18n::Component *c = target(comp);
    if (!c || t.isEmpty() || !c->hasProperty(prop) || !c->isWritable(prop))
        return;

    if (kind == ListKind::StringListProperties) {
        if (c->propertyKind(prop) != i18n::PropertyKind::StringList)
            return;
        // Errors here end the application.
        if (t != toCommaText(c->readStrings(prop)))
            c->writeStrings(prop, fromCommaText(t));
        return;
    }

    // Any error reading or writing a text property, including one raised
    // by a change handler it fires, only skips this entry.
    try {
        const QString current = c->readString(prop);
        if (t == current)
            return;
        const bool pathLike = kind == ListKind::DisplayLabels || kind == ListKind::OtherTextProperties;
        if (pathLike) {
            if ((t.contains(QLatin1String("..")) || t.contains(QLatin1String(".\\"))) &&
                QDir::cleanPath(QDir::current().absoluteFilePath(t)) == current)
                return;
        } else if (c->isLinkedToAction()) {
            return;
        }
        c->writeString(prop, t);
    } catch (const std::exception &e) {
        ignoreFailure(qPrintable(key), e);
    }
}

void Translator::applyFonts(const QStringList &entries, qsizetype start)
{
    for (qsizetype i = start; i < entries.size(); ++i) {
        const QString comp = entryKey(entries[i], m_tables.delim);
        if (containsName(m_doNotTranslate, comp))
            continue;
        const QString t = entryText(entries[i]);
        i18n::Component *c = target(comp);
        if (!c || !c->hasProperty(fontProperty()) || !c->isWritable(fontProperty()) ||
            c->propertyKind(fontProperty()) != i18n::PropertyKind::Font)
            continue;
        const bool followsParent = c->isControl() && c->parentFont();
        const int code =
            charsetCode(findEntryText(m_tables.list(ListKind::FontCharsets), comp, m_activeLanguage, m_tables.delim),
                        Qt::CaseInsensitive);
        if (code >= 0 && !followsParent)
            c->setFontCharset(fontProperty(), code);
        if (!t.isEmpty() && !followsParent)
            c->setFontName(fontProperty(), t);
    }
}

void Translator::applyLocaleFormats()
{
    // Only the translator's own copy of the settings changes: the process's
    // number, date and time formats stay the machine's.
    for (const QString &entry : m_tables.list(ListKind::LocaleFormats)) {
        const qsizetype item = kLocaleItems.indexOf(entryKey(entry, m_tables.delim));
        const QString t = entryText(entry);
        if (item < 0 || t.isEmpty())
            continue;
        QString &format = m_appliedFormats[item];
        if (isSeparatorItem(LocaleItem(item))) {
            format = t.left(1);
        } else if (isNameListItem(LocaleItem(item))) {
            QStringList names = format.split(u',');
            const QStringList given = fromCommaText(t);
            for (qsizetype i = 0; i < names.size() && i < given.size(); ++i)
                names[i] = given[i];
            format = names.join(u',');
        } else {
            format = t;
        }
    }
}

void Translator::applyCollections()
{
    // No component of this program publishes a collection, so an entry can
    // only name one that does not exist.
    m_tables.list(ListKind::CollectionItems).removeIf([&](const QString &entry) {
        const auto [comp, rest] = splitKey(entryKey(entry, m_tables.delim));
        const i18n::Component *c = target(comp);
        return !c || !c->hasProperty(rest.left(rest.indexOf(u'[')));
    });
}

void Translator::applyExtended()
{
    for (const ExtendedTranslation &item : m_tables.extendedTranslations) {
        QString t = entryField(item.values, m_activeLanguage, m_tables.delim);
        if (t.isEmpty() && m_emptyTextRule == EmptyTextRule::UseFirstLanguage)
            t = entryField(item.values, 1, m_tables.delim);
        if (t.isEmpty())
            continue;
        const auto [comp, prop] = splitKey(item.identifier);
        i18n::Component *c = target(comp);
        if (!c || !c->hasProperty(prop))
            continue;
        try {
            switch (c->propertyKind(prop)) {
            case i18n::PropertyKind::String:
                c->writeString(prop, t);
                break;
            case i18n::PropertyKind::StringList:
                c->writeStrings(prop, fromCommaText(t));
                break;
            case i18n::PropertyKind::Font:
                c->setFontName(prop, t);
                break;
            case i18n::PropertyKind::Other:
                break;
            }
        } catch (const std::exception &e) {
            ignoreFailure(qPrintable(item.identifier), e);
        }
    }
}

// ----------------------------------------------------------- synchronising

void Translator::cleanUpList(ListKind kind)
{
    if (!hasList(kind) || kind == ListKind::DialogTexts || kind == ListKind::ProgramTexts ||
        kind == ListKind::LocaleFormats)
        return;
    QStringList &list = m_tables.list(kind);
    const bool windowFirst = (kind == ListKind::Captions || kind == ListKind::Hints || kind == ListKind::FontNames ||
                              kind == ListKind::FontCharsets) &&
                             m_form.isTopLevelForm();
    for (qsizetype i = windowFirst ? 1 : 0; i < list.size();) {
        const QString key = entryKey(list[i], m_tables.delim);
        i18n::Component *c = nullptr;
        bool known;
        if (keyedByProperty(kind)) {
            const QString comp = splitKey(key).first;
            known = comp == m_form.className() || (c = m_form.findComponent(comp)) != nullptr;
        } else {
            known = (c = m_form.findComponent(key)) != nullptr;
        }
        if (!known) {
            m_removedEntries << list[i];
            list.removeAt(i);
        } else if ((kind == ListKind::Captions || kind == ListKind::Hints) && c && c->isLinkedToAction()) {
            list.removeAt(i);
        } else {
            ++i;
        }
    }
}

void Translator::syncTables()
{
    m_removedEntries.clear();
    const QStringList &excluded = m_tables.excludedProperties;
    try {
        if (m_form.isTopLevelForm())
            syncWindowEntries();
        if (!containsName(excluded, captionProperty()))
            syncComponentEntries(ListKind::Captions);
        if (!containsName(excluded, hintProperty()))
            syncComponentEntries(ListKind::Hints);
        if (!containsName(excluded, displayLabelProperty()))
            syncComponentEntries(ListKind::DisplayLabels);
        if (!containsName(excluded, fontProperty()))
            syncComponentEntries(ListKind::FontNames);
        syncComponentEntries(ListKind::StringListProperties);
        syncComponentEntries(ListKind::OtherTextProperties);
        syncComponentEntries(ListKind::CollectionItems);
        dropEntriesWithoutProperty();
    } catch (const core::AppError &e) {
        // Synchronisation is best effort: the switch goes on.
        ignoreFailure("synchronising the lists", e);
    }
}

void Translator::syncWindowEntries()
{
    for (ListKind kind : {ListKind::Captions, ListKind::Hints, ListKind::FontNames})
        syncWindowEntry(kind);
}

void Translator::syncWindowEntry(ListKind kind)
{
    const QChar d = m_tables.delim;
    const QString cls = m_form.className();
    const QString instance = m_form.instanceName();
    const QString prop = fixedProperty(kind);
    QStringList &list = m_tables.list(kind);
    QStringList &charsets = m_tables.list(ListKind::FontCharsets);
    if (containsName(m_tables.smartExcludeProps, cls + u'.' + prop)) {
        dropFirstEntryFor(list, cls + d);
        if (kind == ListKind::FontNames)
            dropFirstEntryFor(charsets, cls + d);
        return;
    }
    if (containsName(m_tables.excludedProperties, prop) || !translatable())
        return;

    i18n::Component &window = m_form.self();
    const int n = numOfLanguages();
    const bool isFont = kind == ListKind::FontNames;
    const QString live = isFont ? window.fontName(fontProperty()) : window.readString(prop);
    const QString prepared = cls + d + live + d + QString(n - 1, d);
    const bool withCharset = isFont && !containsName(m_tables.excludedProperties, QStringLiteral("Charset"));
    const QString liveCharset = withCharset ? charsetName(window.fontCharset(fontProperty())) : QString();
    const QString preparedCharset = cls + d + liveCharset + d + QString(n - 1, d);

    rekeyWindowEntry(list, live, cls, instance, d);
    if (withCharset)
        rekeyWindowEntry(charsets, liveCharset, cls, instance, d);
    if (!list.isEmpty() && !namesWindow(list.first(), cls, instance)) {
        list.prepend(prepared);
        if (withCharset)
            charsets.prepend(preparedCharset);
    } else if (list.isEmpty()) {
        list << prepared;
        if (withCharset)
            charsets << preparedCharset;
    }
    if (live != entryField(list.first(), m_activeLanguage + 1, d))
        setEntryText(list, cls, m_activeLanguage, live, d);
}

void Translator::syncComponentEntries(ListKind kind)
{
    cleanUpList(kind);
    if (kind != ListKind::CollectionItems) { // no component publishes a collection
        if (kind == ListKind::OtherTextProperties)
            syncComponent(kind, m_form.self(), m_form.className());
        const QList<i18n::Component *> components = m_form.components();
        for (i18n::Component *c : components)
            if (!c->isLocalisationComponent() && !containsName(m_doNotTranslate, c->name()))
                syncComponent(kind, *c, c->name());
    }
    if (kind == ListKind::FontNames)
        cleanUpList(ListKind::FontCharsets);
    m_removedEntries.clear();
}

void Translator::syncComponent(ListKind kind, const i18n::Component &c, const QString &name)
{
    if (name.isEmpty())
        return;
    const QChar d = m_tables.delim;
    QStringList &list = m_tables.list(kind);
    for (const QString &prop : listedProperties(kind, c)) {
        if (!c.isWritable(prop))
            continue;
        const QString key = keyedByProperty(kind) ? name + u'.' + prop : name;
        if (prop.compare(QLatin1String("Name"), Qt::CaseInsensitive) == 0 ||
            containsName(m_tables.excludedProperties, prop) ||
            containsName(m_tables.smartExcludeProps, name + u'.' + prop)) {
            if (kind != ListKind::StringListProperties)
                removeEntriesFor(list, key, d);
            continue;
        }
        if (kind == ListKind::Captions && c.isMenuSeparator())
            continue;
        if (kind == ListKind::FontNames && c.isControl() && c.parentFont()) {
            removeEntriesFor(list, key, d);
            continue;
        }
        if ((kind == ListKind::Captions || kind == ListKind::Hints) && c.isLinkedToAction())
            continue;
        if (!hasEntryFor(list, key, d))
            addComponentEntry(kind, c, name, key, prop);
    }
}

void Translator::addComponentEntry(ListKind kind, const i18n::Component &c, const QString &name, const QString &key,
                                   const QString &prop)
{
    const QChar d = m_tables.delim;
    const QString live = liveText(c, prop);
    // An entry taken out for a component that is gone comes back under a
    // component that shows the same text.
    if (const QString *removed = removedEntryShowing(live)) {
        m_tables.list(kind) << withKey(*removed, key, d);
        return;
    }
    m_tables.list(kind) << key + d + live + QString(numOfLanguages(), d);
    if (kind == ListKind::FontNames)
        m_tables.list(ListKind::FontCharsets) << name + d + charsetName(c.fontCharset(prop)) + d;
}

const QString *Translator::removedEntryShowing(const QString &text) const
{
    for (const QString &removed : m_removedEntries) {
        QString shown = entryField(removed, m_activeLanguage + 1, m_tables.delim);
        if (shown.isEmpty())
            shown = entryField(removed, 2, m_tables.delim);
        if (shown == text)
            return &removed;
    }
    return nullptr;
}

void Translator::dropEntriesWithoutProperty()
{
    for (ListKind kind :
         {ListKind::Captions, ListKind::Hints, ListKind::DisplayLabels, ListKind::FontNames, ListKind::FontCharsets,
          ListKind::StringListProperties, ListKind::OtherTextProperties, ListKind::CollectionItems}) {
        m_tables.list(kind).removeIf([&](const QString &entry) {
            QString comp = entryKey(entry, m_tables.delim), prop = fixedProperty(kind);
            if (keyedByProperty(kind)) {
                std::tie(comp, prop) = splitKey(comp);
                if (kind == ListKind::CollectionItems)
                    prop = prop.left(prop.indexOf(u'['));
            }
            const i18n::Component *c = target(comp);
            return c && !c->hasProperty(prop);
        });
    }
}

} // namespace i18n
