#pragma once

#include <memory>

class QObject;

namespace chart {
class SpeedRangeSeries;
}

namespace report {

class ReportForm;

// Who owns the parts of a report and when each of them dies: the report
// form, the detail line counter and the series copies.
class ReportLifetime
{
public:
    ReportLifetime() = delete;

    // The report form: the Report command makes it with startForm() and owns
    // it while it fills and previews it. A failure on the way deletes it at
    // once, with the series copies made so far, so the next command starts
    // clean; closeForm() closes it after the preview, which frees it at the
    // next pass of the event loop. currentForm() follows the latest form
    // process-wide and reads null once that form has gone: a second Report
    // command while a preview is open takes it over, and when that command
    // fails it reads null although the open preview's form lives on.
    static ReportForm *currentForm();
    static std::unique_ptr<ReportForm> startForm();
    static void closeForm(std::unique_ptr<ReportForm> form);

    // The detail line counter: one for the whole process, zeroed at the
    // start of each generation of any report form and advanced once for
    // every detail line asked for.
    static int detailRow();
    static void restartDetailRows();
    static void advanceDetailRow();

    // The series copies: parented to the main window (owner), whose component
    // names they then take, which is what makes a second Report command fail
    // while a preview is open; yet deleted with the report form that draws
    // them, by its destructor through deleteSeriesCopies(), unless they have
    // gone before.
    static chart::SpeedRangeSeries *newSeriesCopy(ReportForm &form, QObject &owner);
    static void deleteSeriesCopies(ReportForm &form);
};

} // namespace report
