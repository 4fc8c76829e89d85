#include "chart/chart.h"
#include "core/errors.h"
#include "core/tests/error_of.h"
#include "core/tests/reference_image.h"
#include "fake_picture_sink.h"
#include "gearing_fixture.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>

using namespace chart;

namespace {

// The chart as the main window sets it up, at its stored size.
struct ShownChart
{
    DefaultGearing gearing;
    Chart chart;
    explicit ShownChart(bool show = true)
    {
        chart.setObjectName(QStringLiteral("Chart1"));
        chart.resize(528, 308);
        for (auto &s : gearing.series)
            chart.addSeries(s.get());
        chart.setBottomAxisTitle(QStringLiteral("Km/t"));
        if (show) {
            chart.show();
            QVERIFY(QTest::qWaitForWindowExposed(&chart));
        }
    }
    // A pixel of the picture, addressed in chart coordinates (the picture
    // starts inside the one-pixel border).
    static QColor at(const QImage &picture, int x, int y) { return picture.pixelColor(x - 1, y - 1); }
    // Where a bar lies: its first column, its last column, its row.
    struct BarPixels
    {
        int x0, x2h, y;
    };
    BarPixels bar(const SpeedRangeSeries &s, int index) const
    {
        const ChartLayout layout = chart.currentLayout();
        const int x0 = layout.scale(AxisId::Bottom).toPixel(s.startValue(index));
        const int x1 = layout.scale(AxisId::Bottom).toPixel(s.endValue(index));
        return {x0, x0 + 2 * ((x1 - x0) / 2), layout.scale(AxisId::Left).toPixel(s.yValue(index))};
    }
    void mouse(QEvent::Type type, QPoint pos, Qt::MouseButton button, Qt::MouseButtons held)
    {
        QMouseEvent event(type, pos, chart.mapToGlobal(pos), button, held, Qt::NoModifier);
        QApplication::sendEvent(&chart, &event);
    }
    void drag(Qt::MouseButton button, QPoint from, QPoint to)
    {
        mouse(QEvent::MouseButtonPress, from, button, button);
        mouse(QEvent::MouseMove, to, Qt::NoButton, button);
        mouse(QEvent::MouseButtonRelease, to, button, Qt::NoButton);
    }
};

const QColor kRed(255, 0, 0), kLime(0, 255, 0);

} // namespace

