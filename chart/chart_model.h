#pragma once

#include "axis.h"
#include "speed_range_series.h"

#include <QColor>
#include <QList>
#include <QPointer>
#include <QString>
#include <array>
#include <functional>

class QDebug;

namespace chart {

struct AxisLimits
{
    double minimum = 0.0;
    double maximum = 0.0;
    bool operator==(const AxisLimits &) const = default;
};
// "AxisLimits(min, max)", each as the shortest text that reads back exactly
// (what a failing comparison in a test prints).
QDebug operator<<(QDebug debug, const AxisLimits &limits);
using AxisLimitSet = std::array<AxisLimits, kAxisCount>;

// The flags and limits of every axis from before the first zoom or pan.
struct ZoomSnapshot
{
    struct SavedAxis
    {
        bool automatic = true;
        bool automaticMinimum = true;
        bool automaticMaximum = true;
        double minimum = 0.0;
        double maximum = 0.0;
    };
    std::array<SavedAxis, kAxisCount> axes;
};

// Settings of a chart that are copied with it to another chart.
struct ChartSettings
{
    bool view3D = false;
    int chart3DPercent = 15;
    bool gradientVisible = false;
    QColor color = QColor(240, 240, 240); // the owner sets the button face
    QString title = QStringLiteral("Gear");
    bool titleVisible = false;
    bool animatedZoom = true;
    int animatedZoomSteps = 8;
};

// What a chart knows without a window: axes, series, settings, and the zoom,
// pan and reset arithmetic on the axes.
class ChartModel
{
public:
    // The start-up axis state: the bottom axis fully automatic, labelled
    // "##0"; the left axis from a fixed 10 to an automatic maximum, step 1,
    // with grid lines and its title read upwards.
    ChartModel();

    Axis &axis(AxisId id) { return m_axes[size_t(id)]; }
    const Axis &axis(AxisId id) const { return m_axes[size_t(id)]; }

    ChartSettings &settings() { return m_settings; }
    const ChartSettings &settings() const { return m_settings; }

    // Series are not owned; one deleted elsewhere simply drops out.
    void addSeries(SpeedRangeSeries *series);
    void removeSeries(SpeedRangeSeries *series);
    QList<SpeedRangeSeries *> series() const;
    bool anySeriesShown() const;
    int shownSeriesCount() const;

    // The smallest and largest data value along an axis, over the shown
    // series with bars (all series when none is shown); 0 without any.
    AxisLimits dataExtremes(AxisId id) const;
    // An axis's limits with every automatic end set to its data extreme.
    AxisLimits automaticLimits(AxisId id) const;
    // Stores the data extremes in the automatic ends.
    void refreshAutomaticLimits();

    bool snapshotPending() const { return m_snapshotPending; }
    const ZoomSnapshot &zoomSnapshot() const { return m_snapshot; }
    // Saves every axis unless a snapshot is already pending.
    void takeSnapshot();

    // Moves every axis to its target: when animated, AnimatedZoomSteps - 1
    // intermediate steps, each a third of the remaining way, each followed
    // by drawFrame(); then the targets themselves (all limits fixed).
    void zoomToLimits(const AxisLimitSet &targets, const std::function<void()> &drawFrame);
    // Zoom about the centre of every axis by p percent (110 shrinks each
    // range by a fifth, 90 widens it by a fifth).
    void zoomByPercent(double percent, const std::function<void()> &drawFrame);
    AxisLimitSet percentTargets(double percent) const;
    // Restores the snapshot's flags (and limits where not automatic).
    void resetZoom();

    // Shifts an axis by delta from the given present limits (a pan step).
    void shiftAxis(AxisId id, const AxisLimits &present, double delta);

    // Axes and settings of another chart, without its series or snapshot.
    void copySettingsFrom(const ChartModel &other);

private:
    std::array<Axis, kAxisCount> m_axes;
    ChartSettings m_settings;
    QList<QPointer<SpeedRangeSeries>> m_series;
    ZoomSnapshot m_snapshot;
    bool m_snapshotPending = false;
};

} // namespace chart
