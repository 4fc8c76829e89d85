#pragma once

#include <QString>

class QObject;
class QWidget;

namespace chart {
class Chart;
}

namespace report {

class ReportForm;
class ReportSource;
class StringGrid;

// Gives the form's report chart the source chart's settings and copies of
// its series with their bars, in list order: each copy is owned by owner,
// carries every setting of its source and is named as the source with
// "copy" appended. A name the owner already has (a report still being
// previewed) throws core::AppError("A component named <name> already
// exists"). The copies die with the form (ReportLifetime).
void fillReportChart(ReportForm &form, const chart::Chart &sourceChart, QObject &owner);

// The Report command's preview: builds a fresh report form with a copy of
// the chart and the bars of its series (owned by the main window), the title
// as heading, the source's unit over the speed columns and the table as
// detail lines, shows it in a non-modal print preview over the main window
// and returns when that has been closed; the main window stays usable
// meanwhile.
// Printing and printer set-up are the preview's. The report form and its
// series copies are released afterwards, and also when a step fails
// (ReportLifetime); the failure is thrown as core::AppError.
void previewReport(QWidget &mainWindow, const ReportSource &source, chart::Chart &chart, StringGrid &grid,
                   const QString &title);

} // namespace report
