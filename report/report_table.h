#pragma once

namespace report {

class ReportSource;
class StringGrid;

// Copies what the window shows into the 10 x 7 report table: row 0 the
// chainring texts twice after an empty cell, rows 1..9 the sprocket text,
// the three gear-inch texts and the three speed texts (big, medium, small
// chainring). The texts are copied as shown: nothing is parsed or
// reformatted.
void fillReportTable(StringGrid &table, const ReportSource &window);

} // namespace report
