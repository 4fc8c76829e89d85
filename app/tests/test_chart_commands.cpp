// The chart as the main window feeds and commands it: bars follow the
// tables, the check boxes, the axis title follows the unit, and the zoom,
// copy and save commands run from their actions.
#include "app/gearform.h"
#include "app/save_picture_dialog.h"
#include "app/startup.h"
#include "chart/chart.h"
#include "main_window_fixture.h"
#include "platform/error_display.h"
#include "platform/int_spin_field.h"
#include "platform/radio_group.h"
#include "platform/two_digit_field.h"

#include <QCheckBox>
#include <QLabel>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

using calc::Chainring;

namespace {

class RecordingSink : public chart::PictureSink
{
public:
    bool refuseClipboard = false;
    QImage clipboard;
    bool putOnClipboard(const QImage &picture) override
    {
        if (refuseClipboard)
            return false;
        clipboard = picture;
        return true;
    }
    bool writeBitmap(const QImage &picture, QIODevice &device) override { return picture.save(&device, "BMP"); }
};

} // namespace

class TestChartCommands : public QObject
{
    Q_OBJECT

    QStringList errors;
    std::unique_ptr<Tgearform> form;
    RecordingSink sink;

    void trigger(const char *action) { form->action(QString::fromLatin1(action))->trigger(); }

private Q_SLOTS:
    void initTestCase()
    {
        app::prepareApplication();
        platform::setErrorSink([this](const QString &m) { errors << m; });
    }
    void init()
    {
        errors.clear();
        sink.refuseClipboard = false;
        sink.clipboard = QImage();
        form = openMainWindow();
        QVERIFY(form);
        form->chart()->setPictureSink(&sink);
    }
    void cleanup() { form.reset(); }

    void barsFollowTheTables()
    {
        chart::GanttSeries *big = form->series(3);
        QCOMPARE(big->count(), 9);
        QCOMPARE(big->objectName(), QStringLiteral("Series3"));
        // Series3 is ordered by start: the slowest bar (21 teeth) comes first.
        QCOMPARE(big->yValue(big->count() - 1), 12.0);
        QCOMPARE(big->startValue(big->count() - 1), 52.915);
        QCOMPARE(big->endValue(big->count() - 1), 58.485);
        // Series2 keeps the order of the rows.
        QCOMPARE(form->series(2)->yValue(0), 12.0);
        QCOMPARE(form->series(1)->color(), QColor(0, 255, 0));

        form->sprocketField(9)->setFieldText(QStringLiteral("28"));
        QCOMPARE(form->series(2)->yValue(8), 28.0);
    }

    void oneDigitSprocketStopsEverySeries()
    {
        form->sprocketField(5)->setFieldText(QStringLiteral("6 "));
        for (int s = 1; s <= 3; ++s)
            QCOMPARE(form->series(s)->count(), 4);
        QCOMPARE(form->gearInchCell(Chainring::Big, 5)->text(), QStringLiteral("232.5")); // the table computes it
    }

    void cadenceZeroKeepsTheBars()
    {
        const double before = form->series(3)->startValue(0);
        form->cadenceField()->setFieldText(QStringLiteral("0"));
        QCOMPARE(errors, QStringList{QStringLiteral("Floating point division by zero.")});
        QCOMPARE(form->series(3)->count(), 9);
        QCOMPARE(form->series(3)->startValue(0), before);
    }

    void checkBoxesShowAndHide()
    {
        form->seriesBox(2)->click();
        QVERIFY(!form->series(2)->active());
        QVERIFY(form->series(1)->active() && form->series(3)->active());
        form->seriesBox(2)->click();
        QVERIFY(form->series(2)->active());
    }

    void axisTitleFollowsTheUnit()
    {
        QCOMPARE(form->chart()->bottomAxisTitle(), QStringLiteral("Km/t"));
        form->unitChoice()->setItemIndex(1);
        Q_EMIT form->unitChoice()->clicked(1);
        form->pageControl()->setCurrentIndex(1);
        QCOMPARE(form->chart()->bottomAxisTitle(), QStringLiteral("Mph"));
    }

