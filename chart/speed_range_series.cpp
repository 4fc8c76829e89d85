#include "speed_range_series.h"

#include "core/errors.h"

#include <QDebug>
#include <QLocale>

namespace chart {

QDebug operator<<(QDebug debug, const SpeedRangeSeries::Bar &bar)
{
    auto exact = [](double v) { return QString::number(v, 'g', QLocale::FloatingPointShortest); };
    const QDebugStateSaver saver(debug);
    debug.nospace().noquote() << "Bar(" << exact(bar.start) << ", " << exact(bar.end) << ", " << exact(bar.y) << ", ";
    debug.quote() << bar.label << ')';
    return debug;
}

SpeedRangeSeries::SpeedRangeSeries(QObject *parent) : QObject(parent) {}

int SpeedRangeSeries::addBar(double start, double end, double y, const QString &label)
{
    qsizetype position = m_bars.size();
    if (m_orderedByStart) {
        position = 0;
        for (qsizetype i = m_bars.size() - 1; i >= 0; --i) {
            if (!(m_bars[i].start > start)) {
                position = i + 1;
                break;
            }
        }
    }
    m_bars.insert(position, Bar{start, end, y, label});
    Q_EMIT changed();
    return int(position);
}

void SpeedRangeSeries::clear()
{
    m_bars.clear();
    Q_EMIT changed();
}

const SpeedRangeSeries::Bar &SpeedRangeSeries::bar(int index) const
{
    if (index < 0 || index >= m_bars.size())
        throw core::AppError(QStringLiteral("List index out of bounds (%1)").arg(index));
    return m_bars[index];
}

void SpeedRangeSeries::setActive(bool on)
{
    if (m_active == on)
        return;
    m_active = on;
    Q_EMIT changed();
}

void SpeedRangeSeries::setColor(const QColor &color)
{
    if (m_color == color)
        return;
    m_color = color;
    Q_EMIT changed();
}

void SpeedRangeSeries::setOrderedByStart(bool on)
{
    m_orderedByStart = on;
}

void SpeedRangeSeries::copySettingsFrom(const SpeedRangeSeries &other)
{
    m_active = other.m_active;
    m_color = other.m_color;
    m_orderedByStart = other.m_orderedByStart;
    m_colorSource = other.m_colorSource;
    m_percentFormat = other.m_percentFormat;
    m_title = other.m_title;
    m_valueFormat = other.m_valueFormat;
    m_xLabelsSource = other.m_xLabelsSource;
    Q_EMIT changed();
}

} // namespace chart
