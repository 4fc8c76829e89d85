#pragma once

#include "chainring.h"

#include <QChar>
#include <QString>

// The gear arithmetic: gear inches and road speed of every chainring and
// sprocket combination, and the speed-range bars of the chart. Plain C++:
// the window supplies the field texts and receives the cell texts through
// the three small interfaces below, tests supply plain arrays.
namespace calc {

// 2.54 x pi held to extended precision: wheel circumference in cm to
// diameter in inches.
inline constexpr long double kCmPerInchTimesPi = 7.979645340118074826L;

// Where the recalculation reads its inputs. Texts are read afresh for every
// cell, as the fields show them at that moment.
class GearInputs
{
public:
    virtual ~GearInputs() = default;
    virtual QString chainringText(Chainring ring) const = 0;
    virtual QString sprocketText(int row) const = 0; // row 1..9
    virtual int circumference() const = 0;           // cm
    virtual int cadence() const = 0;                 // rpm
    virtual int unitIndex() const = 0;               // 0 km/h, 1 mph
    virtual QString unitText() const = 0;            // caption of the chosen unit
    virtual int minCadence() const = 0;
    virtual int maxCadence() const = 0;
};

// Where the results go. speedText reads back what a speed cell shows.
class ResultCells
{
public:
    virtual ~ResultCells() = default;
    virtual void setUnitLabels(const QString &unit) = 0;
    virtual void setGearInches(Chainring ring, int row, const QString &text) = 0;
    virtual void setSpeed(Chainring ring, int row, const QString &text) = 0;
    virtual QString speedText(Chainring ring, int row) const = 0;
};

// The chart's three speed-range series, numbered as seriesNumber() does.
class SeriesFeed
{
public:
    virtual ~SeriesFeed() = default;
    virtual void clearSeries(int series) = 0;
    virtual void addBar(int series, double start, double end, double y) = 0;
};

// The wheel's diameter in inches, from its circumference in cm.
double wheelDiameter(int circumference);
// The speed factor: the road speed, in km/h (unit 0) or mph (unit 1), of
// one wheel revolution a minute.
double speedFactor(int circumference, int unitIndex);

// Extended division that reports a zero divisor as the arithmetic would:
// "Floating point division by zero", or "Invalid floating point operation"
// for 0 / 0. Throws core::MathError.
long double divide(long double numerator, long double denominator);

// One whole recalculation: unit labels, the gear inches, the speeds at the
// cadence, then the chart feed. The gear inches and the speeds each stop
// silently at their first failure, leaving later cells as they were. A
// cadence of 0 fails the chart feed's cadence ratio and throws, after the
// tables are written and before the series are touched.
void recalculate(const GearInputs &in, ResultCells &out, SeriesFeed &series, QChar separator);

// The chart feed alone (the last stage of recalculate).
void feedSeries(const GearInputs &in, const ResultCells &cells, SeriesFeed &series, QChar separator);

} // namespace calc
