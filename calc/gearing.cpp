#include "gearing.h"

#include "core/decimal.h"
#include "core/errors.h"

#include <cmath>
#include <optional>

namespace calc {

namespace {

// A guarded block: runs until its first failure and swallows it.
template <typename F> void guardedBlock(F &&body)
{
    try {
        body();
    } catch (const core::AppError &) {
    }
}

long double parseTeeth(const QString &text, QChar separator)
{
    const std::optional<long double> v = core::parseDecimal(text, separator);
    if (!v)
        throw core::AppError(QStringLiteral("'%1' is not a valid floating point value").arg(text));
    return *v;
}

// A result beyond the range of the type it is kept in is an overflow
// error, as the arithmetic would raise it, never an infinite value.
long double finite(long double v)
{
    if (!std::isfinite(v))
        throw core::MathError(core::kOverflow);
    return v;
}

double toDouble(long double v)
{
    const double d = static_cast<double>(finite(v));
    if (!std::isfinite(d))
        throw core::MathError(core::kOverflow);
    return d;
}

} // namespace

double wheelDiameter(int circumference)
{
    return static_cast<double>(static_cast<long double>(circumference) / kCmPerInchTimesPi);
}

double speedFactor(int circumference, int unitIndex)
{
    const long double metres = static_cast<long double>(circumference) / 100 * 60;
    return static_cast<double>(unitIndex == 0 ? metres / 1000 : metres / 1609);
}

long double divide(long double numerator, long double denominator)
{
    if (denominator == 0) {
        throw core::MathError(numerator == 0 || numerator != numerator ? core::kInvalidOperation
                                                                       : core::kDivisionByZero);
    }
    return numerator / denominator;
}

void recalculate(const GearInputs &in, ResultCells &out, SeriesFeed &series, QChar separator)
{
    out.setUnitLabels(in.unitText());
    const double wheelDiameterInches = wheelDiameter(in.circumference());
    const double speedPerRpm = speedFactor(in.circumference(), in.unitIndex());

    // Gear inches: wheel diameter x chainring teeth / sprocket teeth.
    guardedBlock([&] {
        for (Chainring ring : kChainrings)
            for (int row = 1; row <= kSprocketRows; ++row) {
                const long double chainringTeeth = parseTeeth(in.chainringText(ring), separator);
                const long double ringInches = finite(chainringTeeth * static_cast<long double>(wheelDiameterInches));
                const long double sprocketTeeth = parseTeeth(in.sprocketText(row), separator);
                out.setGearInches(ring, row,
                                  core::formatOneDecimal(finite(divide(ringInches, sprocketTeeth)), separator));
            }
    });
    // Road speed at the cadence: cadence x speed factor (the wheel's speed
    // at a 1:1 gear) x chainring teeth / sprocket teeth.
    guardedBlock([&] {
        for (Chainring ring : kChainrings)
            for (int row = 1; row <= kSprocketRows; ++row) {
                const long double chainringTeeth = parseTeeth(in.chainringText(ring), separator);
                const long double cadenceSpeed =
                    static_cast<long double>(in.cadence()) * static_cast<long double>(speedPerRpm);
                const long double sprocketTeeth = parseTeeth(in.sprocketText(row), separator);
                out.setSpeed(ring, row,
                             core::formatOneDecimal(
                                 finite(divide(finite(cadenceSpeed * chainringTeeth), sprocketTeeth)), separator));
            }
    });
    feedSeries(in, out, series, separator);
}

void feedSeries(const GearInputs &in, const ResultCells &cells, SeriesFeed &series, QChar separator)
{
    // The cadence ratios: the lowest and the highest cadence over the
    // cadence the speeds were worked out at. Not guarded: a cadence of 0
    // ends the recalculation here, with the series keeping their bars.
    const double minCadenceRatio = static_cast<double>(divide(in.minCadence(), in.cadence()));
    const double maxCadenceRatio = static_cast<double>(divide(in.maxCadence(), in.cadence()));

    for (int number = 1; number <= kSeriesCount; ++number)
        series.clearSeries(number);

    // One bar a sprocket for each chainring, from the speed at the lowest
    // cadence to the speed at the highest: the small ring into Series1, the
    // medium into Series2, the big into Series3.
    for (int number = 1; number <= kSeriesCount; ++number) {
        const Chainring ring = seriesChainring(number);
        guardedBlock([&] {
            for (int row = 1; row <= kSprocketRows; ++row) {
                const double start = toDouble(parseTeeth(cells.speedText(ring, row), separator) *
                                              static_cast<long double>(minCadenceRatio));
                const double end = toDouble(parseTeeth(cells.speedText(ring, row), separator) *
                                            static_cast<long double>(maxCadenceRatio));
                const std::optional<int> y = core::parseInteger(in.sprocketText(row));
                if (!y)
                    throw core::AppError(QStringLiteral("'%1' is not a valid integer value").arg(in.sprocketText(row)));
                series.addBar(number, start, end, static_cast<double>(*y));
            }
        });
    }
}

} // namespace calc
