// The chart as the main window feeds and commands it: bars follow the
// tables, the check boxes, the axis title follows the unit, and the zoom,
// copy and save commands run from their actions.
#include "app/main_window.h"
#include "app/save_picture_dialog.h"
#include "app/startup.h"
#include "chart/chart.h"
#include "chart/tests/fake_picture_sink.h"
#include "core/tests/reference_image.h"
#include "main_window_fixture.h"
#include "platform/error_display.h"
#include "platform/int_spin_field.h"
#include "platform/radio_group.h"
#include "platform/two_digit_field.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QDataStream>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QScopeGuard>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using calc::Chainring;

class TestChartCommands : public QObject, MainWindowFixture
{
    Q_OBJECT

    FakePictureSink sink;

    void trigger(const char *action) { form->action(QString::fromLatin1(action))->trigger(); }

private Q_SLOTS:
    void initTestCase() { collectErrors(); }
    void init()
    {
        sink = FakePictureSink();
        QVERIFY(reopen());
        form->chart()->setPictureSink(&sink);
    }
    void cleanup() { form.reset(); }

    void barsFollowTheTables()
    {
        chart::SpeedRangeSeries *big = form->series(3);
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

    // A click anywhere inside a box's 72 x 18 pixels toggles it, right of
    // its caption too.
    void checkBoxesShowAndHide()
    {
        form->pageControl()->setCurrentIndex(1);
        for (int n = 1; n <= 3; ++n)
            QCOMPARE(form->seriesBox(n)->size(), QSize(72, 18));
        QTest::mouseClick(form->seriesBox(2), Qt::LeftButton, {}, QPoint(71, 17));
        QVERIFY(!form->series(2)->active());
        QVERIFY(form->series(1)->active() && form->series(3)->active());
        QTest::mouseClick(form->seriesBox(2), Qt::LeftButton, {}, QPoint(64, 0));
        QVERIFY(form->series(2)->active());
    }

    void axisTitleFollowsTheUnit()
    {
        QCOMPARE(form->chart()->bottomAxisTitle(), QStringLiteral("Km/t"));
        form->unitChoice()->setItemIndex(1);
        Q_EMIT form->unitChoice()->itemClicked(1);
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
        sink.clipboardFree = false;
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

    // The save dialog's preview reads only what it can show at once: a
    // regular BMP or ICO file below the size limit. A named pipe must not
    // hang the window; a bigger file, or a picture of another kind under a
    // bitmap's name, previews as nothing. Driven by clicks in the real dialog.
    void previewShowsOnlySmallBitmapsAndIcons()
    {
        QTemporaryDir dir;
        QImage picture(40, 30, QImage::Format_RGB32);
        picture.fill(Qt::red);
        QVERIFY(picture.save(dir.filePath(QStringLiteral("good.bmp")), "BMP"));
        QVERIFY(picture.save(dir.filePath(QStringLiteral("icon.ico")), "ICO"));
        QVERIFY(picture.save(dir.filePath(QStringLiteral("png.bmp")), "PNG"));
        QVERIFY(QFile::copy(dir.filePath(QStringLiteral("good.bmp")), dir.filePath(QStringLiteral("huge.bmp"))));
        QVERIFY(QFile::resize(dir.filePath(QStringLiteral("huge.bmp")), app::SavePictureDialog::kPreviewFileLimit + 1));
        const QByteArray pipe = QFile::encodeName(dir.filePath(QStringLiteral("pipe.bmp")));
        QCOMPARE(::mkfifo(pipe.constData(), 0600), 0);
        // Should the preview open the pipe, a writer lets it go after two
        // seconds, so the test fails instead of hanging.
        std::atomic<bool> done{false};
        std::thread unblock([&] {
            for (int i = 0; !done; ++i) {
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
                if (i >= 40)
                    if (const int fd = ::open(pipe.constData(), O_WRONLY | O_NONBLOCK); fd >= 0)
                        ::close(fd);
            }
        });
        auto stop = qScopeGuard([&] {
            done = true;
            unblock.join();
        });

        const int processLimit = QImageReader::allocationLimit();
        QStringList seen;
        qint64 pipeMs = -1;
        QTimer::singleShot(0, this, [&] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            auto close = qScopeGuard([dialog] { dialog->reject(); });
            auto *preview = dialog->findChild<QLabel *>(QStringLiteral("picturePreview"));
            QVERIFY(preview);
            QAbstractItemView *view = nullptr;
            for (auto *v : dialog->findChildren<QAbstractItemView *>())
                if (v->isVisible() &&
                    (v->objectName() == QLatin1String("listView") || v->objectName() == QLatin1String("treeView")))
                    view = v;
            QVERIFY(view);
            auto indexOf = [view](const QString &name) {
                const QAbstractItemModel *m = view->model();
                for (int r = 0; r < m->rowCount(view->rootIndex()); ++r)
                    if (const QModelIndex i = m->index(r, 0, view->rootIndex()); i.data().toString() == name)
                        return i;
                return QModelIndex();
            };
            // The dialog lists a pipe only once its name is typed.
            auto *edit = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
            QVERIFY(edit);
            edit->selectAll();
            QTest::keyClicks(edit, QStringLiteral("pipe.bmp"));
            QVERIFY(QTest::qWaitFor(
                [&] {
                    for (const char *name : {"good.bmp", "png.bmp", "huge.bmp", "pipe.bmp", "icon.ico"})
                        if (!indexOf(QString::fromLatin1(name)).isValid())
                            return false;
                    return true;
                },
                10000));
            for (const char *name :
                 {"good.bmp", "png.bmp", "good.bmp", "huge.bmp", "good.bmp", "pipe.bmp", "icon.ico"}) {
                const QModelIndex i = indexOf(QString::fromLatin1(name));
                QVERIFY2(i.isValid(), name);
                view->scrollTo(i);
                QElapsedTimer clock;
                clock.start();
                QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(i).center());
                if (qstrcmp(name, "pipe.bmp") == 0)
                    pipeMs = clock.elapsed();
                seen << QStringLiteral("%1 %2").arg(QLatin1String(name),
                                                    preview->pixmap().isNull() ? QStringLiteral("-") : "shown");
            }
            RATIOMAT_COMPARE_REFERENCE(preview->grab().toImage(), QStringLiteral("save-dialog-preview"));
        });
        form->savePictureDialog()->setProperty("FileName", dir.filePath(QStringLiteral("chart.bmp")));
        trigger("Save");
        QCOMPARE(seen, (QStringList{"good.bmp shown", "png.bmp -", "good.bmp shown", "huge.bmp -", "good.bmp shown",
                                    "pipe.bmp -", "icon.ico shown"}));
        QVERIFY2(pipeMs >= 0 && pipeMs < 1000, qPrintable(QString::number(pipeMs)));
        QVERIFY(errors.isEmpty());

        // A picture that claims more memory than the limit, in a small file.
        QByteArray bomb;
        QDataStream out(&bomb, QIODevice::WriteOnly);
        out.setByteOrder(QDataStream::LittleEndian);
        out.writeRawData("BM", 2);
        out << quint32(54 + 4) << quint32(0) << quint32(54);             // file header
        out << quint32(40) << qint32(6000) << qint32(6000) << quint16(1) // 6000 x 6000, 32 bits a pixel
            << quint16(32) << quint32(0) << quint32(0) << qint32(0) << qint32(0) << quint32(0) << quint32(0);
        out << quint32(0); // and one pixel of data
        QFile f(dir.filePath(QStringLiteral("bomb.bmp")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bomb);
        f.close();
        QVERIFY(app::SavePictureDialog::previewPicture(f.fileName()).isNull());
        QCOMPARE(app::SavePictureDialog::previewPicture(dir.filePath(QStringLiteral("good.bmp"))).size(),
                 QSize(40, 30));
        QCOMPARE(QImageReader::allocationLimit(), processLimit); // the preview's limit is its own
    }

    void danishFilterText()
    {
        const QStringList f = app::SavePictureDialog::nameFilters(QStringLiteral(
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
