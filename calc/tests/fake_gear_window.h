#pragma once

#include "calc/gearing.h"

#include <QString>
#include <array>
#include <vector>

// The main window's fields and cells as plain arrays, for driving the gear
// arithmetic without widgets: the default gearing (53/42/32 on 12..19 and
// 21, 210 cm, 100 rpm, km/h, cadences 95 and 105), every cell "old" until
// written, and the bars each series is fed. Tests, the fuzz target and the
// chart fixture override what they check or feed elsewhere.
struct FakeGearWindow : calc::GearInputs, calc::ResultCells, calc::SeriesFeed
{
    struct Bar
    {
        double start, end, y;
    };

    std::array<QString, 3> rings{"53", "42", "32"}; // Big, Medium, Small
    std::array<QString, 9> sprockets{"12", "13", "14", "15", "16", "17", "18", "19", "21"};
    int circ = 210, cad = 100, unit = 0, minCad = 95, maxCad = 105;
    std::array<std::array<QString, 9>, 3> inches, speeds;
    QString unitLabels;
    std::array<std::vector<Bar>, 3> bars; // Series1..3

    FakeGearWindow()
    {
        for (auto *cells : {&inches, &speeds})
            for (auto &col : *cells)
                col.fill(QStringLiteral("old"));
    }

    QString chainringText(calc::Chainring r) const override { return rings[size_t(r)]; }
    QString sprocketText(int row) const override { return sprockets[size_t(row - 1)]; }
    int circumference() const override { return circ; }
    int cadence() const override { return cad; }
    int unitIndex() const override { return unit; }
    QString unitText() const override { return unit == 0 ? QStringLiteral("Km/t") : QStringLiteral("Mph"); }
    int minCadence() const override { return minCad; }
    int maxCadence() const override { return maxCad; }

    void setUnitLabels(const QString &u) override { unitLabels = u; }
    void setGearInches(calc::Chainring r, int row, const QString &t) override
    {
        inches[size_t(r)][size_t(row - 1)] = t;
    }
    void setSpeed(calc::Chainring r, int row, const QString &t) override { speeds[size_t(r)][size_t(row - 1)] = t; }
    QString speedText(calc::Chainring r, int row) const override { return speeds[size_t(r)][size_t(row - 1)]; }

    void clearSeries(int s) override { bars[size_t(s - 1)].clear(); }
    void addBar(int s, double start, double end, double y) override { bars[size_t(s - 1)].push_back({start, end, y}); }

    void recalc(QChar sep = u'.') { calc::recalculate(*this, *this, *this, sep); }
    QString inch(calc::Chainring r, int row) const { return inches[size_t(r)][size_t(row - 1)]; }
    QString speed(calc::Chainring r, int row) const { return speeds[size_t(r)][size_t(row - 1)]; }
};
