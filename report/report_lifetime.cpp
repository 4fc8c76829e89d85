#include "report_lifetime.h"

#include "chart/speed_range_series.h"
#include "report_form.h"
#include "string_grid.h"

#include <QHash>
#include <QList>
#include <QPointer>

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

QHash<const ReportForm *, QList<QPointer<QObject>>> &copies()
{
    static QHash<const ReportForm *, QList<QPointer<QObject>>> byForm;
    return byForm;
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
    copies()[&form].append(copy);
    return copy;
}

void ReportLifetime::deleteSeriesCopies(const ReportForm &form)
{
    const QList<QPointer<QObject>> made = copies().take(&form);
    for (const QPointer<QObject> &copy : made)
        delete copy.data();
}

} // namespace report