    void zoomAndUndo()
    {
        form->pageControl()->setCurrentIndex(1);
        const chart::Axis before = form->chart()->axis(chart::AxisId::Left);
        trigger("Zoomin");
        const chart::Axis zoomed = form->chart()->axis(chart::AxisId::Left);
        QCOMPARE(zoomed.minimum(), 11.1);
        QCOMPARE(zoomed.maximum(), 19.9);
        trigger("Zoomud");
        trigger("Undo");
        const chart::Axis after = form->chart()->axis(chart::AxisId::Left);
        QCOMPARE(after.minimum(), before.minimum());
        QCOMPARE(after.automatic(), before.automatic());
        QCOMPARE(after.automaticMinimum(), before.automaticMinimum());
        QVERIFY(after.automaticMaximum());
    }

    void copyFromTheSetupTab()
    {
        QCOMPARE(form->pageControl()->currentIndex(), 0);
        trigger("Copy");
        QVERIFY(errors.isEmpty());
        QCOMPARE(sink.clipboard.size(), form->chart()->drawingArea().size());
        QCOMPARE(sink.clipboard.size(), QSize(526, 306)); // 528 x 308 inside its one-pixel border
        sink.refuseClipboard = true;
        trigger("Copy");
        QCOMPARE(errors, QStringList{QStringLiteral("Cannot open clipboard.")});
    }

    void saveWritesABitmapWhateverTheName()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("chart.jpg"));
        QStringList filters;
        form->savePictureDialog()->setRunner([&](const QString &, const QString &, const QStringList &f) {
            filters = f;
            return std::optional<QString>(path);
        });
        trigger("Save");
        QVERIFY(errors.isEmpty());
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.read(2), QByteArray("BM"));
        QCOMPARE(filters.value(0), QStringLiteral("All (*.bmp *.ico *.emf *.wmf)"));
        QCOMPARE(filters.value(1), QStringLiteral("Bitmaps (*.bmp)"));
        QCOMPARE(filters.size(), 5);
        QCOMPARE(form->savePictureDialog()->fileName(), path); // remembered for next time

        QString start;
        form->savePictureDialog()->setRunner([&](const QString &, const QString &s, const QStringList &) {
            start = s;
            return std::optional<QString>();
        });
        trigger("Save"); // cancelled: nothing happens
        QCOMPARE(start, path);
        QVERIFY(errors.isEmpty());
    }

    void saveIntoAMissingFolder()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("missing/chart.bmp"));
        form->savePictureDialog()->setRunner(
            [&](const QString &, const QString &, const QStringList &) { return std::optional<QString>(path); });
        trigger("Save");
        QCOMPARE(errors.size(), 1);
        QVERIFY2(errors[0].startsWith(QStringLiteral("Cannot create file \"%1\". ").arg(path)), qPrintable(errors[0]));
        QVERIFY(!QFile::exists(path));
    }

    void danishFilterText()
    {
        const QStringList f = TSavePictureDialog::nameFilters(QStringLiteral(
            "All (*.jpg;*.jpeg;*.bmp;*.ico;*.emf;*.wmf)|*.jpg;*.jpeg;*.bmp;*.ico;*.emf;*.wmf|JPEG Image File "
            "(*.jpg)|*.jpg|JPEG Image File (*.jpeg)|*.jpeg|Bitmaps (*.bmp)|*.bmp|Icons (*.ico)|*.ico|Enhanced "
            "Metafiles (*.emf)|*.emf|Metafiles (*.wmf)|*.wmf"));
        QCOMPARE(f.size(), 7);
        QCOMPARE(f[0], QStringLiteral("All (*.jpg *.jpeg *.bmp *.ico *.emf *.wmf)"));
        QCOMPARE(f[2], QStringLiteral("JPEG Image File (*.jpeg)"));
    }
};

QTEST_MAIN(TestChartCommands)
#include "test_chart_commands.moc"
