#pragma once

#include <QString>
#include <QStringList>
#include <memory>

class QObject;

namespace i18n {

class LanguageDispatcher;
class QtForm;
class Translator;

// What ties a translated window to its stored translations: the translator's
// view of the window (its components in stored order) and the translator,
// named "siLang1", with the window's stored tables loaded into it and linked
// to the dispatcher where one is given.
//
// A window holds one as a member, made once its components exist. The
// translator works through the view, so it is destroyed first (the members
// below, in reverse order); both go before the window's widgets.
class WindowTranslation
{
public:
    // `storedOrder`: the stored names of the window's components, each
    // carried by one of its children as objectName. Raises core::AppError
    // for unreadable tables, LanguageError for a refused value or a second
    // translator of the same window.
    WindowTranslation(QObject &window, const QString &className, const QStringList &storedOrder,
                      const QString &tablesPath, LanguageDispatcher *dispatcher = nullptr);
    ~WindowTranslation();
    WindowTranslation(const WindowTranslation &) = delete;
    WindowTranslation &operator=(const WindowTranslation &) = delete;

    Translator &translator() const { return *m_translator; }

private:
    std::unique_ptr<QtForm> m_form;
    // A child of the window as well, so that it is found like any other
    // component; deleting it first takes it out of the window's children.
    std::unique_ptr<Translator> m_translator;
};

} // namespace i18n
