#include "dispatcher.h"

#include "entries.h"
#include "translator.h"

#include "components.h"

namespace i18n {

LanguageDispatcher::LanguageDispatcher(QObject *owner) : QObject(owner)
{
    setProperty(i18n::kLocalisationComponentProperty, true);
}

LanguageDispatcher::~LanguageDispatcher()
{
    const QList<Translator *> linked = m_linked;
    for (qsizetype i = linked.size() - 1; i >= 0; --i)
        linked[i]->setLangDispatcher(nullptr);
}

void LanguageDispatcher::setActiveLanguage(int n)
{
    m_activeLanguage = n;
    // A translator may re-enter the dispatcher while it switches, so the
    // number is read again for each one.
    const qsizetype count = m_linked.size();
    for (qsizetype i = 0; i < count && i < m_linked.size(); ++i)
        m_linked[i]->setActiveLanguage(m_activeLanguage);
    if (!m_loading && n >= 1 && m_langNames.size() >= n)
        m_language = m_langNames[n - 1];
}

void LanguageDispatcher::setNumOfLanguages(int n)
{
    // Refused before anything changes, with the translators' message.
    if (n <= 0)
        throw LanguageError(QString::number(n) + QStringLiteral(" - is not a valid property value !\r") +
                            QStringLiteral("Value must be more than ZERO !"));
    m_numOfLanguages = n;
    resizeLanguageNames(m_langNames, n);
    const QList<Translator *> linked = m_linked;
    for (Translator *t : linked)
        t->setNumOfLanguages(n);
}

void LanguageDispatcher::setLangNames(const QStringList &names)
{
    m_langNames = names;
    if (m_activeLanguage >= 1 && m_activeLanguage <= names.size())
        m_language = names[m_activeLanguage - 1];
    const QList<Translator *> linked = m_linked;
    for (Translator *t : linked) {
        t->setLangNames(names);
        t->setLanguage(m_language);
    }
    setNumOfLanguages(names.isEmpty() ? 1 : int(names.size()));
}

void LanguageDispatcher::setLanguage(const QString &name)
{
    if (name == m_language)
        return;
    const int position = indexOfName(m_langNames, name);
    if (!m_langNames.isEmpty() && position < 0)
        throw LanguageError(QStringLiteral("Language name shall be included in LangNames property!"));
    m_language = name;
    if (!m_loading && !m_langNames.isEmpty())
        setActiveLanguage(position + 1);
}

void LanguageDispatcher::linkTranslator(Translator *translator)
{
    if (!translator)
        return;
    m_linked.removeAll(translator);
    m_linked.append(translator);
    translator->setNumOfLanguages(m_numOfLanguages);
    translator->setLangNames(m_langNames);
    translator->setActiveLanguage(m_activeLanguage);
    translator->m_language = m_language;
    Q_EMIT translatorLinked(translator);
}

void LanguageDispatcher::unlinkTranslator(Translator *translator)
{
    m_linked.removeOne(translator);
}

} // namespace i18n
