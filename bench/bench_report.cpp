// Generating the one-page report as a PDF file from the report tests'
// stand-in for the main window, against the least that writes the same
// page: the heading, the table's texts, 27 bars and the footer painted on a
// PDF page by a bare QPainter. Usage: bench_report [keep.pdf]

#include "bench_result.h"
#include "chart/chart.h"
#include "report/preview_report.h"
#include "report/report_form.h"
#include "report/tests/report_fixture.h"

#include <QApplication>
#include <QFont>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>

namespace {

// The report form filled from the window as the Report command fills it.
void fillReport(report::ReportForm &form, report_test::MainWindowStandIn &window)
{
    report::fillReportChart(form, *window.chart, window);
    form.setTitle(QStringLiteral("Ratiomat"));
    form.setUnitHeading(window.unitText());
    form.setDetailTable(window.grid);
}

// The same page's contents with a bare QPainter.
void paintBarePage(QPrinter &printer, const report::StringGrid &grid)
{
    QPainter p(&printer);
    const QRect page = p.viewport();
    const int line = page.height() / 45;
    p.setFont(QFont(QStringLiteral("Liberation Sans"), 14));
    p.drawText(QRect(0, line, page.width(), 2 * line), Qt::AlignCenter, QStringLiteral("Ratiomat"));
    p.setFont(QFont(QStringLiteral("Liberation Sans"), 10));
    const QRect plot(page.width() / 10, 4 * line, page.width() * 8 / 10, 16 * line);
    p.drawRect(plot);
    const QColor colours[3] = {QColor(0, 255, 0), QColor(255, 255, 0), QColor(255, 0, 0)};
    for (int bar = 0; bar < 27; ++bar) {
        const QRect r(plot.left() + (bar * 37) % (plot.width() - plot.width() / 8),
                      plot.top() + (bar % 9) * line * 16 / 9, plot.width() / 8, line);
        p.fillRect(r, colours[bar / 9]);
        p.drawRect(r);
    }
    for (int row = 0; row < grid.rowCount(); ++row)
        for (int col = 0; col < grid.colCount(); ++col)
            p.drawText(QRect(page.width() * col / 8 + page.width() / 16, (23 + row) * line, page.width() / 8, line),
                       Qt::AlignLeft, grid.cell(col, row));
    p.drawText(QRect(0, 43 * line, page.width(), line), Qt::AlignCenter, report::ReportForm::kCopyright);
}

} // namespace

int main(int argc, char **argv)
{
    bench::offscreenUnlessChosen();
    QApplication app(argc, argv);
    QFont::insertSubstitutions(QStringLiteral("Arial"), {QStringLiteral("Liberation Sans")});
    QTemporaryDir dir;
    const QString file = argc > 1 ? QString::fromLocal8Bit(argv[1]) : dir.filePath(QStringLiteral("report.pdf"));

    report_test::MainWindowStandIn window;
    report::ReportForm form;
    fillReport(form, window);

    const double baseline = bench::medianMs(15, 1, [&] {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath(QStringLiteral("bare.pdf")));
        paintBarePage(printer, *window.grid);
    });
    int lines = 0;
    const double ours = bench::medianMs(15, 1, [&] {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
        lines = form.reportPage()->print(printer);
    });

    bench::Verdicts v;
    v.check("report: all 10 table lines printed", lines == 10);
    v.below("report page to PDF", ours, baseline, "ms", 20.0);
    return v.exitCode();
}
