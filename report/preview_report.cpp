#include "preview_report.h"

#include "chart/chart.h"
#include "core/errors.h"
#include "i18n/components.h"
#include "platform/error_display.h"
#include "printers.h"
#include "report_form.h"
#include "report_lifetime.h"
#include "report_preview_window.h"
#include "report_source.h"
#include "string_grid.h"

#include <QEventLoop>
#include <QPrinter>
#include <memory>
#include <utility>

namespace report {

namespace {

// Shows the preview and waits until the user has closed it, keeping the
// application's events flowing; every generation re-runs the report's
// events, and a print that cannot be written is reported, not swallowed.
// Printing leaves the preview open. Everything the preview made goes with
// it when it closes.
void runPreview(ReportForm &form, QWidget &mainWindow)
{
    QPrinter printer(QPrinter::HighResolution);
    selectPrinter(printer, PrinterChoice{form.reportPage()->printerName()});
    ReportPage::applyPageLayout(printer);

    auto *dialog = new ReportPreviewWindow(&printer, &mainWindow);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowModality(Qt::NonModal);
    QPointer<ReportForm> report(&form);
    QObject::connect(dialog, &ReportPreviewWindow::paintRequested, dialog,
                     platform::guarded([report](QPrinter *target) {
                         if (report)
                             report->reportPage()->print(*target);
                     }));

    QEventLoop loop;
    QObject::connect(dialog, &QObject::destroyed, &loop, &QEventLoop::quit);
    dialog->show();
    loop.exec();
}

} // namespace

void fillReportChart(ReportForm &form, const chart::Chart &sourceChart, QObject &owner)
{
    chart::Chart &reportChart = *form.reportChart();
    reportChart.copySettingsFrom(sourceChart);
    for (chart::SpeedRangeSeries *source : sourceChart.seriesList()) {
        chart::SpeedRangeSeries *copy = ReportLifetime::newSeriesCopy(form, owner);
        copy->copySettingsFrom(*source);
        const QString name = source->objectName() + QStringLiteral("copy");
        if (i18n::findComponentByName(owner, name))
            throw core::AppError(QStringLiteral("A component named %1 already exists").arg(name));
        copy->setObjectName(name);
        reportChart.addSeries(copy);
    }
    // The bars, each copy's from the series at its place in the source chart.
    const QList<chart::SpeedRangeSeries *> copies = reportChart.seriesList();
    const QList<chart::SpeedRangeSeries *> sources = sourceChart.seriesList();
    for (qsizetype k = 0; k < copies.size(); ++k) {
        copies[k]->clear();
        const chart::SpeedRangeSeries &source = *sources[k];
        for (int i = 0; i < source.count(); ++i)
            copies[k]->addBar(source.startValue(i), source.endValue(i), source.yValue(i), QString());
    }
    reportChart.update();
}

void previewReport(QWidget &mainWindow, const ReportSource &source, chart::Chart &chart, StringGrid &grid,
                   const QString &title)
{
    // Released on any failure below, with the copies made so far.
    std::unique_ptr<ReportForm> form = ReportLifetime::startForm();
    fillReportChart(*form, chart, mainWindow);

    form->setTitle(title);
    form->setUnitHeading(source.unitText());
    form->setDetailTable(&grid);
    form->reportPage()->setPrinterName(currentPrinter().printerName);

    runPreview(*form, mainWindow);
    ReportLifetime::closeForm(std::move(form));
}

} // namespace report
