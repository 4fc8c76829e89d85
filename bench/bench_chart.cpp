// Painting cost of the speed-range chart: one full repaint of the default
// chart at its stored size (flat, 3D, gradient) against 27 bars and the axis
// texts painted by a bare QPainter on a widget of the same size, and an
// animated zoom with all its frames. Pass a folder name to also write the
// three pictures there as PNG files.
#include "bare_chart.h"
#include "bench_result.h"
#include "chart/chart.h"
#include "chart/tests/gearing_fixture.h"

#include <QApplication>
#include <QDir>
#include <QWidget>

namespace {

class BareChart : public QWidget
{
protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        bench::paintBareChart(p, rect());
    }
};

} // namespace

int main(int argc, char **argv)
{
    bench::offscreenUnlessChosen();
    QApplication app(argc, argv);
    const QString dumpFolder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();

    BareChart bare;
    bare.resize(528, 308);
    bare.show();

    DefaultGearing gearing;
    chart::Chart chart;
    chart.resize(528, 308);
    for (auto &s : gearing.series)
        chart.addSeries(s.get());
    chart.setBottomAxisTitle(QStringLiteral("Km/t"));
    chart.show();
    QApplication::processEvents();

    bench::Verdicts v;
    const double baseline = bench::medianMs(31, 10, [&] { bare.repaint(); });
    const struct
    {
        const char *name, *file;
        bool view3D, gradient;
    } modes[] = {{"chart repaint, flat", "flat", false, false},
                 {"chart repaint, 3D", "3D", true, false},
                 {"chart repaint, gradient", "gradient", false, true}};
    for (const auto &mode : modes) {
        chart.setView3D(mode.view3D);
        chart.setGradientVisible(mode.gradient);
        v.info(mode.name, bench::medianMs(31, 10, [&] { chart.repaint(); }), baseline, "ms");
        if (!dumpFolder.isEmpty())
            chart.picture().save(
                QDir(dumpFolder).filePath(QStringLiteral("chart-%1.png").arg(QLatin1String(mode.file))));
    }
    chart.setView3D(false);
    chart.setGradientVisible(false);

    // Each zoom starts from the start-up scaling; the resets are not timed.
    int frames = 0;
    std::vector<double> zooms;
    for (int i = 0; i < 31; ++i) {
        chart.resetZoom();
        const int before = chart.framesPainted();
        const double start = bench::threadCpuMs();
        chart.zoomByPercent(110);
        zooms.push_back(bench::threadCpuMs() - start);
        frames = chart.framesPainted() - before;
    }
    v.check("animated zoom: 8 frames painted", frames == 8);
    v.below("animated zoom in, 8 frames", bench::median(zooms), 8 * baseline, "ms", 5.0);
    return v.exitCode();
}
