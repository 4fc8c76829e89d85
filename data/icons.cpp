#include "icons.h"

#include <QIconEngine>
#include <QPaintDevice>
#include <QPainter>
#include <functional>
#include <utility>

// Q_INIT_RESOURCE must be used outside any namespace.
static void initRatiomatIcons()
{
    Q_INIT_RESOURCE(ratiomat_icons);
}

namespace icons {

namespace {

// Stands for the icon that make() builds, and builds it the first time it
// is needed. Decoding every size of an icon, or loading the engine that
// renders SVG, costs more than the rest of a window's construction; a
// window shows only some of its icons when it first appears.
class DeferredIconEngine : public QIconEngine
{
public:
    explicit DeferredIconEngine(std::function<QIcon()> make) : m_make(std::move(make)) {}

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal dpr = painter->device() ? painter->device()->devicePixelRatio() : 1.0;
        painter->drawPixmap(rect, pixmap(rect.size() * dpr, mode, state));
    }
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().pixmap(size, 1.0, mode, state);
    }
    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return pixmap(size, mode, state).size();
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return icon().availableSizes(mode, state);
    }
    QString iconName() override { return icon().name(); }
    bool isNull() override { return icon().isNull(); }
    QString key() const override { return QStringLiteral("ratiomat-deferred"); }
    QIconEngine *clone() const override
    {
        auto *copy = new DeferredIconEngine(m_make);
        copy->m_icon = m_icon;
        copy->m_made = m_made;
        return copy;
    }

private:
    const QIcon &icon()
    {
        if (!m_made) {
            m_icon = m_make();
            m_made = true;
        }
        return m_icon;
    }

    std::function<QIcon()> m_make;
    QIcon m_icon;
    bool m_made = false;
};

} // namespace

void initResources()
{
    initRatiomatIcons();
}

QIcon programIcon()
{
    return QIcon(new DeferredIconEngine([] {
        QIcon icon;
        for (int size : {16, 32, 48, 64, 128, 256})
            icon.addFile(QStringLiteral(":/icons/png/ratiomat-%1.png").arg(size), QSize(size, size));
        return icon;
    }));
}

QIcon fromFile(const QString &path)
{
    return QIcon(new DeferredIconEngine([path] { return QIcon(path); }));
}

} // namespace icons
