#include "calc/gearing.h"
#include "core/errors.h"
#include "core/tests/error_of.h"
#include "fake_gear_window.h"

#include <QTest>
#include <cstddef>

using calc::Chainring;
using Bar = FakeGearWindow::Bar;

namespace {

// The worked table: gear inches / speed for 53, 42, 32 on 12..21 at 210 cm, 100 rpm, km/h.
const char *const kWorked[9][6] = {
    {"116.2", "55.7", "92.1", "44.1", "70.2", "33.6"}, {"107.3", "51.4", "85.0", "40.7", "64.8", "31.0"},
    {"99.6", "47.7", "79.0", "37.8", "60.2", "28.8"},  {"93.0", "44.5", "73.7", "35.3", "56.1", "26.9"},
    {"87.2", "41.7", "69.1", "33.1", "52.6", "25.2"},  {"82.0", "39.3", "65.0", "31.1", "49.5", "23.7"},
    {"77.5", "37.1", "61.4", "29.4", "46.8", "22.4"},  {"73.4", "35.1", "58.2", "27.9", "44.3", "21.2"},
    {"66.4", "31.8", "52.6", "25.2", "40.1", "19.2"},
};
// Its speeds in mph (1609 metres a mile).
const char *const kWorkedMph[9][3] = {
    {"34.6", "27.4", "20.9"}, {"31.9", "25.3", "19.3"}, {"29.6", "23.5", "17.9"},
    {"27.7", "21.9", "16.7"}, {"25.9", "20.6", "15.7"}, {"24.4", "19.3", "14.7"},
    {"23.1", "18.3", "13.9"}, {"21.8", "17.3", "13.2"}, {"19.8", "15.7", "11.9"},
};

} // namespace

