#pragma once

#include <array>
#include <cstddef>

// How the program names the chainrings, and the one place each other count
// is derived from them: the window's tables list the rings biggest first,
// the chart's series smallest first, and the stored teeth fields keep the
// small ring's field last.
namespace calc {

enum class Chainring { Big = 0, Medium = 1, Small = 2 };
inline constexpr std::array<Chainring, 3> kChainrings{Chainring::Big, Chainring::Medium, Chainring::Small};
inline constexpr int kSprocketRows = 9; // rows 1..9
inline constexpr int kSeriesCount = 3;  // series 1..3

// A chainring's place in the window's tables: 0 Big, 1 Medium, 2 Small.
constexpr std::size_t ringIndex(Chainring ring)
{
    return static_cast<std::size_t>(ring);
}

// The chart series a chainring's bars go to: Series1 Small, Series2
// Medium, Series3 Big.
constexpr int seriesNumber(Chainring ring)
{
    return kSeriesCount - static_cast<int>(ring);
}

// The chainring whose bars a series (1..3) holds.
constexpr Chainring seriesChainring(int series)
{
    return static_cast<Chainring>(kSeriesCount - series);
}

// The stored number of a chainring's teeth field: MaskEdit1 Big, MaskEdit2
// Medium, MaskEdit12 Small.
constexpr int chainringFieldNumber(Chainring ring)
{
    return ring == Chainring::Small ? 12 : static_cast<int>(ring) + 1;
}

// The stored number of a sprocket row's teeth field: MaskEdit3 (row 1) ..
// MaskEdit11 (row 9).
constexpr int sprocketFieldNumber(int row)
{
    return row + 2;
}

inline constexpr int kTeethFieldCount = 12; // MaskEdit1..MaskEdit12

static_assert(seriesChainring(1) == Chainring::Small && seriesChainring(3) == Chainring::Big);
static_assert(seriesNumber(seriesChainring(2)) == 2);
static_assert(sprocketFieldNumber(kSprocketRows) + 1 == chainringFieldNumber(Chainring::Small));

} // namespace calc
