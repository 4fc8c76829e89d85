#pragma once

#include "calc/chainring.h"

#include <QString>

namespace report {

// What the report reads of the window it reports on, as the window shows it:
// the unit over the speed columns, the tooth counts and the result cells
// (rows 1 to 9). The texts are copied as they stand, never parsed. The main
// window implements it over its widgets.
class ReportSource
{
public:
    virtual QString unitText() const = 0;
    virtual QString chainringText(calc::Chainring ring) const = 0;
    virtual QString sprocketText(int row) const = 0;
    virtual QString gearInchesText(calc::Chainring ring, int row) const = 0;
    virtual QString speedText(calc::Chainring ring, int row) const = 0;

protected:
    ReportSource() = default;
    ~ReportSource() = default;
    ReportSource(const ReportSource &) = default;
    ReportSource &operator=(const ReportSource &) = default;
};

} // namespace report
