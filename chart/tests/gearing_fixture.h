#pragma once

#include "calc/gearing.h"
#include "chart/gantt_series.h"

#include <QColor>
#include <array>
#include <memory>

// The three speed-range series as the main window sets them up, fed by the
// real gear arithmetic from the default gearing (53/42/32, 12..19 and 21,
// 210 cm, 100 rpm, km/h, cadences 95 and 105).
struct DefaultGearing : calc::GearInputs, calc::ResultCells, calc::SeriesFeed
{
    std::array<QString, 9> sprockets{"12", "13", "14", "15", "16", "17", "18", "19", "21"};
    std::array<std::array<QString, 9>, 3> speeds;
    std::array<std::unique_ptr<chart::GanttSeries>, 3> series; // Series1 Small, Series2 Medium, Series3 Big

    DefaultGearing()
    {
        const QColor colors[3] = {QColor(0, 255, 0), QColor(255, 255, 0), QColor(255, 0, 0)};
        for (int i = 0; i < 3; ++i) {
            series[size_t(i)] = std::make_unique<chart::GanttSeries>();
            series[size_t(i)]->setObjectName(QStringLiteral("Series%1").arg(i + 1));
            series[size_t(i)]->setColor(colors[i]);
            series[size_t(i)]->setOrderedByStart(i != 1);
        }
        feed();
    }
    chart::GanttSeries &small() { return *series[0]; }
    chart::GanttSeries &medium() { return *series[1]; }
    chart::GanttSeries &big() { return *series[2]; }

    void feed() { calc::recalculate(*this, *this, *this, u'.'); }

    QString chainringText(calc::Chainring r) const override
    {
        return r == calc::Chainring::Big ? QStringLiteral("53")
                                         : (r == calc::Chainring::Medium ? QStringLiteral("42") : QStringLiteral("32"));
    }
    QString sprocketText(int row) const override { return sprockets[size_t(row - 1)]; }
    int circumference() const override { return 210; }
    int cadence() const override { return 100; }
    int unitIndex() const override { return 0; }
    QString unitText() const override { return QStringLiteral("Km/t"); }
    int minCadence() const override { return 95; }
    int maxCadence() const override { return 105; }
    void setUnitLabels(const QString &) override {}
    void setGearInches(calc::Chainring, int, const QString &) override {}
    void setSpeed(calc::Chainring r, int row, const QString &t) override { speeds[size_t(r)][size_t(row - 1)] = t; }
    QString speedText(calc::Chainring r, int row) const override { return speeds[size_t(r)][size_t(row - 1)]; }
    void clearSeries(int s) override { series[size_t(s - 1)]->clear(); }
    void addBar(int s, double start, double end, double y) override { series[size_t(s - 1)]->addBar(start, end, y); }
};
