#include "report_lifetime.h"

#include "chart/speed_range_series.h"
#include "report_form.h"
#include "string_grid.h"

#include <utility>

namespace report {

namespace {

QPointer<ReportForm> &current()
{
    static QPointer<ReportForm> form;
    return form;
}

int &row()
{
    static int detailRow = 0;
    return detailRow;
}

} // namespace

ReportForm *ReportLifetime::currentForm()
{
    return current().data();
}

std::unique_ptr<ReportForm> ReportLifetime::startForm()
{
    std::unique_ptr<ReportForm> form(new ReportForm);
    current() = form.get();
    return form;
}

void ReportLifetime::closeForm(std::unique_ptr<ReportForm> form)
{
    // Closing answers "free": the form goes at the next pass of the event loop.
    form.release()->close();
}

int ReportLifetime::detailRow()
{
    return row();
}

void ReportLifetime::restartDetailRows()
{
    row() = 0;
}

void ReportLifetime::advanceDetailRow()
{
    ++row();
}

chart::SpeedRangeSeries *ReportLifetime::newSeriesCopy(ReportForm &form, QObject &owner)
{
    auto *copy = new chart::SpeedRangeSeries(&owner);
    form.m_seriesCopies.append(copy);
    return copy;
}

void ReportLifetime::deleteSeriesCopies(ReportForm &form)
{
    for (const QPointer<QObject> &copy : std::exchange(form.m_seriesCopies, {}))
        delete copy.data();
}

} // namespace report
