#include "menu_item.h"

namespace platform {

MenuItem::MenuItem(const QString &name, QAction *entry, QObject *parent) : QObject(parent), m_entry(entry)
{
    setObjectName(name);
}

void MenuItem::setAction(QAction *action)
{
    m_action = action;
}

QString MenuItem::caption() const
{
    const QAction *a = shown();
    if (!a)
        return {};
    return a->isSeparator() ? QStringLiteral("-") : a->text();
}

void MenuItem::setCaption(const QString &caption)
{
    if (QAction *a = shown(); a && !a->isSeparator())
        a->setText(caption);
}

QString MenuItem::hint() const
{
    const QAction *a = shown();
    return a ? a->statusTip() : QString();
}

void MenuItem::setHint(const QString &hint)
{
    if (QAction *a = shown()) {
        a->setToolTip(hint);
        a->setStatusTip(hint);
    }
}

} // namespace platform
