#pragma once

#include "calc/tests/fake_gear_window.h"
#include "chart/speed_range_series.h"

#include <QColor>
#include <array>
#include <memory>

// The three speed-range series as the main window sets them up, fed by the
// real gear arithmetic from the default gearing of the fake window.
struct DefaultGearing : FakeGearWindow
{
    std::array<std::unique_ptr<chart::SpeedRangeSeries>, 3> series; // Series1 Small, Series2 Medium, Series3 Big

    DefaultGearing()
    {
        const QColor colors[3] = {QColor(0, 255, 0), QColor(255, 255, 0), QColor(255, 0, 0)};
        for (int i = 0; i < 3; ++i) {
            series[size_t(i)] = std::make_unique<chart::SpeedRangeSeries>();
            series[size_t(i)]->setObjectName(QStringLiteral("Series%1").arg(i + 1));
            series[size_t(i)]->setColor(colors[i]);
            series[size_t(i)]->setOrderedByStart(i != 1);
        }
        feed();
    }
    chart::SpeedRangeSeries &small() { return *series[0]; }
    chart::SpeedRangeSeries &medium() { return *series[1]; }
    chart::SpeedRangeSeries &big() { return *series[2]; }

    void feed() { recalc(); }

    void clearSeries(int s) override { series[size_t(s - 1)]->clear(); }
    void addBar(int s, double start, double end, double y) override { series[size_t(s - 1)]->addBar(start, end, y); }
};
