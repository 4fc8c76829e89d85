#include "tab_sheet.h"

#include <QStackedWidget>
#include <QTabWidget>

namespace platform {

QTabWidget *TabSheet::tabs() const
{
    auto *stack = qobject_cast<QStackedWidget *>(parentWidget());
    return stack ? qobject_cast<QTabWidget *>(stack->parentWidget()) : nullptr;
}

QString TabSheet::caption() const
{
    if (QTabWidget *t = tabs())
        return t->tabText(t->indexOf(const_cast<TabSheet *>(this)));
    return m_caption;
}

void TabSheet::setCaption(const QString &caption)
{
    m_caption = caption;
    if (QTabWidget *t = tabs())
        t->setTabText(t->indexOf(this), caption);
}

void TabSheet::setHint(const QString &hint)
{
    // The page shows it over its bare area, the tab over the tab.
    platform::setHint(this, hint);
    if (QTabWidget *t = tabs())
        t->setTabToolTip(t->indexOf(this), hint);
}

void setHint(QWidget *widget, const QString &hint)
{
    widget->setToolTip(hint);
    widget->setStatusTip(hint);
}

} // namespace platform
