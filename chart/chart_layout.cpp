#include "chart_layout.h"

#include <QtMath>
#include <algorithm>
#include <cmath>

namespace chart {

namespace {

constexpr double kHorizontalMarginShare = 0.03;
constexpr double kVerticalMarginShare = 0.04;
// Keeps pixel arithmetic far from int overflow when zoomed in very far.
constexpr double kPixelLimit = 1e6;

bool isHorizontal(AxisId id)
{
    return id == AxisId::Bottom || id == AxisId::Top;
}

bool isVertical(AxisId id)
{
    return id == AxisId::Left || id == AxisId::Right;
}

int textWidth(const LabelMetrics &metrics, const QString &text)
{
    return metrics.textWidth ? metrics.textWidth(text) : 0;
}

// The wider of the labels of two values of an axis.
int widerLabel(const Axis &axis, double first, double second, const LabelMetrics &metrics)
{
    return std::max(textWidth(metrics, axis.labelText(first)), textWidth(metrics, axis.labelText(second)));
}

// The area inside the chart's margins, and in 3D the depth of one series
// and of the whole plot box. The axes show while any series does.
ChartLayout frameLayout(const ChartModel &model, const QRect &area)
{
    ChartLayout layout;
    layout.area = area;
    const int marginX = qRound(area.width() * kHorizontalMarginShare);
    const int marginY = qRound(area.height() * kVerticalMarginShare);
    layout.inner = area.adjusted(marginX, marginY, -marginX, -marginY);

    const ChartSettings &settings = model.settings();
    const int shown = model.shownSeriesCount();
    if (settings.view3D) {
        layout.slice = int(std::lround(layout.inner.width() * settings.chart3DPercent * 0.001));
        layout.depth = layout.slice * shown;
    }
    layout.axesVisible = shown > 0;
    return layout;
}

// The plot area: the inner area less the 3D depth, and with the axes
// showing less the room for the ticks, labels and titles left and below.
QRect plotArea(const ChartModel &model, const ChartLayout &layout, int leftLabelWidth, int textHeight)
{
    QRect plot = layout.inner;
    plot.setRight(plot.right() - layout.depth);
    plot.setTop(plot.top() + layout.depth);
    if (layout.axesVisible) {
        const int leftTitle = model.axis(AxisId::Left).title().isEmpty() ? 0 : kTitleGap + textHeight;
        const int bottomTitle = model.axis(AxisId::Bottom).title().isEmpty() ? 0 : kTitleGap + textHeight;
        plot.setLeft(plot.left() + kTickLength + kLabelGap + leftLabelWidth + leftTitle);
        plot.setBottom(plot.bottom() - (kTickLength + kLabelGap + textHeight + bottomTitle));
    }
    plot.setWidth(std::max(plot.width(), 2));
    plot.setHeight(std::max(plot.height(), 2));
    return plot;
}

// One axis laid along its side of the plot area (the depth axis along the
// 3D depth): its range with the automatic margins, and its labels.
AxisScale axisScale(const ChartModel &model, AxisId id, const ChartLayout &layout, const AxisLimits &data,
                    const LabelMetrics &metrics)
{
    const QRect &plot = layout.plot;
    int start = 0, end = layout.depth;
    if (isHorizontal(id)) {
        start = plot.left();
        end = plot.right();
    } else if (isVertical(id)) {
        start = plot.bottom();
        end = plot.top();
    }
    const Axis &axis = model.axis(id);
    const int length = std::abs(end - start);
    const AxisLimits range = layout.axesVisible ? withMargins(data, axis.isMinimumAutomatic(),
                                                              axis.isMaximumAutomatic(), length, kAutomaticMargin)
                                                : data;
    AxisScale scale(range.minimum, range.maximum, start, end);
    const int labelSize =
        isHorizontal(id) ? widerLabel(axis, scale.minimum(), scale.maximum(), metrics) : metrics.textHeight;
    scale.labelStep = labelStep(scale.minimum(), scale.maximum(), axis.increment(), length, labelSize);
    scale.labels = labelValues(scale.minimum(), scale.maximum(), scale.labelStep);
    return scale;
}

} // namespace

AxisScale::AxisScale(double minimum, double maximum, int startPixel, int endPixel)
    : m_minimum(minimum), m_maximum(maximum), m_startPixel(startPixel), m_endPixel(endPixel)
{
    // An empty or reversed range (a fixed minimum above the data, no data at
    // all) is shown as the narrowest range at its minimum.
    if (!(m_maximum - m_minimum >= kMinimumAxisWidth))
        m_maximum = m_minimum + kMinimumAxisWidth;
}

int AxisScale::toPixel(double value) const
{
    const double offset = (value - m_minimum) * (m_endPixel - m_startPixel) / (m_maximum - m_minimum);
    double pixel = m_startPixel + offset;
    if (std::isnan(pixel))
        pixel = m_startPixel;
    return int(std::lround(std::clamp(pixel, -kPixelLimit, kPixelLimit)));
}

double AxisScale::toValue(double pixel) const
{
    if (m_endPixel == m_startPixel)
        return m_minimum;
    return m_minimum + (pixel - m_startPixel) * (m_maximum - m_minimum) / (m_endPixel - m_startPixel);
}

QPolygon ChartLayout::plotBox() const
{
    const int l = plot.left(), r = plot.right(), t = plot.top(), b = plot.bottom();
    if (depth <= 0)
        return QPolygon({QPoint(l, t), QPoint(r, t), QPoint(r, b), QPoint(l, b)});
    return QPolygon({QPoint(l, b), QPoint(l, t), QPoint(l + depth, t - depth), QPoint(r + depth, t - depth),
                     QPoint(r + depth, b - depth), QPoint(r, b)});
}

bool ChartLayout::inPlotBox(const QPoint &point) const
{
    return plot.contains(point) || (depth > 0 && plotBox().containsPoint(point, Qt::OddEvenFill));
}

AxisLimits withMargins(const AxisLimits &data, bool automaticMinimum, bool automaticMaximum, int length, int margin)
{
    const int ends = int(automaticMinimum) + int(automaticMaximum);
    const int usable = length - ends * margin;
    if (ends == 0 || usable <= 0)
        return data;
    const double perPixel = (data.maximum - data.minimum) / usable;
    AxisLimits widened = data;
    if (automaticMinimum)
        widened.minimum -= margin * perPixel;
    if (automaticMaximum)
        widened.maximum += margin * perPixel;
    return widened;
}

double nextLabelStep(double step)
{
    const double decade = std::pow(10.0, std::floor(std::log10(step)));
    for (double mantissa : {1.0, 2.0, 5.0, 10.0, 20.0}) {
        const double candidate = mantissa * decade;
        if (candidate > step * (1 + 1e-9))
            return candidate;
    }
    return step * 10;
}

double labelStep(double minimum, double maximum, double increment, int length, int labelSize)
{
    const double range = std::fabs(maximum - minimum);
    double step = increment > 0 ? increment : (range >= 1 ? 1.0 : 1e-12);
    if (!std::isfinite(range))
        return step;
    const int size = std::max(1, labelSize);
    const double fits = std::round(double(length) / (size + std::round(0.1 * size)));
    // 2000 steps pass three decades each: far more than any double range.
    for (int guard = 0; guard < 2000 && std::round(range / step) > fits; ++guard)
        step = nextLabelStep(step);
    return step;
}

QList<double> labelValues(double minimum, double maximum, double step)
{
    if (minimum > maximum)
        std::swap(minimum, maximum);
    QList<double> values;
    if (!(step > 0) || !std::isfinite(minimum) || !std::isfinite(maximum))
        return values;
    const double first = std::ceil(minimum / step - 1e-9);
    const double last = std::floor(maximum / step + 1e-9);
    if (!(last - first < 1000))
        return values;
    for (double k = first; k <= last; ++k)
        values.append(k * step + 0.0);
    return values;
}

ChartLayout layoutChart(const ChartModel &model, const QRect &area, const LabelMetrics &metrics)
{
    ChartLayout layout = frameLayout(model, area);
    AxisLimitSet data;
    for (AxisId id : kAllAxes)
        data[size_t(id)] = model.automaticLimits(id);
    const Axis &left = model.axis(AxisId::Left);

    // The room for the left labels depends on the labels, which depend on
    // the plot's height only; one more pass settles it.
    const AxisLimits &leftData = data[size_t(AxisId::Left)];
    int leftLabelWidth = widerLabel(left, leftData.minimum, leftData.maximum, metrics);
    for (int pass = 0; pass < 3; ++pass) {
        layout.plot = plotArea(model, layout, leftLabelWidth, metrics.textHeight);
        for (AxisId id : kAllAxes)
            layout.scales[size_t(id)] = axisScale(model, id, layout, data[size_t(id)], metrics);

        int widest = 0;
        for (double value : layout.scale(AxisId::Left).labels)
            widest = std::max(widest, textWidth(metrics, left.labelText(value)));
        if (widest == leftLabelWidth)
            break;
        leftLabelWidth = widest;
    }
    return layout;
}

AxisLimitSet rectangleTargets(const ChartModel &model, const ChartLayout &layout, const QPoint &p0, const QPoint &p1)
{
    AxisLimitSet targets;
    for (AxisId id : kAllAxes) {
        const AxisScale &scale = layout.scale(id);
        if (isHorizontal(id))
            targets[size_t(id)] = {scale.toValue(p0.x()), scale.toValue(p1.x())};
        else if (isVertical(id))
            targets[size_t(id)] = {scale.toValue(p1.y()), scale.toValue(p0.y())};
        else
            targets[size_t(id)] = model.automaticLimits(id);
    }
    return targets;
}

void panAxes(ChartModel &model, const ChartLayout &layout, const QPoint &from, const QPoint &to)
{
    model.refreshAutomaticLimits();
    model.takeSnapshot();
    for (AxisId id : kAllAxes) {
        int before = 0, after = 0;
        if (isHorizontal(id)) {
            before = from.x();
            after = to.x();
        } else if (isVertical(id)) {
            before = from.y();
            after = to.y();
        }
        if (before == after)
            continue;
        const AxisScale &scale = layout.scale(id);
        model.shiftAxis(id, {scale.minimum(), scale.maximum()}, scale.toValue(before) - scale.toValue(after));
    }
}

} // namespace chart
