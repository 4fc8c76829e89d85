#pragma once

#include <QString>

namespace chart {

// The five axes of a chart. Only the bottom (speed) and left (sprocket) axes
// carry series; zoom and reset act on all five alike.
enum class AxisId { Bottom = 0, Left, Top, Right, Depth };
inline constexpr int kAxisCount = 5;

inline constexpr AxisId kAllAxes[kAxisCount] = {AxisId::Bottom, AxisId::Left, AxisId::Top, AxisId::Right,
                                                AxisId::Depth};

// The narrowest range an axis may have; narrower limits are widened to it.
inline constexpr double kMinimumAxisWidth = 1e-10;

// The stored state of one axis: its two limits, which of them follow the
// data, and how it is labelled. An automatic limit is recomputed from the
// bars before every redraw; a fixed one keeps its stored value.
class Axis
{
public:
    double minimum() const { return m_minimum; }
    double maximum() const { return m_maximum; }
    // Store one limit without touching the automatic flags.
    void setMinimum(double value) { m_minimum = value; }
    void setMaximum(double value) { m_maximum = value; }

    bool automatic() const { return m_automatic; }
    bool automaticMinimum() const { return m_automaticMinimum; }
    bool automaticMaximum() const { return m_automaticMaximum; }
    // Setting Automatic sets or clears all three flags. Setting one end's
    // flag also sets Automatic when the other end is automatic too;
    // clearing it clears Automatic.
    void setAutomatic(bool on);
    void setAutomaticMinimum(bool on);
    void setAutomaticMaximum(bool on);

    // Whether an end follows the data.
    bool isMinimumAutomatic() const { return m_automatic || m_automaticMinimum; }
    bool isMaximumAutomatic() const { return m_automatic || m_automaticMaximum; }

    // Fixes both limits (swapped when given the wrong way round, widened to
    // kMinimumAxisWidth when narrower) and clears all three flags.
    void setLimits(double min, double max);

    // Label step to start the search from; 0 means none.
    double increment() const { return m_increment; }
    void setIncrement(double step) { m_increment = step; }

    QString title() const { return m_title; }
    void setTitle(const QString &text) { m_title = text; }
    // Title turned to read upwards (vertical axes).
    bool titleUpwards() const { return m_titleUpwards; }
    void setTitleUpwards(bool on) { m_titleUpwards = on; }

    // Number format of the labels, e.g. "##0" or "#,##0.###".
    QString labelFormat() const { return m_labelFormat; }
    void setLabelFormat(const QString &format) { m_labelFormat = format; }

    // A label as the axis shows it, with the regional separators.
    QString labelText(double value) const;

    bool gridVisible() const { return m_gridVisible; }
    void setGridVisible(bool on) { m_gridVisible = on; }

    bool operator==(const Axis &) const = default;

private:
    double m_minimum = 0.0;
    double m_maximum = 0.0;
    bool m_automatic = true;
    bool m_automaticMinimum = true;
    bool m_automaticMaximum = true;
    double m_increment = 0.0;
    QString m_title;
    bool m_titleUpwards = false;
    QString m_labelFormat = QStringLiteral("##0");
    bool m_gridVisible = false;
};

// Formats a label value by a number format of '#', '0', ',' and '.':
// digits after the point as the '#'/'0' count says (trailing zeros dropped
// down to the '0' count), thousands grouping when the format has a ','.
QString formatLabel(double value, const QString &format, QChar decimalPoint = u'.', QChar groupSeparator = u',');

} // namespace chart
