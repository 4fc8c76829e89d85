#include "chart_model.h"

#include <QDebug>
#include <QLocale>
#include <algorithm>
#include <limits>

namespace chart {

QDebug operator<<(QDebug debug, const AxisLimits &limits)
{
    const QDebugStateSaver saver(debug);
    debug.nospace().noquote() << "AxisLimits(" << QString::number(limits.minimum, 'g', QLocale::FloatingPointShortest)
                              << ", " << QString::number(limits.maximum, 'g', QLocale::FloatingPointShortest) << ')';
    return debug;
}

ChartModel::ChartModel()
{
    Axis &left = axis(AxisId::Left);
    left.setAutomatic(false);
    left.setAutomaticMaximum(true);
    left.setMinimum(10.0);
    left.setIncrement(1.0);
    left.setTitle(QStringLiteral("Kassette"));
    left.setTitleUpwards(true);
    left.setLabelFormat(QStringLiteral("0"));
    left.setGridVisible(true);

    Axis &bottom = axis(AxisId::Bottom);
    bottom.setLabelFormat(QStringLiteral("##0"));
    bottom.setTitle(QStringLiteral("Fart"));

    axis(AxisId::Right).setTitleUpwards(true);
}

void ChartModel::addSeries(SpeedRangeSeries *series)
{
    if (series && !m_series.contains(series))
        m_series.append(series);
}

void ChartModel::removeSeries(SpeedRangeSeries *series)
{
    m_series.removeIf([series](const QPointer<SpeedRangeSeries> &s) { return s.isNull() || s.data() == series; });
}

QList<SpeedRangeSeries *> ChartModel::series() const
{
    QList<SpeedRangeSeries *> live;
    for (const QPointer<SpeedRangeSeries> &s : m_series) {
        if (s)
            live.append(s.data());
    }
    return live;
}

bool ChartModel::anySeriesShown() const
{
    return shownSeriesCount() > 0;
}

int ChartModel::shownSeriesCount() const
{
    int shown = 0;
    for (const SpeedRangeSeries *s : series())
        shown += s->active() ? 1 : 0;
    return shown;
}

AxisLimits ChartModel::dataExtremes(AxisId id) const
{
    if (id != AxisId::Bottom && id != AxisId::Left)
        return {}; // no series uses the other axes

    const bool shownOnly = anySeriesShown();
    double low = std::numeric_limits<double>::infinity();
    double high = -std::numeric_limits<double>::infinity();
    bool any = false;
    for (const SpeedRangeSeries *s : series()) {
        if (shownOnly && !s->active())
            continue;
        for (const SpeedRangeSeries::Bar &bar : s->bars()) {
            any = true;
            if (id == AxisId::Bottom) {
                low = std::min(low, bar.start);
                high = std::max({high, bar.start, bar.end});
            } else {
                low = std::min(low, bar.y);
                high = std::max(high, bar.y);
            }
        }
    }
    if (!any)
        return {};
    return {low, high};
}

AxisLimits ChartModel::automaticLimits(AxisId id) const
{
    const Axis &a = axis(id);
    AxisLimits limits{a.minimum(), a.maximum()};
    if (a.isMinimumAutomatic() || a.isMaximumAutomatic()) {
        const AxisLimits data = dataExtremes(id);
        if (a.isMinimumAutomatic())
            limits.minimum = data.minimum;
        if (a.isMaximumAutomatic())
            limits.maximum = data.maximum;
    }
    return limits;
}

void ChartModel::refreshAutomaticLimits()
{
    for (AxisId id : kAllAxes) {
        const AxisLimits limits = automaticLimits(id);
        axis(id).setMinimum(limits.minimum);
        axis(id).setMaximum(limits.maximum);
    }
}

void ChartModel::takeSnapshot()
{
    if (m_snapshotPending)
        return;
    for (AxisId id : kAllAxes) {
        const Axis &a = axis(id);
        m_snapshot.axes[size_t(id)] = {a.automatic(), a.automaticMinimum(), a.automaticMaximum(), a.minimum(),
                                       a.maximum()};
    }
    m_snapshotPending = true;
}

void ChartModel::zoomToLimits(const AxisLimitSet &targets, const std::function<void()> &drawFrame)
{
    refreshAutomaticLimits();
    takeSnapshot();
    if (m_settings.animatedZoom) {
        for (int step = 1; step < m_settings.animatedZoomSteps; ++step) {
            for (AxisId id : kAllAxes) {
                Axis &a = axis(id);
                const long double lo = a.minimum();
                const long double hi = a.maximum();
                const AxisLimits &target = targets[size_t(id)];
                a.setLimits(double(lo + (target.minimum - lo) / 3), double(hi - (hi - target.maximum) / 3));
            }
            if (drawFrame)
                drawFrame();
        }
    }
    for (AxisId id : kAllAxes)
        axis(id).setLimits(targets[size_t(id)].minimum, targets[size_t(id)].maximum);
}

AxisLimitSet ChartModel::percentTargets(double percent) const
{
    AxisLimitSet targets;
    for (AxisId id : kAllAxes) {
        const AxisLimits present = automaticLimits(id);
        const auto delta =
            double((static_cast<long double>(present.maximum) - present.minimum) * (percent - 100) * 0.01L);
        targets[size_t(id)] = {present.minimum + delta, present.maximum - delta};
    }
    return targets;
}

void ChartModel::zoomByPercent(double percent, const std::function<void()> &drawFrame)
{
    zoomToLimits(percentTargets(percent), drawFrame);
}

void ChartModel::resetZoom()
{
    if (!m_snapshotPending)
        return;
    for (AxisId id : kAllAxes) {
        const ZoomSnapshot::SavedAxis &saved = m_snapshot.axes[size_t(id)];
        Axis &a = axis(id);
        a.setAutomatic(saved.automatic);
        a.setAutomaticMinimum(saved.automaticMinimum);
        a.setAutomaticMaximum(saved.automaticMaximum);
        if (!a.automatic()) {
            a.setMinimum(saved.minimum);
            a.setMaximum(saved.maximum);
        }
    }
    m_snapshotPending = false;
}

void ChartModel::shiftAxis(AxisId id, const AxisLimits &present, double delta)
{
    axis(id).setLimits(present.minimum + delta, present.maximum + delta);
}

void ChartModel::copySettingsFrom(const ChartModel &other)
{
    m_axes = other.m_axes;
    m_settings = other.m_settings;
}

} // namespace chart
