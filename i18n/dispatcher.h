#pragma once

#include <QList>
#include <QObject>
#include <QStringList>
#include <functional>

namespace i18n {

class Translator;

// Keeps the language names and the current language number, and switches
// every translator linked to it at once. It does not own the translators.
class LanguageDispatcher : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int ActiveLanguage READ activeLanguage WRITE setActiveLanguage)
    Q_PROPERTY(int NumOfLanguages READ numOfLanguages WRITE setNumOfLanguages)
    Q_PROPERTY(QStringList LangNames READ langNames WRITE setLangNames)
    Q_PROPERTY(QString Language READ language WRITE setLanguage)
    Q_PROPERTY(QString FileName READ fileName WRITE setFileName)

public:
    explicit LanguageDispatcher(QObject *owner = nullptr);
    // Every linked translator, last linked first, forgets the dispatcher.
    ~LanguageDispatcher() override;

    int activeLanguage() const { return m_activeLanguage; }
    void setActiveLanguage(int n);
    int numOfLanguages() const { return m_numOfLanguages; }
    void setNumOfLanguages(int n);
    QStringList langNames() const { return m_langNames; }
    void setLangNames(const QStringList &names);
    QString language() const { return m_language; }
    void setLanguage(const QString &name);
    // A translation file for newly linked translators: stored only, since
    // this program loads none.
    QString fileName() const { return m_fileName; }
    void setFileName(const QString &name) { m_fileName = name; }

    void linkTranslator(Translator *translator);
    void unlinkTranslator(Translator *translator);
    const QList<Translator *> &linkedTranslators() const { return m_linked; }

    // While loading, setting the language number does not update `Language`
    // and setting `Language` does not switch.
    bool isLoading() const { return m_loading; }
    void setLoading(bool loading) { m_loading = loading; }

Q_SIGNALS:
    // After a translator has been linked.
    void translatorLinked(i18n::Translator *translator);

private:
    int m_activeLanguage = 1;
    int m_numOfLanguages = 1;
    QStringList m_langNames{QStringLiteral("Language N1")};
    QString m_language;
    QString m_fileName;
    QList<Translator *> m_linked;
    bool m_loading = false;
};

} // namespace i18n
