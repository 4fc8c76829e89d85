#pragma once

class QObject;
class QWidget;

namespace report {

class StringGrid;

// Copies what the main window shows into the 10 x 7 report table: row 0 the
// chainring texts twice after an empty cell, rows 1..9 the sprocket text,
// the three gear-inch captions and the three speed captions. The texts are
// copied as shown: nothing is parsed or reformatted. Components are found
// by name among the window's own, names compared without regard to case.
// Throws core::AppError when a component is missing or of the wrong kind.
void fillReportTable(StringGrid &table, const QWidget &window);

} // namespace report
