#include "report_table.h"

#include "report_source.h"
#include "string_grid.h"

namespace report {

void fillReportTable(StringGrid &table, const ReportSource &window)
{
    table.setRowCount(10);
    table.setColCount(7);
    table.setCell(0, 0, QString());
    for (calc::Chainring ring : calc::kChainrings) {
        const int column = 1 + int(calc::ringIndex(ring));
        table.setCell(column, 0, window.chainringText(ring));
        table.setCell(column + 3, 0, window.chainringText(ring));
        for (int row = 1; row <= calc::kSprocketRows; ++row) {
            table.setCell(column, row, window.gearInchesText(ring, row));
            table.setCell(column + 3, row, window.speedText(ring, row));
        }
    }
    for (int row = 1; row <= calc::kSprocketRows; ++row)
        table.setCell(0, row, window.sprocketText(row));
}

} // namespace report
