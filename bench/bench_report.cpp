// Generating the one-page report as a PDF file, against a trivial baseline
// (an empty PDF page) in the same run. Usage: bench_report [keep.pdf]

#include "chart/chart.h"
#include "report/print_report_form.h"
#include "report/string_grid.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFont>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

const int kRings[3] = {53, 42, 32};
const int kSprockets[9] = {12, 13, 14, 15, 16, 17, 18, 19, 21};

void fillReport(report::TPrintReportForm &form, report::StringGrid &grid, QObject &owner)
{
    grid.setRowCount(10);
    grid.setColCount(7);
    for (int c = 0; c < 3; ++c) {
        grid.setCell(1 + c, 0, QString::number(kRings[c]));
        grid.setCell(4 + c, 0, QString::number(kRings[c]));
    }
    const QColor colours[3] = {QColor(0, 255, 0), QColor(255, 255, 0), QColor(255, 0, 0)};
    for (int s = 0; s < 3; ++s) {
        auto *series = new chart::GanttSeries(&owner);
        series->setColor(colours[s]);
        for (int sprocket : kSprockets) {
            const double speed = 11.34 * kRings[2 - s] / sprocket;
            series->addBar(speed * 0.95, speed * 1.05, sprocket);
        }
        form.QRDBChart1->addSeries(series);
    }
    for (int r = 1; r <= 9; ++r) {
        grid.setCell(0, r, QString::number(kSprockets[r - 1]));
        for (int c = 0; c < 3; ++c) {
            const double inches = 26.6 * kRings[c] / kSprockets[r - 1];
            grid.setCell(1 + c, r, QString::number(inches, 'f', 1));
            grid.setCell(4 + c, r, QString::number(inches * 0.4, 'f', 1));
        }
    }
    form.QRLabel1->setCaption(QStringLiteral("Ratiomat"));
    form.QRLabel12->setCaption(QStringLiteral("Km/t"));
    form.setStringGrid1(&grid);
}

template <typename F> std::vector<double> timeRuns(int runs, F &&run)
{
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        run();
        ms.push_back(t.nsecsElapsed() / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return ms;
}

void printFigures(const char *what, const std::vector<double> &ms)
{
    std::printf("%-28s median %7.2f ms   min %7.2f ms   max %7.2f ms   (%zu runs)\n", what, ms[ms.size() / 2],
                ms.front(), ms.back(), ms.size());
}

} // namespace

int main(int argc, char **argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QFont::insertSubstitutions(QStringLiteral("Arial"), {QStringLiteral("Liberation Sans")});
    QTemporaryDir dir;
    const QString file = argc > 1 ? QString::fromLocal8Bit(argv[1]) : dir.filePath(QStringLiteral("report.pdf"));

    QObject owner;
    report::StringGrid grid;
    report::TPrintReportForm form;
    fillReport(form, grid, owner);

    const int runs = 30;
    const auto baseline = timeRuns(runs, [&] {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath(QStringLiteral("empty.pdf")));
        QPainter painter(&printer);
    });
    int lines = 0;
    const auto reportRuns = timeRuns(runs, [&] {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
        lines = form.QuickRep1->print(printer);
    });

    printFigures("empty PDF page (baseline)", baseline);
    printFigures("report page as PDF", reportRuns);
    std::printf("detail lines per page: %d; target < 50 ms: %s\n", lines,
                reportRuns[reportRuns.size() / 2] < 50.0 ? "met" : "MISSED");
    return 0;
}
