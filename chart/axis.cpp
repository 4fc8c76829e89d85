#include "axis.h"

#include <QLocale>

#include <cmath>
#include <utility>

namespace chart {

void Axis::setAutomatic(bool on)
{
    m_automatic = on;
    m_automaticMinimum = on;
    m_automaticMaximum = on;
}

void Axis::setAutomaticMinimum(bool on)
{
    m_automaticMinimum = on;
    if (on) {
        if (m_automaticMaximum)
            m_automatic = true;
    } else {
        m_automatic = false;
    }
}

void Axis::setAutomaticMaximum(bool on)
{
    m_automaticMaximum = on;
    if (on) {
        if (m_automaticMinimum)
            m_automatic = true;
    } else {
        m_automatic = false;
    }
}

void Axis::setLimits(double min, double max)
{
    if (min > max)
        std::swap(min, max);
    if (max - min < kMinimumAxisWidth)
        max = min + kMinimumAxisWidth;
    m_minimum = min;
    m_maximum = max;
    m_automatic = false;
    m_automaticMinimum = false;
    m_automaticMaximum = false;
}

QString Axis::labelText(double value) const
{
    const QLocale locale;
    return formatLabel(value, m_labelFormat, locale.decimalPoint().front(), locale.groupSeparator().front());
}

QString formatLabel(double value, const QString &format, QChar decimalPoint, QChar groupSeparator)
{
    const qsizetype point = format.indexOf(u'.');
    const QString integerPart = point < 0 ? format : format.left(point);
    const QString fractionPart = point < 0 ? QString() : format.mid(point + 1);
    int maxDecimals = 0;
    int minDecimals = 0;
    for (QChar c : fractionPart) {
        if (c == u'0' || c == u'#') {
            ++maxDecimals;
            if (c == u'0')
                minDecimals = maxDecimals;
        }
    }
    const bool grouping = integerPart.contains(u',');

    if (!std::isfinite(value))
        return QString::number(value);
    // Round half away from zero at the last shown decimal.
    const double scale = std::pow(10.0, maxDecimals);
    double rounded = std::round(value * scale) / scale;
    if (rounded == 0.0)
        rounded = 0.0; // no "-0"
    QString text = QString::number(std::fabs(rounded), 'f', maxDecimals);
    QString whole = text;
    QString fraction;
    if (const qsizetype dot = text.indexOf(u'.'); dot >= 0) {
        whole = text.left(dot);
        fraction = text.mid(dot + 1);
    }
    while (fraction.size() > minDecimals && fraction.endsWith(u'0'))
        fraction.chop(1);
    if (grouping) {
        for (qsizetype i = whole.size() - 3; i > 0; i -= 3)
            whole.insert(i, groupSeparator);
    }
    QString result = rounded < 0 ? QStringLiteral("-") + whole : whole;
    if (!fraction.isEmpty())
        result += decimalPoint + fraction;
    return result;
}

} // namespace chart
