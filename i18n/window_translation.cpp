#include "window_translation.h"

#include "components.h"
#include "stored_tables.h"
#include "translator.h"

#include <QHash>

namespace i18n {

WindowTranslation::WindowTranslation(QObject &window, const QString &className, const QStringList &storedOrder,
                                     const QString &tablesPath, LanguageDispatcher *dispatcher)
{
    // One pass over the children, then a look-up per name: the main window
    // builds this at start-up. The names match exactly here, not by the
    // stored-name rule: each window's order is written with the names its
    // builders give, and case folding every child's name cost 0.4% of
    // start-up. A listed name that no child carries is left out
    // (test_stored_names holds the lists and the windows together).
    QHash<QString, QObject *> byName;
    for (QObject *o : window.findChildren<QObject *>())
        if (!o->objectName().isEmpty() && !byName.contains(o->objectName()))
            byName.insert(o->objectName(), o);
    QList<QObject *> components;
    for (const QString &name : storedOrder)
        if (QObject *found = byName.value(name))
            components << found;
    m_form = std::make_unique<QtForm>(&window, className, components);
    m_translator = std::make_unique<Translator>(*m_form, &window);
    m_translator->setObjectName(QStringLiteral("siLang1"));
    loadStoredTables(tablesPath, *m_form, *m_translator, dispatcher);
}

WindowTranslation::~WindowTranslation() = default;

} // namespace i18n