class TestChartView : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void animatedZoomPaintsSevenFramesThenTheFinal()
    {
        ShownChart f;
        QList<AxisLimits> frames;
        connect(&f.chart, &Chart::framePainted, this, [&] {
            frames.append({f.chart.axis(AxisId::Left).minimum(), f.chart.axis(AxisId::Left).maximum()});
        });
        f.chart.zoomByPercent(110);
        QCOMPARE(frames.size(), 8); // the frames themselves: the model's suite
        QCOMPARE(frames.last(), (AxisLimits{11.1, 19.9}));

        // Undo after two zooms paints the start-up scaling in one frame;
        // with nothing zoomed it only redraws. (The limits it restores: the
        // model's suite.)
        f.chart.zoomByPercent(110);
        frames.clear();
        f.chart.resetZoom();
        QCOMPARE(frames.size(), 1);
        QCOMPARE(frames.last(), (AxisLimits{10, 21}));
        f.chart.resetZoom();
        QCOMPARE(frames.size(), 2);
    }

    void leftDrag_data()
    {
        QTest::addColumn<bool>("zoomedFirst");
        QTest::addColumn<QPoint>("from");
        QTest::addColumn<QPoint>("to");
        QTest::addColumn<QString>("outcome");
        QTest::newRow("16 pixels wide: nothing") << false << QPoint(100, 100) << QPoint(116, 160) << "nothing";
        QTest::newRow("right and down: zoom") << false << QPoint(100, 100) << QPoint(200, 160) << "zoom";
        QTest::newRow("left and up: reset") << true << QPoint(200, 160) << QPoint(100, 100) << "reset";
    }
    void leftDrag()
    {
        QFETCH(bool, zoomedFirst);
        QFETCH(QPoint, from);
        QFETCH(QPoint, to);
        QFETCH(QString, outcome);
        ShownChart f;
        if (zoomedFirst)
            f.chart.zoomByPercent(110);
        const ChartLayout before = f.chart.currentLayout();
        f.drag(Qt::LeftButton, from, to);
        QVERIFY(!f.chart.zoomRectangleActive());
        const Axis &bottom = f.chart.axis(AxisId::Bottom);
        if (outcome == u"zoom") {
            QCOMPARE(bottom.minimum(), before.scale(AxisId::Bottom).toValue(100));
            QCOMPARE(bottom.maximum(), before.scale(AxisId::Bottom).toValue(200));
            QCOMPARE(f.chart.axis(AxisId::Left).minimum(), before.scale(AxisId::Left).toValue(160));
            QVERIFY(f.chart.model().snapshotPending());
        } else {
            QVERIFY(bottom.automatic());
            QVERIFY(!f.chart.model().snapshotPending());
        }
    }

    void zoomRectangleIsNotXorOutline()
    {
        ShownChart f;
        const QImage under = f.chart.picture();
        f.mouse(QEvent::MouseButtonPress, QPoint(100, 100), Qt::LeftButton, Qt::LeftButton);
        f.mouse(QEvent::MouseMove, QPoint(200, 160), Qt::NoButton, Qt::LeftButton);
        QVERIFY(f.chart.zoomRectangleActive());
        const QImage shown = f.chart.grab().toImage();
        const QRgb band = f.chart.backgroundColor().rgb();
        for (QPoint p : {QPoint(150, 100), QPoint(100, 130), QPoint(200, 160)}) {
            const QRgb below = ShownChart::at(under, p.x(), p.y()).rgb();
            QCOMPARE(shown.pixel(p) & 0xffffff, ~(band ^ below) & 0xffffff);
        }
        QCOMPARE(shown.pixelColor(150, 130), ShownChart::at(under, 150, 130)); // inside: untouched
        f.mouse(QEvent::MouseButtonRelease, QPoint(200, 160), Qt::LeftButton, Qt::NoButton);
    }

    void rightDragPansAndOpensMenu()
    {
        ShownChart f;
        QMenu menu;
        menu.addAction(QStringLiteral("Copy"));
        f.chart.setContextMenu(&menu);
        QPoint previous(200, 150);
        f.mouse(QEvent::MouseButtonPress, previous, Qt::RightButton, Qt::RightButton);
        for (QPoint next : {QPoint(230, 120), QPoint(180, 170), QPoint(180, 140)}) {
            const ChartLayout before = f.chart.currentLayout();
            f.mouse(QEvent::MouseMove, next, Qt::NoButton, Qt::RightButton);
            const ChartLayout after = f.chart.currentLayout();
            QVERIFY(qAbs(after.scale(AxisId::Bottom).toValue(next.x()) -
                         before.scale(AxisId::Bottom).toValue(previous.x())) < 1e-9);
            QVERIFY(qAbs(after.scale(AxisId::Left).toValue(next.y()) -
                         before.scale(AxisId::Left).toValue(previous.y())) < 1e-9);
            previous = next;
        }
        // Leaving the plot area ends the pan; coming back does not resume it.
        f.mouse(QEvent::MouseMove, QPoint(3, 3), Qt::NoButton, Qt::RightButton);
        QVERIFY(!f.chart.panActive());
        const Axis bottom = f.chart.axis(AxisId::Bottom);
        f.mouse(QEvent::MouseMove, QPoint(250, 150), Qt::NoButton, Qt::RightButton);
        QCOMPARE(f.chart.axis(AxisId::Bottom), bottom);
        QVERIFY(!menu.isVisible());
        f.mouse(QEvent::MouseButtonRelease, QPoint(250, 150), Qt::RightButton, Qt::NoButton);
        QVERIFY(menu.isVisible());
        menu.hide();
    }

    void allSeriesHiddenStartsNoGesture()
    {
        ShownChart f;
        for (auto &s : f.gearing.series)
            s->setActive(false);
        for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton}) {
            f.mouse(QEvent::MouseButtonPress, QPoint(200, 150), button, button);
            QVERIFY(!f.chart.zoomRectangleActive());
            QVERIFY(!f.chart.panActive());
            f.mouse(QEvent::MouseButtonRelease, QPoint(200, 150), button, Qt::NoButton);
        }
        // Only the plot frame is left: no labels below the plot.
        const QImage picture = f.chart.picture();
        const ChartLayout layout = f.chart.currentLayout();
        for (int y = layout.plot.bottom() + 1; y < layout.inner.bottom(); ++y)
            QCOMPARE(ShownChart::at(picture, layout.plot.center().x(), y), f.chart.backgroundColor());
    }

    void barsOnThePicture()
    {
        ShownChart f;
        f.gearing.medium().setActive(false);
        QImage picture = f.chart.picture();
        const auto big = f.bar(f.gearing.big(), 8); // row 1: 52.915 .. 58.485 at 12 teeth
        QCOMPARE(ShownChart::at(picture, big.x0 + 1, big.y), kRed);
        QCOMPARE(ShownChart::at(picture, big.x2h - 1, big.y + 3), kRed);
        for (QPoint edge : {QPoint(big.x0, big.y), QPoint(big.x2h, big.y), QPoint(big.x0 + 3, big.y - 4),
                            QPoint(big.x0 + 3, big.y + 4)})
            QCOMPARE(ShownChart::at(picture, edge.x(), edge.y()), QColor(Qt::black));
        QVERIFY(ShownChart::at(picture, big.x2h + 1, big.y + 2) != kRed);
        QVERIFY(ShownChart::at(picture, big.x0 + 3, big.y - 5) != kRed);
        const auto small = f.bar(f.gearing.small(), 0);
        QCOMPARE(ShownChart::at(picture, small.x0 + 1, small.y + 2), kLime);
        const auto medium = f.bar(f.gearing.medium(), 0); // hidden: nothing drawn
        QCOMPARE(ShownChart::at(picture, medium.x0 + 1, medium.y + 2), f.chart.backgroundColor());

        // A sprocket below the fixed minimum of 10: the bar is cut at the plot's bottom.
        f.gearing.sprockets[0] = QStringLiteral("10");
        f.gearing.feed();
        picture = f.chart.picture();
        const int bottom = f.chart.currentLayout().plot.bottom();
        const auto cut = f.bar(f.gearing.big(), 8);
        QCOMPARE(cut.y, bottom);
        QCOMPARE(ShownChart::at(picture, cut.x0 + 2, bottom - 2), kRed);
        for (int y = bottom + 1; y <= bottom + 4; ++y)
            QVERIFY(ShownChart::at(picture, cut.x0 + 2, y) != kRed);
    }

    void gradientBackground()
    {
        ShownChart f;
        QCOMPARE(f.chart.picture().pixelColor(0, 0), f.chart.backgroundColor());
        f.chart.setGradientVisible(true);
        const QImage picture = f.chart.picture();
        QCOMPARE(picture.pixelColor(5, 0), QColor(128, 255, 255));
        QCOMPARE(picture.pixelColor(5, picture.height() - 1), QColor(Qt::white));
        // The walls have no fill: the gradient shows inside the plot area.
        const QRect plot = f.chart.currentLayout().plot;
        const QColor inside = ShownChart::at(picture, plot.left() + 2, plot.top() + 2);
        QVERIFY(inside.red() > 128 && inside.red() < 255 && inside.green() == 255 && inside.blue() == 255);
    }

    void depthPerShownSeries()
    {
        ShownChart f;
        f.chart.setView3D(true);
        const int slice = 7; // 15 per mille of the inner width, one slice per shown series
        QCOMPARE(f.chart.currentLayout().slice, slice);
        QCOMPARE(f.chart.currentLayout().depth, 3 * slice);
        const QImage picture = f.chart.picture();
        const auto big = f.bar(f.gearing.big(), 8); // Series3 stands in front
        QCOMPARE(ShownChart::at(picture, big.x0 + 1, big.y), kRed);
        const QColor side = ShownChart::at(picture, big.x2h + 1, big.y);
        QVERIFY(side.red() > 0 && side.red() < 255 && side.green() == 0);
        const auto small = f.bar(f.gearing.small(), 0); // Series1 at the back
        QCOMPARE(ShownChart::at(picture, small.x0 + 1 + 2 * slice, small.y - 2 * slice), kLime);

        f.gearing.small().setActive(false);
        QCOMPARE(f.chart.currentLayout().depth, 2 * slice);
    }

    void chart3DPercentRange_data()
    {
        QTest::addColumn<int>("percent");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("1") << 1 << true;
        QTest::newRow("100") << 100 << true;
        QTest::newRow("0") << 0 << false;
        QTest::newRow("101") << 101 << false;
    }
    void chart3DPercentRange()
    {
        QFETCH(int, percent);
        QFETCH(bool, accepted);
        Chart chart;
        QCOMPARE(errorOf([&] { chart.setChart3DPercent(percent); }),
                 accepted ? QString() : QStringLiteral("3D effect percent must be between 1 and 100"));
        QCOMPARE(chart.chart3DPercent(), accepted ? percent : 15);
    }

    void pictureOfAHiddenChartMatchesTheScreen()
    {
        ShownChart shown;
        ShownChart hidden(false);
        const QImage picture = hidden.chart.picture();
        QCOMPARE(picture.size(), QSize(526, 306));
        QCOMPARE(picture, shown.chart.picture());
        const QImage screen = shown.chart.grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(screen.copy(1, 1, 526, 306), picture);
    }

    void copyPicture()
    {
        ShownChart f;
        FakePictureSink sink;
        f.chart.setPictureSink(&sink);
        f.chart.copyPicture();
        QCOMPARE(sink.clipboard, f.chart.picture()); // a taken clipboard: the main window's suite
        // The system's own clipboard takes the picture without an error.
        f.chart.setPictureSink(nullptr);
        QCOMPARE(errorOf([&] { f.chart.copyPicture(); }), QString());
        QCOMPARE(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32), f.chart.picture());
    }

    // Zoomed so that bars cross every edge of the plot, flat and then in 3D
    // over the gradient: the edges stay whole where bars are cut.
    void picturesMatchTheirReferences()
    {
        ShownChart f(false);
        for (auto [id, low, high] : {std::tuple(AxisId::Bottom, 25.0, 45.0), std::tuple(AxisId::Left, 12.05, 19.95)}) {
            Axis axis = f.chart.axis(id);
            axis.setLimits(low, high);
            f.chart.setAxis(id, axis);
        }
        RATIOMAT_COMPARE_REFERENCE(f.chart.picture(), QStringLiteral("chart-zoomed"));
        f.chart.setView3D(true);
        f.chart.setGradientVisible(true);
        RATIOMAT_COMPARE_REFERENCE(f.chart.picture(), QStringLiteral("chart-zoomed-3d-gradient"));
    }

    void saveBitmap_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("writeWorks");
        QTest::addColumn<QString>("error"); // empty: saved
        QTest::newRow("BMP under .jpg, replacing") << "chart.jpg" << true << "";
        QTest::newRow("no such folder") << "missing/chart.bmp" << true << "No such file or directory";
        QTest::newRow("write fails") << "chart.bmp" << false << "*";
    }
    void saveBitmap()
    {
        QFETCH(QString, name);
        QFETCH(bool, writeWorks);
        QFETCH(QString, error);
        QTemporaryDir dir;
        const QString path = dir.filePath(name);
        const bool existed = QDir(dir.path()).exists(QFileInfo(path).path());
        if (existed) { // an older file to be replaced
            QFile old(path);
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write("old content");
        }
        ShownChart f(false);
        FakePictureSink sink;
        sink.writeWorks = writeWorks;
        f.chart.setPictureSink(&sink);
        const QString message = errorOf([&] { f.chart.saveBitmap(path); });
        QFile file(path);
        if (error.isEmpty()) {
            QCOMPARE(message, QString());
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.read(2), QByteArray("BM"));
            file.seek(0);
            QCOMPARE(QImage::fromData(file.readAll(), "BMP").size(), QSize(526, 306));
            return;
        }
        const QString prefix = QStringLiteral("Cannot create file \"%1\". ").arg(path);
        QVERIFY2(message.startsWith(prefix), qPrintable(message));
        if (error != u"*")
            QCOMPARE(message, prefix + error);
        // Nothing partial left: an old file is untouched, no stray files.
        if (existed) {
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), QByteArray("old content"));
        }
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), existed ? 1 : 0);
    }

    void seriesLifetime()
    {
        ShownChart f;
        f.gearing.series[1].reset(); // the owner deletes Series2
        QCOMPARE(f.chart.seriesList().size(), 2);
        QCOMPARE(f.chart.picture().size(), QSize(526, 306));

        // A series owned by the chart dies after the chart's own parts and
        // must not reach back into them (that would corrupt memory).
        auto *chart = new Chart;
        chart->addSeries(new SpeedRangeSeries(chart));
        delete chart;
    }

    void copySettingsWithoutSeries()
    {
        ShownChart f;
        f.chart.setView3D(true);
        f.chart.setChart3DPercent(30);
        f.chart.setGradientVisible(true);
        f.chart.setAnimatedZoom(false);
        f.chart.zoomByPercent(110);
        Chart report;
        report.copySettingsFrom(f.chart);
        for (AxisId id : kAllAxes)
            QCOMPARE(report.axis(id), f.chart.axis(id));
        QCOMPARE(report.bottomAxisTitle(), QStringLiteral("Km/t"));
        QVERIFY(report.view3D());
        QCOMPARE(report.chart3DPercent(), 30);
        QVERIFY(report.gradientVisible());
        QVERIFY(!report.animatedZoom());
        QVERIFY(report.seriesList().isEmpty());
    }
};

QTEST_MAIN(TestChartView)
#include "test_chart_view.moc"
