#pragma once

#include "core/errors.h"
#include "i18n/components.h"

#include <QMap>
#include <memory>
#include <vector>

// A window made of plain records, for driving the translator without Qt
// widgets and for failures that real widgets cannot raise.
struct FakeProperty
{
    i18n::PropertyKind kind = i18n::PropertyKind::String;
    QString text;
    QStringList items;
    int charset = 1;
    bool writable = true;
    int writes = 0;
};

class FakeComponent : public i18n::Component
{
public:
    explicit FakeComponent(QString name) : m_name(std::move(name)) {}

    FakeProperty &prop(const QString &name)
    {
        if (!m_order.contains(name))
            m_order << name;
        return m_props[name];
    }
    QString m_name;
    bool control = true, followsParentFont = false, linked = false, separator = false, localisation = false;
    bool failOnRead = false;

    QString name() const override { return m_name; }
    QStringList publishedProperties() const override { return m_order; }
    i18n::PropertyKind propertyKind(const QString &p) const override { return get(p).kind; }
    bool isWritable(const QString &p) const override { return m_props.contains(key(p)) && get(p).writable; }
    QString readString(const QString &p) const override
    {
        if (failOnRead)
            throw core::AppError(QStringLiteral("read failed"));
        return get(p).text;
    }
    void writeString(const QString &p, const QString &v) override
    {
        set(p).text = v;
        ++set(p).writes;
    }
    QString fontName(const QString &p) const override { return get(p).text; }
    void setFontName(const QString &p, const QString &v) override { set(p).text = v; }
    int fontCharset(const QString &p) const override { return get(p).charset; }
    void setFontCharset(const QString &p, int c) override { set(p).charset = c; }
    QStringList readStrings(const QString &p) const override { return get(p).items; }
    void writeStrings(const QString &p, const QStringList &v) override
    {
        set(p).items = v;
        ++set(p).writes;
    }
    bool isControl() const override { return control; }
    bool parentFont() const override { return followsParentFont; }
    bool isLinkedToAction() const override { return linked; }
    bool isMenuSeparator() const override { return separator; }
    bool isLocalisationComponent() const override { return localisation; }

private:
    QString key(const QString &p) const
    {
        for (const QString &k : m_order)
            if (k.compare(p, Qt::CaseInsensitive) == 0)
                return k;
        return p;
    }
    const FakeProperty &get(const QString &p) const
    {
        const auto it = m_props.find(key(p));
        if (it == m_props.end())
            throw core::AppError(QStringLiteral("no property ") + p);
        return *it;
    }
    FakeProperty &set(const QString &p)
    {
        if (!m_props.contains(key(p)))
            throw core::AppError(QStringLiteral("no property ") + p);
        return m_props[key(p)];
    }
    QStringList m_order;
    QMap<QString, FakeProperty> m_props;
};

class FakeForm : public i18n::Form
{
public:
    explicit FakeForm(QString cls, QString instance = {}) : m_class(std::move(cls)), m_window(std::move(instance))
    {
        m_window.prop(QStringLiteral("Caption"));
        m_window.prop(QStringLiteral("Hint"));
        m_window.prop(QStringLiteral("Font")).kind = i18n::PropertyKind::Font;
    }

    FakeComponent &add(const QString &name)
    {
        m_components.push_back(std::make_unique<FakeComponent>(name));
        return *m_components.back();
    }
    // A label-like component with a caption, hint and font.
    FakeComponent &addLabel(const QString &name, const QString &caption)
    {
        FakeComponent &c = add(name);
        c.prop(QStringLiteral("Caption")).text = caption;
        c.prop(QStringLiteral("Hint"));
        c.prop(QStringLiteral("Font")).kind = i18n::PropertyKind::Font;
        return c;
    }
    void remove(const QString &name)
    {
        std::erase_if(m_components, [&](const auto &c) { return c->m_name == name; });
        componentRemoved(name);
    }

    bool topLevel = true;
    bool loading = false;
    QString className() const override { return m_class; }
    QString instanceName() const override { return m_window.m_name; }
    bool isTopLevelForm() const override { return topLevel; }
    bool isLoading() const override { return loading; }
    void setLoading(bool on) override { loading = on; }
    QList<i18n::Component *> components() const override
    {
        QList<i18n::Component *> all;
        for (const auto &c : m_components)
            all << c.get();
        return all;
    }
    i18n::Component &self() override { return m_window; }
    FakeComponent &window() { return m_window; }

private:
    QString m_class;
    FakeComponent m_window;
    std::vector<std::unique_ptr<FakeComponent>> m_components;
};
