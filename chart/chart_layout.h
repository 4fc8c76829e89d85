#pragma once

#include "chart_model.h"

#include <QList>
#include <QPoint>
#include <QPolygon>
#include <QRect>
#include <QString>
#include <array>
#include <functional>

namespace chart {

// Room around the axes, shared by the layout and the painting so the labels
// land where the layout made room for them.
inline constexpr int kTickLength = 4;
inline constexpr int kLabelGap = 2;
inline constexpr int kTitleGap = 4;

// The displayed range of one axis laid along a run of pixels. toPixel and
// toValue are the only conversions between data and pixels.
class AxisScale
{
public:
    AxisScale() = default;
    AxisScale(double minimum, double maximum, int startPixel, int endPixel);

    double minimum() const { return m_minimum; }
    double maximum() const { return m_maximum; }
    int startPixel() const { return m_startPixel; }
    int endPixel() const { return m_endPixel; }
    int length() const { return std::abs(m_endPixel - m_startPixel); }

    int toPixel(double value) const;
    double toValue(double pixel) const;

    double labelStep = 1.0;
    QList<double> labels;

private:
    double m_minimum = 0.0;
    double m_maximum = 1.0;
    int m_startPixel = 0;
    int m_endPixel = 1;
};

// Text sizes the axis labels and titles need, in pixels.
struct LabelMetrics
{
    std::function<int(const QString &)> textWidth;
    int textHeight = 0;
};

// Where everything of a chart goes inside a drawing area.
struct ChartLayout
{
    QRect area;    // the whole drawing area
    QRect inner;   // inside the chart's margins
    QRect plot;    // the plot area; in 3D the front face of the plot box
    int slice = 0; // depth of one series in 3D, in pixels
    int depth = 0; // depth of the whole plot box
    bool axesVisible = false;
    std::array<AxisScale, kAxisCount> scales;

    const AxisScale &scale(AxisId id) const { return scales[size_t(id)]; }
    // Outline of the plot area, in 3D of the whole plot box.
    QPolygon plotBox() const;
    bool inPlotBox(const QPoint &point) const;
};

inline constexpr int kBarHalfHeight = 4;
inline constexpr int kAutomaticMargin = kBarHalfHeight + 1;

// Widens a range so that each automatic end's data extreme lies `margin`
// pixels inside an axis `length` pixels long.
AxisLimits withMargins(const AxisLimits &data, bool automaticMinimum, bool automaticMaximum, int length, int margin);

// The label step: from the start step up the 1, 2, 5 series until the
// rounded number of steps across the range fits the labels that fit along
// the axis (its length divided by labelSize + 10 %).
double labelStep(double minimum, double maximum, double increment, int length, int labelSize);
double nextLabelStep(double step);
// Multiples of the step inside the range.
QList<double> labelValues(double minimum, double maximum, double step);

ChartLayout layoutChart(const ChartModel &model, const QRect &area, const LabelMetrics &metrics);

// The targets of a zoom rectangle drawn from p0 to p1 (p1 right of and
// below p0).
AxisLimitSet rectangleTargets(const ChartModel &model, const ChartLayout &layout, const QPoint &p0, const QPoint &p1);
// One pan step: every axis whose pointer coordinate changed shifts so that
// the value under the pointer follows it.
void panAxes(ChartModel &model, const ChartLayout &layout, const QPoint &from, const QPoint &to);

} // namespace chart
