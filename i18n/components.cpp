#include "components.h"

#include "core/errors.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMetaProperty>
#include <QStackedWidget>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QWidget>
#include <unordered_map>

namespace i18n {

bool Component::hasProperty(const QString &property) const
{
    return publishedProperties().contains(property, Qt::CaseInsensitive);
}

Component *Form::findComponent(const QString &name) const
{
    const QList<Component *> all = components();
    for (Component *c : all)
        if (sameStoredName(c->name(), name))
            return c;
    return nullptr;
}

QObject *findComponentByName(const QObject &owner, const QString &name)
{
    const QList<QObject *> all = owner.findChildren<QObject *>();
    for (QObject *o : all)
        if (sameStoredName(o->objectName(), name))
            return o;
    return nullptr;
}

QString actionCategory(const QObject *action)
{
    return action->property(kCategoryProperty).toString();
}

void setActionCategory(QObject *action, const QString &category)
{
    action->setProperty(kCategoryProperty, category);
}

namespace {

QTabWidget *tabsOfPage(const QObject *o)
{
    const auto *w = qobject_cast<const QWidget *>(o);
    if (!w || !qobject_cast<QStackedWidget *>(w->parentWidget()))
        return nullptr;
    return qobject_cast<QTabWidget *>(w->parentWidget()->parentWidget());
}

template <typename T> bool is(const QObject *o)
{
    return qobject_cast<const T *>(o) != nullptr;
}
template <typename T> T *as(QObject *o)
{
    return static_cast<T *>(o);
}
template <typename T> const T *as(const QObject *o)
{
    return static_cast<const T *>(o);
}

// The built-in published properties of Qt's stock classes. For one name the
// first row whose class test passes applies, so specific classes come first.
struct BuiltIn
{
    const char *name = nullptr;
    PropertyKind kind{};
    bool (*applies)(const QObject *) = nullptr;
    QString (*read)(const QObject *) = nullptr;
    void (*write)(QObject *, const QString &) = nullptr;
    QStringList (*readList)(const QObject *) = nullptr;
    void (*writeList)(QObject *, const QStringList &) = nullptr;
};

void setHintOf(QObject *o, const QString &hint)
{
    if (auto *w = qobject_cast<QWidget *>(o)) {
        w->setToolTip(hint);
        w->setStatusTip(hint);
    } else if (auto *a = qobject_cast<QAction *>(o)) {
        a->setToolTip(hint);
        a->setStatusTip(hint);
    }
}

QStringList comboItems(const QObject *o)
{
    const auto *c = as<QComboBox>(o);
    QStringList items;
    for (int i = 0; i < c->count(); ++i)
        items << c->itemText(i);
    return items;
}

// Rewrites the items in place so that the selection survives.
void setComboItems(QObject *o, const QStringList &items)
{
    auto *c = as<QComboBox>(o);
    const int selected = c->currentIndex();
    for (int i = 0; i < items.size(); ++i) {
        if (i < c->count())
            c->setItemText(i, items[i]);
        else
            c->addItem(items[i]);
    }
    while (c->count() > items.size())
        c->removeItem(c->count() - 1);
    if (selected < c->count())
        c->setCurrentIndex(selected);
}

const BuiltIn kBuiltIns[] = {
    {"Caption", PropertyKind::String, is<QMenu>, [](const QObject *o) { return as<QMenu>(o)->title(); },
     [](QObject *o, const QString &v) { as<QMenu>(o)->setTitle(v); }},
    {"Caption", PropertyKind::String, is<QGroupBox>, [](const QObject *o) { return as<QGroupBox>(o)->title(); },
     [](QObject *o, const QString &v) { as<QGroupBox>(o)->setTitle(v); }},
    {"Caption", PropertyKind::String, is<QToolBar>, [](const QObject *o) { return as<QToolBar>(o)->windowTitle(); },
     [](QObject *o, const QString &v) { as<QToolBar>(o)->setWindowTitle(v); }},
    {"Caption", PropertyKind::String, is<QLabel>, [](const QObject *o) { return as<QLabel>(o)->text(); },
     [](QObject *o, const QString &v) { as<QLabel>(o)->setText(v); }},
    {"Caption", PropertyKind::String, is<QAbstractButton>,
     [](const QObject *o) { return as<QAbstractButton>(o)->text(); },
     [](QObject *o, const QString &v) { as<QAbstractButton>(o)->setText(v); }},
    {"Caption", PropertyKind::String, is<QAction>, [](const QObject *o) { return as<QAction>(o)->text(); },
     [](QObject *o, const QString &v) { as<QAction>(o)->setText(v); }},
    {"Caption", PropertyKind::String, [](const QObject *o) { return tabsOfPage(o) != nullptr; },
     [](const QObject *o) {
         QTabWidget *tabs = tabsOfPage(o);
         return tabs->tabText(tabs->indexOf(const_cast<QWidget *>(as<QWidget>(o))));
     },
     [](QObject *o, const QString &v) {
         QTabWidget *tabs = tabsOfPage(o);
         tabs->setTabText(tabs->indexOf(as<QWidget>(o)), v);
     }},
    {"Caption", PropertyKind::String, [](const QObject *o) { return o->isWidgetType() && as<QWidget>(o)->isWindow(); },
     [](const QObject *o) { return as<QWidget>(o)->windowTitle(); },
     [](QObject *o, const QString &v) { as<QWidget>(o)->setWindowTitle(v); }},
    {"Hint", PropertyKind::String, is<QWidget>, [](const QObject *o) { return as<QWidget>(o)->statusTip(); },
     setHintOf},
    {"Hint", PropertyKind::String, is<QAction>, [](const QObject *o) { return as<QAction>(o)->statusTip(); },
     setHintOf},
    {"Font", PropertyKind::Font, is<QWidget>, nullptr, nullptr},
    {"Category", PropertyKind::String, is<QAction>, [](const QObject *o) { return actionCategory(o); },
     [](QObject *o, const QString &v) { setActionCategory(o, v); }},
    {"Items", PropertyKind::StringList, is<QComboBox>, nullptr, nullptr, comboItems, setComboItems},
};

const BuiltIn *findBuiltIn(const QObject *o, const QString &property)
{
    for (const BuiltIn &b : kBuiltIns)
        if (property.compare(QLatin1String(b.name), Qt::CaseInsensitive) == 0 && b.applies(o))
            return &b;
    return nullptr;
}

bool isPublishedName(const char *name)
{
    return name[0] >= 'A' && name[0] <= 'Z';
}

// The published (upper-case) Q_PROPERTYs of a class, found once per class:
// building a QMetaProperty is costly and a switch asks thousands of times.
// A std::unordered_map keeps each class's list in place as others are added.
const QList<std::pair<QString, int>> &publishedOf(const QMetaObject *mo)
{
    static std::unordered_map<const QMetaObject *, QList<std::pair<QString, int>>> cache;
    const auto [it, added] = cache.try_emplace(mo);
    if (added)
        for (int i = 0; i < mo->propertyCount(); ++i)
            if (const char *name = mo->property(i).name(); isPublishedName(name))
                it->second.append({QLatin1String(name), i});
    return it->second;
}

// A declared (Q_PROPERTY) published property by name, without regard to case.
QMetaProperty declared(const QObject *o, const QString &property)
{
    const QMetaObject *mo = o->metaObject();
    for (const auto &[name, index] : publishedOf(mo))
        if (property.compare(name, Qt::CaseInsensitive) == 0)
            return mo->property(index);
    return {};
}

PropertyKind kindOf(const QMetaProperty &p)
{
    switch (p.metaType().id()) {
    case QMetaType::QString:
        return PropertyKind::String;
    case QMetaType::QStringList:
        return PropertyKind::StringList;
    case QMetaType::QFont:
        return PropertyKind::Font;
    default:
        return PropertyKind::Other;
    }
}

[[noreturn]] void fail(const QObject *o, const QString &property, const char *what)
{
    throw core::AppError(QStringLiteral("Property %1 of %2 %3").arg(property, o->objectName(), QLatin1String(what)));
}

// A text or string-list property: declared ones of that kind by the meta
// object, others through the built-in accessor; any other kind fails with
// `what`.
template <typename T>
T readProperty(const QObject *o, const QString &property, PropertyKind kind, const char *what,
               T (*BuiltIn::*read)(const QObject *))
{
    if (const QMetaProperty p = declared(o, property); p.isValid()) {
        if (kindOf(p) != kind)
            fail(o, property, what);
        return p.read(o).value<T>();
    }
    const BuiltIn *b = findBuiltIn(o, property);
    if (!b || !(b->*read))
        fail(o, property, what);
    return (b->*read)(o);
}

template <typename T>
void writeProperty(QObject *o, const QString &property, const T &value, PropertyKind kind, const char *what,
                   void (*BuiltIn::*write)(QObject *, const T &))
{
    if (const QMetaProperty p = declared(o, property); p.isValid()) {
        if (kindOf(p) != kind)
            fail(o, property, what);
        if (!p.isWritable() || !p.write(o, QVariant::fromValue(value)))
            fail(o, property, "cannot be written");
        return;
    }
    const BuiltIn *b = findBuiltIn(o, property);
    if (!b || !(b->*write))
        fail(o, property, what);
    (b->*write)(o, value);
}

QObject *actionOf(const QObject *o)
{
    const QMetaProperty p = declared(o, QStringLiteral("Action"));
    if (p.isValid()) {
        const QVariant v = p.read(o);
        if (v.metaType().flags() & QMetaType::PointerToQObject)
            return qobject_cast<QAction *>(*static_cast<QObject *const *>(v.constData()));
        return nullptr;
    }
    if (const auto *b = qobject_cast<const QToolButton *>(o))
        return b->defaultAction();
    return nullptr;
}

} // namespace

QtComponent::QtComponent(QObject *object, QString nameOverride)
    : m_object(object), m_nameOverride(std::move(nameOverride))
{
}

QObject *QtComponent::live(const QString &property) const
{
    if (!m_object)
        throw core::AppError(
            QStringLiteral("Component %1 no longer exists (property %2)").arg(m_nameOverride, property));
    return m_object.data();
}

QString QtComponent::name() const
{
    if (!m_nameOverride.isEmpty())
        return m_nameOverride;
    return m_object ? m_object->objectName() : QString();
}

QStringList QtComponent::publishedProperties() const
{
    QStringList names;
    if (!m_object)
        return names;
    for (const auto &entry : publishedOf(m_object->metaObject()))
        names << entry.first;
    for (const BuiltIn &b : kBuiltIns) {
        const QString n = QLatin1String(b.name);
        if (!names.contains(n, Qt::CaseInsensitive) && b.applies(m_object))
            names << n;
    }
    return names;
}

bool QtComponent::hasProperty(const QString &property) const
{
    return m_object && (declared(m_object, property).isValid() || findBuiltIn(m_object, property));
}

PropertyKind QtComponent::propertyKind(const QString &property) const
{
    const QObject *o = live(property);
    if (const QMetaProperty p = declared(o, property); p.isValid())
        return kindOf(p);
    if (const BuiltIn *b = findBuiltIn(o, property))
        return b->kind;
    fail(o, property, "does not exist");
}

bool QtComponent::isWritable(const QString &property) const
{
    if (!m_object)
        return false;
    if (const QMetaProperty p = declared(m_object, property); p.isValid())
        return p.isWritable();
    return findBuiltIn(m_object, property) != nullptr;
}

QString QtComponent::readString(const QString &property) const
{
    return readProperty(live(property), property, PropertyKind::String, "is not a text", &BuiltIn::read);
}

void QtComponent::writeString(const QString &property, const QString &value)
{
    writeProperty(live(property), property, value, PropertyKind::String, "is not a text", &BuiltIn::write);
}

QString QtComponent::fontName(const QString &property) const
{
    const QObject *o = live(property);
    if (const QMetaProperty p = declared(o, property); p.isValid()) {
        if (kindOf(p) != PropertyKind::Font)
            fail(o, property, "is not a font");
        return p.read(o).value<QFont>().family();
    }
    const BuiltIn *b = findBuiltIn(o, property);
    if (!b || b->kind != PropertyKind::Font)
        fail(o, property, "is not a font");
    return as<QWidget>(o)->font().family();
}

void QtComponent::setFontName(const QString &property, const QString &family)
{
    QObject *o = live(property);
    if (const QMetaProperty p = declared(o, property); p.isValid()) {
        if (kindOf(p) != PropertyKind::Font || !p.isWritable())
            fail(o, property, "is not a writable font");
        QFont f = p.read(o).value<QFont>();
        f.setFamily(family);
        p.write(o, f);
        return;
    }
    const BuiltIn *b = findBuiltIn(o, property);
    if (!b || b->kind != PropertyKind::Font)
        fail(o, property, "is not a font");
    auto *w = as<QWidget>(o);
    QFont f = w->font();
    f.setFamily(family);
    w->setFont(f);
}

int QtComponent::fontCharset(const QString &property) const
{
    const QObject *o = live(property);
    if (propertyKind(property) != PropertyKind::Font)
        fail(o, property, "is not a font");
    const QVariant v = o->property(kCharsetProperty);
    return v.isValid() ? v.toInt() : 1;
}

void QtComponent::setFontCharset(const QString &property, int code)
{
    QObject *o = live(property);
    if (propertyKind(property) != PropertyKind::Font)
        fail(o, property, "is not a font");
    o->setProperty(kCharsetProperty, code);
}

QStringList QtComponent::readStrings(const QString &property) const
{
    return readProperty(live(property), property, PropertyKind::StringList, "is not a string list", &BuiltIn::readList);
}

void QtComponent::writeStrings(const QString &property, const QStringList &items)
{
    writeProperty(live(property), property, items, PropertyKind::StringList, "is not a string list",
                  &BuiltIn::writeList);
}

bool QtComponent::isControl() const
{
    return m_object && m_object->isWidgetType();
}

bool QtComponent::parentFont() const
{
    if (!m_object)
        return false;
    if (const QMetaProperty p = declared(m_object, QStringLiteral("ParentFont")); p.isValid())
        return p.read(m_object).toBool();
    return m_object->isWidgetType() && !as<QWidget>(m_object.data())->testAttribute(Qt::WA_SetFont);
}

bool QtComponent::isLinkedToAction() const
{
    return m_object && actionOf(m_object) != nullptr;
}

bool QtComponent::isMenuSeparator() const
{
    if (!m_object)
        return false;
    if (const auto *a = qobject_cast<const QAction *>(m_object))
        return a->isSeparator() || a->text() == QLatin1String("-");
    // Menu-item stand-ins declare their caption.
    const QMetaProperty p = declared(m_object, QStringLiteral("Caption"));
    return !m_object->isWidgetType() && p.isValid() && p.read(m_object).toString() == QLatin1String("-");
}

bool QtComponent::isLocalisationComponent() const
{
    return m_object && m_object->property(kLocalisationComponentProperty).toBool();
}

QtForm::QtForm(QObject *window, QString className, const QList<QObject *> &components)
    : m_window(window), m_className(std::move(className)), m_self(window), m_context(std::make_unique<QObject>())
{
    setComponents(components);
}

QtForm::~QtForm() = default;

void QtForm::setComponents(const QList<QObject *> &components)
{
    m_components.clear();
    m_byNameValid = false;
    m_context = std::make_unique<QObject>();
    for (QObject *c : components)
        addComponent(c);
}

void QtForm::addComponent(QObject *component)
{
    if (!component)
        return;
    m_components.push_back(std::make_unique<QtComponent>(component));
    m_byNameValid = false;
    QObject::connect(component, &QObject::objectNameChanged, m_context.get(), [this] { m_byNameValid = false; });
    QObject::connect(component, &QObject::destroyed, m_context.get(), [this](QObject *gone) {
        m_byNameValid = false;
        componentRemoved(gone->objectName());
    });
}

QString QtForm::instanceName() const
{
    return m_window ? m_window->objectName() : QString();
}

bool QtForm::isTopLevelForm() const
{
    if (m_topLevel >= 0)
        return m_topLevel == 1;
    return m_window && m_window->isWidgetType() && static_cast<QWidget *>(m_window.data())->isWindow();
}

QList<Component *> QtForm::components() const
{
    QList<Component *> all;
    all.reserve(qsizetype(m_components.size()));
    for (const auto &c : m_components)
        if (c->isAlive())
            all << c.get();
    return all;
}

Component *QtForm::findComponent(const QString &name) const
{
    if (!m_byNameValid) {
        m_byName.clear();
        for (const auto &c : m_components)
            if (c->isAlive()) {
                const QString key = storedNameKey(c->object()->objectName());
                if (!m_byName.contains(key)) // the first of equal names wins
                    m_byName.insert(key, c.get());
            }
        m_byNameValid = true;
    }
    QtComponent *c = m_byName.value(storedNameKey(name));
    return c && c->isAlive() ? c : nullptr;
}

} // namespace i18n
