#pragma once

#include "dispatcher.h"
#include "stored_tables.h"
#include "tables.h"

#include "components.h"
#include "core/errors.h"

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <functional>

namespace i18n {

// Misuse of a translator or dispatcher.
class LanguageError : public core::AppError
{
public:
    using AppError::AppError;
};

// The translator of one window. It holds the window's translation lists and
// writes the texts of its active language into the window's components
// through their published properties. A window owns at most one.
//
// The setters act as the stored properties of a translator do: while the
// window loads (Form::isLoading) several of them only store their value.
class Translator : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString Version READ version WRITE setVersion)
    Q_PROPERTY(int NumOfLanguages READ numOfLanguages WRITE setNumOfLanguages)
    Q_PROPERTY(int ActiveLanguage READ activeLanguage WRITE setActiveLanguage)
    Q_PROPERTY(QString Language READ language WRITE setLanguage)
    Q_PROPERTY(QStringList LangNames READ langNames WRITE setLangNames)

public:
    // `form` is the owner window's component access and must outlive the
    // translator's use; `owner` becomes the QObject parent. Raises
    // LanguageError when the owner already has a translator.
    Translator(i18n::Form &form, QObject *owner);
    ~Translator() override;

    i18n::Form &form() const { return m_form; }

    // Stored properties, in their stored order.
    QString version() const { return QStringLiteral("v5.1.1"); }
    void setVersion(const QString &) {} // the mark is fixed
    bool isInheritedOwner() const { return m_isInheritedOwner; }
    void setIsInheritedOwner(bool on) { m_isInheritedOwner = on; }
    QStringList smartExcludeProps() const { return m_tables.smartExcludeProps; }
    void setSmartExcludeProps(const QStringList &props) { m_tables.smartExcludeProps = props; }

    // The lists. list() is read-only; storedList() is filled in place by the
    // loader without any effect; assignList() is the whole-list assignment,
    // which applies that list at once (except DialogTexts).
    const QStringList &list(ListKind kind) const { return m_tables.list(kind); }
    QStringList &storedList(ListKind kind) { return m_tables.list(kind); }
    void assignList(ListKind kind, const QStringList &entries);

    int numOfLanguages() const { return m_tables.numOfLanguages; }
    void setNumOfLanguages(int n);
    int activeLanguage() const { return m_activeLanguage; }
    void setActiveLanguage(int n);
    bool changeLocales() const { return m_changeLocales; }
    void setChangeLocales(bool on) { m_changeLocales = on; }
    LanguageDispatcher *langDispatcher() const { return m_dispatcher; }
    void setLangDispatcher(LanguageDispatcher *dispatcher);
    int langDelim() const { return m_tables.delim.unicode(); }
    QChar delim() const { return m_tables.delim; }
    void setLangDelim(int code);
    QStringList doNotTranslate() const { return m_doNotTranslate; }
    void setDoNotTranslate(const QStringList &names) { m_doNotTranslate = names; }
    QStringList langNames() const { return m_langNames; }
    void setLangNames(const QStringList &names);
    QString language() const { return m_language; }
    void setLanguage(const QString &name);
    EmptyTextRule emptyTextRule() const { return m_emptyTextRule; }
    void setEmptyTextRule(EmptyTextRule rule) { m_emptyTextRule = rule; }
    TranslatorOptions options() const { return m_tables.options; }
    void setOptions(TranslatorOptions options) { m_tables.options = options; }
    bool needAllDlgs() const { return m_tables.needAllDlgs; }
    void setNeedAllDlgs(bool on) { m_tables.needAllDlgs = on; }
    int changingCursor() const { return m_changingCursor; }
    void setChangingCursor(int cursor) { m_changingCursor = qint16(cursor); }
    QStringList excludedProperties() const { return m_tables.excludedProperties; }
    void setExcludedProperties(const QStringList &names) { m_tables.excludedProperties = names; }
    const QList<ExtendedTranslation> &extendedTranslations() const { return m_tables.extendedTranslations; }
    void setExtendedTranslations(const QList<ExtendedTranslation> &items) { m_tables.extendedTranslations = items; }

    // State that is not stored.
    const QStringList &savedFormats() const { return m_tables.savedFormats; }
    int pendingKind() const { return m_pendingKind; }
    const QStringList &removedEntries() const { return m_removedEntries; }
    // What applying LocaleFormats would set. Applying never touches the
    // process's own number, date and time formats.
    const QStringList &appliedFormats() const { return m_appliedFormats; }

    // Writes the texts of the active language into the window.
    void applyLanguage();
    // Brings the lists up to date with the window, for the language being left.
    void syncTables();
    // Takes stale entries out of one list.
    void cleanUpList(ListKind kind);
    // The end-of-load steps: normalisation, then applyLanguage when
    // IsInheritedOwner is set.
    void finishLoading();

Q_SIGNALS:
    // At the end of every application of a language.
    void languageChanged();

private:
    friend class LanguageDispatcher;
    // The stored tables' code alone reads and writes m_storedOnly.
    friend void loadStoredText(const QString &, const QString &, Form &, Translator &, LanguageDispatcher *);
    friend QList<StoredProperty> storedOnlyProperties(const Translator &);
    static QObject *checkedOwner(QObject *owner);

    QString entryText(const QString &entry) const;
    bool translatable() const;
    i18n::Component *target(const QString &name) const;
    void applyWindowText(ListKind kind, const char *property);
    void applyWindowFont();
    void applyList(ListKind kind);
    // Writes one entry's text of the active language into its component.
    void applyEntry(ListKind kind, const QString &entry);
    void applyFonts(const QStringList &entries, qsizetype start);
    void applyLocaleFormats();
    void applyCollections();
    void applyExtended();
    void syncWindowEntries();
    // Brings the window's own entry of one list up to date.
    void syncWindowEntry(ListKind kind);
    void syncComponentEntries(ListKind kind);
    // Brings one component's entries in a list up to date.
    void syncComponent(ListKind kind, const i18n::Component &c, const QString &name);
    void addComponentEntry(ListKind kind, const i18n::Component &c, const QString &name, const QString &key,
                           const QString &prop);
    // A removed entry whose text (of the active language, else of the
    // first) is `text`; null when there is none.
    const QString *removedEntryShowing(const QString &text) const;
    void dropEntriesWithoutProperty();
    void componentRemoved(const QString &name);

    i18n::Form &m_form;
    StoredTables m_tables;
    // The stored values that nothing here reads, as stored.
    QList<StoredProperty> m_storedOnly;
    bool m_isInheritedOwner = false;
    int m_activeLanguage = 1;
    bool m_changeLocales = false;
    QPointer<LanguageDispatcher> m_dispatcher;
    QStringList m_doNotTranslate;
    QStringList m_langNames{QStringLiteral("Language N1")};
    QString m_language = QStringLiteral("Language N1");
    EmptyTextRule m_emptyTextRule = EmptyTextRule::KeepCurrent;
    qint16 m_changingCursor = -1;

    int m_pendingKind = -1;
    QStringList m_removedEntries;
    QStringList m_appliedFormats;
};

} // namespace i18n
