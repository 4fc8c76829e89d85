// Painting cost of the speed-range chart: one full repaint of the default
// chart at its stored size (flat, 3D, gradient), an animated zoom with all
// its frames, and a bare widget's repaint as the baseline of the same run.
// Pass a folder name to also write the three pictures there as PNG files.
#include "chart/chart.h"
#include "chart/tests/gearing_fixture.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QWidget>
#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

// The best of five batches: the machine is shared, and other work only ever
// adds time.
double averageMs(int runs, const std::function<void()> &work)
{
    work(); // warm up caches and fonts
    const int batch = std::max(1, runs / 5);
    double best = 1e300;
    for (int b = 0; b < 5; ++b) {
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < batch; ++i)
            work();
        best = std::min(best, double(timer.nsecsElapsed()) / 1e6 / batch);
    }
    return best;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString dumpFolder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    constexpr int runs = 500;

    QWidget bare;
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

    std::printf("Chart repaint at 528 x 308, ms per repaint (best of 5 batches of %d):\n", runs / 5);
    std::printf("  bare QWidget baseline   %8.4f\n", averageMs(runs, [&] { bare.repaint(); }));
    const struct
    {
        const char *name;
        bool view3D, gradient;
    } modes[] = {{"flat", false, false}, {"3D", true, false}, {"gradient", false, true}};
    for (const auto &mode : modes) {
        chart.setView3D(mode.view3D);
        chart.setGradientVisible(mode.gradient);
        std::printf("  chart %-17s %8.4f   (picture %8.4f)\n", mode.name, averageMs(runs, [&] { chart.repaint(); }),
                    averageMs(runs / 5, [&] { (void)chart.picture(); }));
        if (!dumpFolder.isEmpty())
            chart.picture().save(QDir(dumpFolder).filePath(QStringLiteral("chart-%1.png").arg(mode.name)));
    }
    chart.setView3D(false);
    chart.setGradientVisible(false);

    // Each zoom starts from the start-up scaling; the resets are not timed.
    int frames = 0;
    double zoomMs = 1e300;
    for (int i = 0; i < runs / 10; ++i) {
        chart.resetZoom();
        const int before = chart.framesPainted();
        QElapsedTimer timer;
        timer.start();
        chart.zoomByPercent(110);
        zoomMs = std::min(zoomMs, double(timer.nsecsElapsed()) / 1e6);
        frames = chart.framesPainted() - before;
    }
    std::printf("  animated zoom in        %8.4f   (%d frames painted, best of %d)\n", zoomMs, frames, runs / 10);
    return frames == 8 ? 0 : 1;
}
