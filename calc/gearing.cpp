#include "gearing.h"

#include "decimal.h"
#include "platform/errors.h"

#include <array>
#include <cmath>
#include <optional>

namespace calc {

namespace {

constexpr std::array<Chainring, 3> kRings{Chainring::Big, Chainring::Medium, Chainring::Small};

// A guarded block: runs until its first failure and swallows it.
template <typename F> void guardedBlock(F &&body)
{
    try {
        body();
    } catch (const platform::AppError &) {
    }
}

long double parseTeeth(const QString &text, QChar separator)
{
    const std::optional<long double> v = parseDecimal(text, separator);
    if (!v)
        throw platform::AppError(QStringLiteral("'%1' is not a valid floating point value").arg(text));
    return *v;
}

// A result beyond the range of the type it is kept in is an overflow
// error, as the arithmetic would raise it, never an infinite value.
long double finite(long double v)
{
    if (!std::isfinite(v))
        throw platform::MathError(platform::kOverflow);
    return v;
}

double toDouble(long double v)
{
    const double d = static_cast<double>(finite(v));
    if (!std::isfinite(d))
        throw platform::MathError(platform::kOverflow);
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
        throw platform::MathError(numerator == 0 || numerator != numerator ? platform::kInvalidOperation
                                                                           : platform::kDivisionByZero);
    }
    return numerator / denominator;
}

void recalculate(const GearInputs &in, ResultCells &out, SeriesFeed &series, QChar separator)
{
    out.setUnitLabels(in.unitText());
    const double d = wheelDiameter(in.circumference());
    const double k = speedFactor(in.circumference(), in.unitIndex());

    guardedBlock([&] { // A: gear inches
        for (Chainring ring : kRings)
            for (int row = 1; row <= kSprocketRows; ++row) {
                const long double c = parseTeeth(in.chainringText(ring), separator);
                const long double cd = finite(c * static_cast<long double>(d));
                const long double s = parseTeeth(in.sprocketText(row), separator);
                out.setGearInches(ring, row, formatOneDecimal(finite(divide(cd, s)), separator));
            }
    });
    guardedBlock([&] { // B: speeds
        for (Chainring ring : kRings)
            for (int row = 1; row <= kSprocketRows; ++row) {
                const long double c = parseTeeth(in.chainringText(ring), separator);
                const long double nk = static_cast<long double>(in.cadence()) * static_cast<long double>(k);
                const long double s = parseTeeth(in.sprocketText(row), separator);
                out.setSpeed(ring, row, formatOneDecimal(finite(divide(finite(nk * c), s)), separator));
            }
    });
    feedSeries(in, out, series, separator);
}

void feedSeries(const GearInputs &in, const ResultCells &cells, SeriesFeed &series, QChar separator)
{
    // Not guarded: a cadence of 0 ends the recalculation here, with the
    // series keeping their bars.
    const double rmin = static_cast<double>(divide(in.minCadence(), in.cadence()));
    const double rmax = static_cast<double>(divide(in.maxCadence(), in.cadence()));

    for (int s = 1; s <= 3; ++s)
        series.clearSeries(s);

    // Blocks C, D, E: Small into Series1, Medium into Series2, Big into Series3.
    constexpr std::array<Chainring, 3> feedOrder{Chainring::Small, Chainring::Medium, Chainring::Big};
    for (int s = 1; s <= 3; ++s) {
        const Chainring ring = feedOrder[static_cast<size_t>(s - 1)];
        guardedBlock([&] {
            for (int row = 1; row <= kSprocketRows; ++row) {
                const double start =
                    toDouble(parseTeeth(cells.speedText(ring, row), separator) * static_cast<long double>(rmin));
                const double end =
                    toDouble(parseTeeth(cells.speedText(ring, row), separator) * static_cast<long double>(rmax));
                const std::optional<int> y = parseInteger(in.sprocketText(row));
                if (!y)
                    throw platform::AppError(
                        QStringLiteral("'%1' is not a valid integer value").arg(in.sprocketText(row)));
                series.addBar(s, start, end, static_cast<double>(*y));
            }
        });
    }
}

} // namespace calc