class TestGearing : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void workedTable_data()
    {
        QTest::addColumn<QString>("sep");
        QTest::addColumn<int>("unit");
        QTest::newRow("point") << "." << 0;
        QTest::newRow("comma") << "," << 0;
        QTest::newRow("mph") << "." << 1;
    }
    void workedTable()
    {
        QFETCH(QString, sep);
        QFETCH(int, unit);
        FakeGearWindow w;
        w.unit = unit;
        w.recalc(sep[0]);
        QCOMPARE(w.unitLabels, unit == 0 ? QStringLiteral("Km/t") : QStringLiteral("Mph"));
        for (int row = 1; row <= 9; ++row)
            for (std::size_t ring = 0; ring < 3; ++ring) {
                const auto r = Chainring(ring);
                const char *speed = unit == 0 ? kWorked[row - 1][ring * 2 + 1] : kWorkedMph[row - 1][ring];
                QCOMPARE(w.inch(r, row), QString::fromLatin1(kWorked[row - 1][ring * 2]).replace(u'.', sep[0]));
                QCOMPARE(w.speed(r, row), QString::fromLatin1(speed).replace(u'.', sep[0]));
            }
    }

    // The worked table's 55.7 (Big, row 1) is one case: double arithmetic gives 55.6.
    void extendedPrecisionDecides()
    {
        FakeGearWindow w;
        w.circ = 150;
        w.cad = 45;
        w.recalc();
        QCOMPARE(w.speed(Chainring::Medium, 3), QStringLiteral("12.1")); // double arithmetic gives 12.2
    }

    void failingSprocketStopsEachBlockAtBigRow_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("text");
        QTest::newRow("blank row 1") << 1 << "  ";
        QTest::newRow("zero row 4") << 4 << "00";
        QTest::newRow("blank row 9") << 9 << "  ";
    }
    void failingSprocketStopsEachBlockAtBigRow()
    {
        QFETCH(int, row);
        QFETCH(QString, text);
        FakeGearWindow w;
        w.sprockets[size_t(row - 1)] = text;
        w.recalc();
        for (int r = 1; r <= 9; ++r) {
            const bool written = r < row;
            QCOMPARE(w.inch(Chainring::Big, r) != QStringLiteral("old"), written);
            QCOMPARE(w.speed(Chainring::Big, r) != QStringLiteral("old"), written);
            QCOMPARE(w.inch(Chainring::Medium, r), QStringLiteral("old"));
            QCOMPARE(w.speed(Chainring::Small, r), QStringLiteral("old"));
        }
    }

    void blankMediumChainringLeavesMediumAndSmallStale()
    {
        FakeGearWindow w;
        w.rings[1] = QStringLiteral("  ");
        w.recalc();
        for (int r = 1; r <= 9; ++r) {
            QCOMPARE(w.inch(Chainring::Big, r), QString::fromLatin1(kWorked[r - 1][0]));
            QCOMPARE(w.speed(Chainring::Big, r), QString::fromLatin1(kWorked[r - 1][1]));
            QCOMPARE(w.inch(Chainring::Medium, r), QStringLiteral("old"));
            QCOMPARE(w.inch(Chainring::Small, r), QStringLiteral("old"));
            QCOMPARE(w.speed(Chainring::Small, r), QStringLiteral("old"));
        }
        // Series2 is fed from the Medium texts as they stand: none while
        // they read "old", a bar a row once they hold speeds again.
        QCOMPARE(int(w.bars[1].size()), 0);
        for (QString &speed : w.speeds[1])
            speed = QStringLiteral("10.0");
        w.recalc();
        QCOMPARE(int(w.bars[1].size()), 9);
        QCOMPARE(w.bars[1][0].start, 9.5);
    }

    // A zero chainring is a number like any other (a zero or negative
    // circumference: the main window's suite).
    void zeroChainring()
    {
        FakeGearWindow w;
        w.rings[0] = QStringLiteral("00");
        w.recalc();
        for (int r = 1; r <= 9; ++r) {
            QCOMPARE(w.inch(Chainring::Big, r), QStringLiteral("0.0"));
            QCOMPARE(w.speed(Chainring::Big, r), QStringLiteral("0.0"));
        }
    }

    void feedBars()
    {
        FakeGearWindow w;
        w.recalc();
        QCOMPARE(int(w.bars[2].size()), 9);
        const Bar big1 = w.bars[2][0];
        QCOMPARE(big1.start, 52.915);
        QCOMPARE(big1.end, 58.485);
        QCOMPARE(big1.y, 12.0);
        const Bar small9 = w.bars[0][8];
        QCOMPARE(small9.start, 18.24);
        QCOMPARE(small9.end, 20.16);
        QCOMPARE(small9.y, 21.0);
    }

    void cadenceZeroFailsAfterTables_data()
    {
        QTest::addColumn<int>("minCadence");
        QTest::addColumn<QString>("message");
        QTest::newRow("min above 0") << 95 << "Floating point division by zero";
        QTest::newRow("min 0 too") << 0 << "Invalid floating point operation";
    }
    void cadenceZeroFailsAfterTables()
    {
        QFETCH(int, minCadence);
        QFETCH(QString, message);
        FakeGearWindow w;
        w.recalc();
        w.cad = 0;
        w.minCad = minCadence;
        QCOMPARE(errorOf<core::MathError>([&] { w.recalc(); }), message);
        for (int r = 1; r <= 9; ++r)
            QCOMPARE(w.speed(Chainring::Small, r), QStringLiteral("0.0"));
        QCOMPARE(int(w.bars[2].size()), 9); // bars kept
        QCOMPARE(w.bars[2][0].start, 52.915);
    }

    void equalAndZeroCadences()
    {
        FakeGearWindow w;
        w.minCad = w.maxCad = 100;
        w.recalc();
        QCOMPARE(w.bars[0][0].start, w.bars[0][0].end);
        w.minCad = 0;
        w.recalc();
        for (const auto &s : w.bars)
            for (const Bar &b : s)
                QCOMPARE(b.start, 0.0);
    }
};

QTEST_APPLESS_MAIN(TestGearing)
#include "test_gearing.moc"
