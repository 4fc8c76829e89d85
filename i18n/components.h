#pragma once

#include <QHash>
#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

class QObject;

namespace i18n {

// Stored names (objectName) compare without regard to case, by Qt's case
// folding: storedNameKey() is the key a table of names is kept under, and
// sameStoredName() compares two names by the same rule.
inline QString storedNameKey(const QString &name)
{
    return name.toCaseFolded();
}
inline bool sameStoredName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// The first of owner's descendants that carries `name` as its stored name,
// or null.
QObject *findComponentByName(const QObject &owner, const QString &name);

// What a published property holds, as far as the translator cares.
enum class PropertyKind { String, Font, StringList, Other };

// One component of a window, seen through its name and its published
// properties, which are found by name at run time (without regard to case).
// Reading or writing a property that is missing, of another kind or
// read-only raises AppError.
class Component
{
public:
    virtual ~Component() = default;

    virtual QString name() const = 0;
    // Published properties in a fixed order, each named once.
    virtual QStringList publishedProperties() const = 0;
    virtual bool hasProperty(const QString &property) const;
    virtual PropertyKind propertyKind(const QString &property) const = 0;
    virtual bool isWritable(const QString &property) const = 0;

    virtual QString readString(const QString &property) const = 0;
    virtual void writeString(const QString &property, const QString &value) = 0;
    // A font property: the font's name and its character-set code.
    virtual QString fontName(const QString &property) const = 0;
    virtual void setFontName(const QString &property, const QString &family) = 0;
    virtual int fontCharset(const QString &property) const = 0;
    virtual void setFontCharset(const QString &property, int code) = 0;
    virtual QStringList readStrings(const QString &property) const = 0;
    virtual void writeStrings(const QString &property, const QStringList &items) = 0;

    virtual bool isControl() const = 0;
    // The control's font follows its parent's.
    virtual bool parentFont() const = 0;
    // Caption and hint come from an action.
    virtual bool isLinkedToAction() const = 0;
    // A menu item whose caption is "-".
    virtual bool isMenuSeparator() const = 0;
    // Translators and dispatchers: components of the window that never get
    // table entries of their own.
    virtual bool isLocalisationComponent() const = 0;
};

// A window as the translator sees it.
class Form
{
public:
    virtual ~Form() = default;

    virtual QString className() const = 0;    // e.g. "Tgearform"
    virtual QString instanceName() const = 0; // objectName, e.g. "gearform"
    virtual bool isTopLevelForm() const = 0;
    virtual bool isLoading() const = 0;
    virtual void setLoading(bool loading) = 0;
    // The window's live components in the window's own order.
    virtual QList<Component *> components() const = 0;
    // A component by name, without regard to case; null when there is none.
    virtual Component *findComponent(const QString &name) const;
    // The window itself: its "Caption", "Hint" and "Font".
    virtual Component &self() = 0;

    // Called with a component's name when it is destroyed while the window
    // lives; one listener per window (its translator).
    void setRemovalListener(std::function<void(const QString &)> listener) { m_removalListener = std::move(listener); }

protected:
    void componentRemoved(const QString &name) const
    {
        if (m_removalListener)
            m_removalListener(name);
    }

private:
    std::function<void(const QString &)> m_removalListener;
};

// Marks a QObject as a translator or dispatcher (see isLocalisationComponent).
inline constexpr char kLocalisationComponentProperty[] = "ratiomatLocalisationComponent";
// Dynamic property that keeps a widget's character-set code, which Qt fonts
// do not have. A widget without it reads 1 (the default character set).
inline constexpr char kCharsetProperty[] = "ratiomatCharset";
// Dynamic property holding a QAction's category.
inline constexpr char kCategoryProperty[] = "Category";

// A QObject as a component. Its published properties are its Q_PROPERTYs
// whose names start with an upper-case letter, followed by the built-in ones
// that Qt's stock classes get: "Caption" (label, button, group box, action,
// menu, tool bar, tab page, window), "Hint" (widgets and actions: writes the
// tooltip and status tip, reads the status tip), "Font" (widgets),
// "Category" (actions) and "Items" (combo boxes). A declared property wins
// over a built-in one of the same name.
class QtComponent : public Component
{
public:
    explicit QtComponent(QObject *object, QString nameOverride = {});

    QObject *object() const { return m_object.data(); }
    bool isAlive() const { return !m_object.isNull(); }

    QString name() const override;
    QStringList publishedProperties() const override;
    bool hasProperty(const QString &property) const override;
    PropertyKind propertyKind(const QString &property) const override;
    bool isWritable(const QString &property) const override;
    QString readString(const QString &property) const override;
    void writeString(const QString &property, const QString &value) override;
    QString fontName(const QString &property) const override;
    void setFontName(const QString &property, const QString &family) override;
    int fontCharset(const QString &property) const override;
    void setFontCharset(const QString &property, int code) override;
    QStringList readStrings(const QString &property) const override;
    void writeStrings(const QString &property, const QStringList &items) override;
    bool isControl() const override;
    bool parentFont() const override;
    bool isLinkedToAction() const override;
    bool isMenuSeparator() const override;
    bool isLocalisationComponent() const override;

private:
    QObject *live(const QString &property) const;

    QPointer<QObject> m_object;
    QString m_nameOverride;
};

// A Qt window as a form: its QObject, its class name as the tables key it,
// and its components in the order the window supplies.
class QtForm : public Form
{
public:
    QtForm(QObject *window, QString className, const QList<QObject *> &components = {});
    ~QtForm() override;

    void setComponents(const QList<QObject *> &components);
    void addComponent(QObject *component);
    // Whether the window counts as a top-level form; by default a widget
    // that is a window.
    void setTopLevelForm(bool topLevel) { m_topLevel = topLevel; }

    QString className() const override { return m_className; }
    QString instanceName() const override;
    bool isTopLevelForm() const override;
    bool isLoading() const override { return m_loading; }
    void setLoading(bool loading) override { m_loading = loading; }
    QList<Component *> components() const override;
    Component *findComponent(const QString &name) const override;
    Component &self() override { return m_self; }

private:
    QPointer<QObject> m_window;
    QString m_className;
    QtComponent m_self;
    int m_topLevel = -1; // -1: decide from the widget
    bool m_loading = false;
    std::vector<std::unique_ptr<QtComponent>> m_components;
    // Components by case-folded name, rebuilt after a rename or removal.
    mutable QHash<QString, QtComponent *> m_byName;
    mutable bool m_byNameValid = false;
    std::unique_ptr<QObject> m_context; // scope of the signal connections
};

// Reads or sets a QAction's category.
QString actionCategory(const QObject *action);
void setActionCategory(QObject *action, const QString &category);

} // namespace i18n
