#pragma once

#include <QAction>
#include <QObject>
#include <QPointer>
#include <QString>

namespace platform {

// A named menu item as a component. Qt menus hold QActions; this stand-in
// gives each item of a menu its own name and published properties. An item
// bound to a command holds it in `Action` and shows that action's caption and
// hint; otherwise `Caption` and `Hint` read and write the entry the menu
// shows (a menu's own menuAction(), a separator, or a plain action).
class MenuItem : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QAction *Action READ action WRITE setAction)
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    Q_PROPERTY(QString Hint READ hint WRITE setHint)

public:
    // entry: what the menu shows for this item; for an item bound to an
    // action, that action itself.
    MenuItem(const QString &name, QAction *entry, QObject *parent = nullptr);

    QAction *entry() const { return m_entry; }
    QAction *action() const { return m_action; }
    void setAction(QAction *action);

    // "-" for a separator.
    QString caption() const;
    void setCaption(const QString &caption);
    QString hint() const;
    void setHint(const QString &hint);

private:
    QAction *shown() const { return m_action ? m_action.data() : m_entry.data(); }

    QPointer<QAction> m_entry;
    QPointer<QAction> m_action;
};

} // namespace platform
