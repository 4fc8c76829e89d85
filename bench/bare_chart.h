#pragma once

// The least machinery that paints what the chart shows: the background, the
// axis texts and 27 bars, with a bare QPainter. The baseline of the chart's
// own painting.

#include <QPainter>
#include <QString>

namespace bench {

inline void paintBareChart(QPainter &p, const QRect &area, int shift = 0)
{
    p.fillRect(area, Qt::white);
    p.setPen(Qt::black);
    p.drawRect(area.adjusted(30, 5, -5, -25));
    for (int k = 0; k <= 10; ++k) {
        const int x = area.left() + 30 + k * (area.width() - 40) / 10;
        p.drawText(QRect(x - 15, area.bottom() - 20, 30, 14), Qt::AlignCenter, QString::number(10 + 5 * k));
    }
    for (int row = 0; row < 9; ++row)
        p.drawText(QRect(area.left(), area.top() + 10 + row * 30, 25, 14), Qt::AlignRight, QString::number(12 + row));
    p.drawText(QRect(area.left(), area.bottom() - 12, area.width(), 12), Qt::AlignCenter, QStringLiteral("Km/t"));
    const QColor colours[3] = {QColor(0, 255, 0), QColor(255, 255, 0), QColor(255, 0, 0)};
    for (int bar = 0; bar < 27; ++bar) {
        const QRect r(area.left() + 30 + (bar * 17 + shift % 2) % (area.width() - 80), area.top() + 10 + (bar % 9) * 30,
                      40, 20);
        p.fillRect(r, colours[bar / 9]);
        p.drawRect(r);
    }
}

} // namespace bench
