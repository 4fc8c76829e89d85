#include "chart/chart_layout.h"
#include "chart/chart_model.h"
#include "core/errors.h"
#include "gearing_fixture.h"

#include <QSignalSpy>
#include <QTest>

using namespace chart;

namespace {

// Fixed text sizes keep the layouts independent of the installed fonts.
const LabelMetrics kMetrics{[](const QString &text) { return 6 * int(text.size()); }, 13};
const QRect kArea(0, 0, 526, 306); // inside the border of a 528 x 308 chart

struct Fixture
{
    DefaultGearing gearing;
    ChartModel model;
    Fixture()
    {
        for (auto &s : gearing.series)
            model.addSeries(s.get());
    }
    ChartLayout layout() const { return layoutChart(model, kArea, kMetrics); }
    AxisLimits limits(AxisId id) const { return {model.axis(id).minimum(), model.axis(id).maximum()}; }
};

using Flags = std::array<bool, 3>;
Flags flagsOf(const Axis &a)
{
    return {a.automatic(), a.automaticMinimum(), a.automaticMaximum()};
}

} // namespace

Q_DECLARE_METATYPE(Flags)

class TestChartModel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void axisFlagRules_data()
    {
        QTest::addColumn<Flags>("before");
        QTest::addColumn<QString>("operation"); // A, m or M (Automatic, -Minimum, -Maximum), then 0 or 1
        QTest::addColumn<Flags>("after");
        QTest::newRow("Automatic on sets all") << Flags{false, false, false} << "A1" << Flags{true, true, true};
        QTest::newRow("Automatic off clears all") << Flags{true, true, true} << "A0" << Flags{false, false, false};
        QTest::newRow("min on, max on") << Flags{false, false, true} << "m1" << Flags{true, true, true};
        QTest::newRow("min on alone") << Flags{false, false, false} << "m1" << Flags{false, true, false};
        QTest::newRow("min off") << Flags{true, true, true} << "m0" << Flags{false, false, true};
        QTest::newRow("max on, min on") << Flags{false, true, false} << "M1" << Flags{true, true, true};
        QTest::newRow("max off") << Flags{true, true, true} << "M0" << Flags{false, true, false};
    }
    void axisFlagRules()
    {
        QFETCH(Flags, before);
        QFETCH(QString, operation);
        QFETCH(Flags, after);
        Axis a;
        a.setAutomatic(false);
        a.setAutomaticMinimum(before[1]);
        a.setAutomaticMaximum(before[2]);
        if (before[0])
            a.setAutomatic(true);
        QCOMPARE(flagsOf(a), before);
        const bool on = operation[1] == u'1';
        if (operation[0] == u'A')
            a.setAutomatic(on);
        else if (operation[0] == u'm')
            a.setAutomaticMinimum(on);
        else
            a.setAutomaticMaximum(on);
        QCOMPARE(flagsOf(a), after);
    }

    void setLimits_data()
    {
        QTest::addColumn<double>("min");
        QTest::addColumn<double>("max");
        QTest::addColumn<double>("expectedMin");
        QTest::addColumn<double>("expectedMax");
        QTest::newRow("ordered") << 2.0 << 5.0 << 2.0 << 5.0;
        QTest::newRow("swapped") << 5.0 << 2.0 << 2.0 << 5.0;
        QTest::newRow("empty widened") << 3.0 << 3.0 << 3.0 << 3.0 + 1e-10;
        QTest::newRow("narrow after swap") << 3.0 + 1e-11 << 3.0 << 3.0 << 3.0 + 1e-10;
    }
    void setLimits()
    {
        QFETCH(double, min);
        QFETCH(double, max);
        QFETCH(double, expectedMin);
        QFETCH(double, expectedMax);
        Axis a;
        a.setLimits(min, max);
        QCOMPARE(a.minimum(), expectedMin);
        QCOMPARE(a.maximum(), expectedMax);
        QCOMPARE(flagsOf(a), (Flags{false, false, false}));
    }

    void formatLabel_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("text");
        auto row = [](const char *name, double value, const char *format, const char *text) {
            QTest::newRow(name) << value << QString::fromLatin1(format) << QString::fromLatin1(text);
        };
        row("##0 rounds half away", 12.5, "##0", "13");
        row("##0 negative", -2.5, "##0", "-3");
        row("no minus zero", -0.4, "##0", "0");
        row("grouping and decimals", 1234.5, "#,##0.###", "1,234.5");
        row("float noise dropped", 0.1 + 0.2, "0.##", "0.3");
        row("minimum decimals", 2.0, "0.00", "2.00");
    }
    void formatLabel()
    {
        QFETCH(double, value);
        QFETCH(QString, format);
        QFETCH(QString, text);
        QCOMPARE(chart::formatLabel(value, format), text);
    }

    void seriesOrder_data()
    {
        QTest::addColumn<bool>("ordered");
        QTest::addColumn<QList<double>>("starts");
        QTest::addColumn<QList<int>>("positions"); // returned by each addBar
        QTest::addColumn<QList<int>>("order");     // the bars by when they were added
        QTest::newRow("ordered, equal starts go after")
            << true << QList<double>{5, 3, 5, 1, 9} << QList<int>{0, 0, 2, 0, 4} << QList<int>{3, 1, 0, 2, 4};
        QTest::newRow("ordered, rising starts go last")
            << true << QList<double>{1, 2, 3} << QList<int>{0, 1, 2} << QList<int>{0, 1, 2};
        QTest::newRow("appended") << false << QList<double>{5, 3, 9} << QList<int>{0, 1, 2} << QList<int>{0, 1, 2};
    }
    void seriesOrder()
    {
        QFETCH(bool, ordered);
        QFETCH(QList<double>, starts);
        QFETCH(QList<int>, positions);
        QFETCH(QList<int>, order);
        SpeedRangeSeries s;
        s.setOrderedByStart(ordered);
        QSignalSpy changed(&s, &SpeedRangeSeries::changed);
        for (qsizetype i = 0; i < starts.size(); ++i)
            QCOMPARE(s.addBar(starts[i], starts[i] + 1, double(i), QString()), positions[i]);
        QCOMPARE(changed.size(), starts.size());
        // Each bar keeps its End and Y; Y tells bars of equal Start apart.
        for (int i = 0; i < int(order.size()); ++i) {
            QCOMPARE(s.yValue(i), double(order[i]));
            QCOMPARE(s.startValue(i), starts[order[i]]);
            QCOMPARE(s.endValue(i), starts[order[i]] + 1);
        }
        QVERIFY_THROWS_EXCEPTION(core::AppError, s.yValue(s.count()));
        s.clear();
        QCOMPARE(s.count(), 0);
        QCOMPARE(changed.size(), starts.size() + 1);
    }

    void seriesSettingsCopyWithoutBars()
    {
        SpeedRangeSeries source, copy;
        source.setObjectName(QStringLiteral("Series1"));
        source.setColor(QColor(0, 255, 0));
        source.setOrderedByStart(true);
        source.setActive(false);
        QVERIFY(source.setProperty("Title", QStringLiteral("Lille")));
        source.addBar(1, 2, 3);
        copy.copySettingsFrom(source);
        QCOMPARE(copy.color(), QColor(0, 255, 0));
        QVERIFY(copy.orderedByStart());
        QVERIFY(!copy.active());
        QCOMPARE(copy.title(), QStringLiteral("Lille"));
        QCOMPARE(copy.count(), 0);
        QVERIFY(copy.objectName().isEmpty());
    }

    void defaultLimitsAndMargins()
    {
        Fixture f;
        QCOMPARE(f.model.dataExtremes(AxisId::Bottom), (AxisLimits{18.24, 58.485}));
        QCOMPARE(f.model.dataExtremes(AxisId::Left), (AxisLimits{12, 21}));
        const ChartLayout layout = f.layout();
        const AxisScale &left = layout.scale(AxisId::Left);
        const AxisScale &bottom = layout.scale(AxisId::Bottom);
        QCOMPARE(left.minimum(), 10.0); // fixed end: no margin
        QCOMPARE(left.toPixel(10), layout.plot.bottom());
        QCOMPARE(left.toPixel(21), layout.plot.top() + 5);
        QCOMPARE(bottom.toPixel(18.24), layout.plot.left() + 5);
        QCOMPARE(bottom.toPixel(58.485), layout.plot.right() - 5);
        QCOMPARE(left.labelStep, 1.0); // every tooth fits
        QCOMPARE(left.labels.first(), 10.0);
        QCOMPARE(left.labels.last(), 21.0);
        QCOMPARE(bottom.labels.first(), 18.0); // the first whole step inside the lower margin
        QVERIFY(layout.axesVisible);
    }

    void countingSeries_data()
    {
        QTest::addColumn<QList<bool>>("active");
        QTest::addColumn<double>("bottomMinimum"); // smallest Start of the counting series
        QTest::newRow("all shown") << QList<bool>{true, true, true} << 18.24;
        QTest::newRow("small hidden") << QList<bool>{false, true, true} << 23.94;
        QTest::newRow("all hidden count all") << QList<bool>{false, false, false} << 18.24;
    }
    void countingSeries()
    {
        QFETCH(QList<bool>, active);
        QFETCH(double, bottomMinimum);
        Fixture f;
        for (int i = 0; i < 3; ++i)
            f.gearing.series[size_t(i)]->setActive(active[i]);
        QCOMPARE(f.model.dataExtremes(AxisId::Bottom).minimum, bottomMinimum);
        const ChartLayout layout = f.layout();
        const bool anyShown = active.contains(true);
        QCOMPARE(layout.axesVisible, anyShown);
        // Margins only while something is shown.
        QCOMPARE(layout.scale(AxisId::Bottom).minimum() == bottomMinimum, !anyShown);
    }

    void noBarsGiveZeroExtremes()
    {
        Fixture f;
        for (auto &s : f.gearing.series)
            s->clear();
        QCOMPARE(f.model.automaticLimits(AxisId::Bottom), (AxisLimits{0, 0}));
        QCOMPARE(f.model.automaticLimits(AxisId::Left), (AxisLimits{10, 0}));
        f.model.zoomByPercent(110, {});
        const double width = f.model.axis(AxisId::Bottom).maximum() - f.model.axis(AxisId::Bottom).minimum();
        QCOMPARE(width, kMinimumAxisWidth);
        f.layout(); // a degenerate range must lay out without trouble
    }

    void labelStep_data()
    {
        QTest::addColumn<double>("min");
        QTest::addColumn<double>("max");
        QTest::addColumn<double>("increment");
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("labelSize");
        QTest::addColumn<double>("step");
        QTest::newRow("every tooth fits") << 10.0 << 21.2 << 1.0 << 250 << 13 << 1.0;
        QTest::newRow("short axis: 2") << 10.0 << 21.2 << 1.0 << 100 << 13 << 2.0;
        QTest::newRow("speeds: 2") << 16.9 << 60.0 << 0.0 << 450 << 12 << 2.0;
        QTest::newRow("speeds narrow: 5") << 16.9 << 60.0 << 0.0 << 200 << 12 << 5.0;
        QTest::newRow("range below 1 from 1e-12") << 0.30 << 0.35 << 0.0 << 100 << 20 << 0.01;
        QTest::newRow("empty range") << 0.0 << 0.0 << 0.0 << 100 << 20 << 1e-12;
    }
    void labelStep()
    {
        QFETCH(double, min);
        QFETCH(double, max);
        QFETCH(double, increment);
        QFETCH(int, length);
        QFETCH(int, labelSize);
        QFETCH(double, step);
        QCOMPARE(chart::labelStep(min, max, increment, length, labelSize), step);
    }

    void labelValues()
    {
        QCOMPARE(chart::labelValues(16.9, 60.1, 5), (QList<double>{20, 25, 30, 35, 40, 45, 50, 55, 60}));
        QCOMPARE(chart::labelValues(-3, 3, 2), (QList<double>{-2, 0, 2}));
        QCOMPARE(chart::labelValues(10, 10 + 1e-10, 1), (QList<double>{10}));
    }

    void limitsFollowSprocketUntilZoomed()
    {
        Fixture f;
        f.gearing.sprockets[8] = QStringLiteral("28");
        f.gearing.feed();
        QCOMPARE(f.model.automaticLimits(AxisId::Left), (AxisLimits{10, 28}));

        Fixture zoomed;
        zoomed.model.zoomByPercent(110, {});
        zoomed.gearing.sprockets[8] = QStringLiteral("28");
        zoomed.gearing.feed();
        QCOMPARE(zoomed.model.automaticLimits(AxisId::Left), (AxisLimits{11.1, 19.9}));
        QVERIFY(zoomed.layout().scale(AxisId::Left).toPixel(28) < zoomed.layout().plot.top()); // cut off
        zoomed.model.resetZoom();
        QCOMPARE(zoomed.model.automaticLimits(AxisId::Left), (AxisLimits{10, 28}));
        const ChartLayout reset = zoomed.layout();
        QCOMPARE(reset.scale(AxisId::Left).toPixel(28), reset.plot.top() + 5); // just above 28
    }

    void zoomInAnimatesSevenFrames()
    {
        Fixture f;
        QList<AxisLimits> frames;
        f.model.zoomByPercent(110, [&] { frames.append(f.limits(AxisId::Left)); });
        QCOMPARE(frames.size(), 7);
        double remaining = 1.1;
        for (const AxisLimits &frame : frames) {
            remaining -= remaining / 3; // a third of the remaining way each time
            QVERIFY(qAbs(frame.minimum - (11.1 - remaining)) < 1e-12);
            QVERIFY(qAbs(frame.maximum - (19.9 + remaining)) < 1e-12);
        }
        QCOMPARE(f.limits(AxisId::Left), (AxisLimits{11.1, 19.9}));
        const double range = 58.485 - 18.24;
        QVERIFY(qAbs(f.model.axis(AxisId::Bottom).minimum() - (18.24 + range / 10)) < 1e-12);
        QVERIFY(qAbs(f.model.axis(AxisId::Bottom).maximum() - (58.485 - range / 10)) < 1e-12);
        for (AxisId id : kAllAxes)
            QCOMPARE(flagsOf(f.model.axis(id)), (Flags{false, false, false}));
        QVERIFY(f.model.snapshotPending());

        Fixture still;
        still.model.settings().animatedZoom = false;
        int count = 0;
        still.model.zoomByPercent(110, [&] { ++count; });
        QCOMPARE(count, 0);
    }

    void zoomOutThenIn()
    {
        Fixture f;
        const AxisLimits first = f.model.automaticLimits(AxisId::Bottom);
        f.model.zoomByPercent(90, {});
        f.model.zoomByPercent(110, {});
        const AxisLimits now = f.limits(AxisId::Bottom);
        QVERIFY(qAbs((now.maximum - now.minimum) / (first.maximum - first.minimum) - 0.96) < 1e-12);
        QVERIFY(qAbs((now.maximum + now.minimum) - (first.maximum + first.minimum)) < 1e-12); // same centre
    }

    void resetRestoresStartUpScaling()
    {
        Fixture f;
        const Axis left = f.model.axis(AxisId::Left);
        f.model.resetZoom(); // nothing pending: no change
        QCOMPARE(f.model.axis(AxisId::Left), left);

        f.model.zoomByPercent(110, {});
        f.model.zoomByPercent(110, {});
        f.model.resetZoom();
        QVERIFY(!f.model.snapshotPending());
        QCOMPARE(flagsOf(f.model.axis(AxisId::Bottom)), (Flags{true, true, true}));
        QCOMPARE(flagsOf(f.model.axis(AxisId::Left)), (Flags{false, false, true}));
        QCOMPARE(f.model.automaticLimits(AxisId::Left), (AxisLimits{10, 21}));
        QCOMPARE(f.model.automaticLimits(AxisId::Bottom), (AxisLimits{18.24, 58.485}));
    }

    void panStepLeavesUnmovedAxesAlone()
    {
        // The pointer moved sideways only: the vertical axes stay automatic.
        Fixture f;
        panAxes(f.model, f.layout(), QPoint(200, 150), QPoint(210, 150));
        QCOMPARE(flagsOf(f.model.axis(AxisId::Left)), (Flags{false, false, true}));
        QCOMPARE(flagsOf(f.model.axis(AxisId::Bottom)), (Flags{false, false, false}));
        QVERIFY(f.model.snapshotPending());
    }
};

QTEST_GUILESS_MAIN(TestChartModel)
#include "test_chart_model.moc"
