// The windows at the screen's scale (QT_SCALE_FACTOR; CTest runs this suite
// once at each of 1, 1.25, 1.5 and 2): no label's text is cut, and the chart
// is painted at the device's pixel ratio, not blown up from a smaller
// picture. Each window is saved as a screenshot under
// test-artifacts/scaling/<scale>/ in the build folder; at scale 1 each must
// match its reference picture in references/ pixel for pixel, in English
// and in Danish.
#include "about/about_box.h"
#include "chart/chart.h"
#include "core/tests/reference_image.h"
#include "i18n/dispatcher.h"
#include "main_window_fixture.h"
#include "settings/settings_dialog.h"

#include <QDir>
#include <QLabel>
#include <QScreen>
#include <QTextDocument>

class TestScaling : public QObject, MainWindowFixture
{
    Q_OBJECT

    QDir artifacts;
    bool atReferenceScale = false;

    // Saves the window's picture and checks every label on it that shows.
    void check(QWidget *window, const QString &name)
    {
        const QImage picture = window->grab().toImage();
        QVERIFY(picture.save(artifacts.filePath(name + QStringLiteral(".png"))));
        if (atReferenceScale)
            RATIOMAT_COMPARE_REFERENCE(picture, name);
        for (const QLabel *label : window->findChildren<QLabel *>()) {
            if (!label->isVisibleTo(window) || label->text().isEmpty())
                continue;
            const QRect room = label->contentsRect();
            QSize need;
            if (Qt::mightBeRichText(label->text()) || label->textFormat() == Qt::RichText) {
                QTextDocument doc;
                doc.setDefaultFont(label->font());
                doc.setDocumentMargin(0);
                doc.setHtml(label->text());
                need = doc.size().toSize();
            } else {
                const int flags = int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
                need = label->fontMetrics().boundingRect(room, flags, label->text()).size();
            }
            QVERIFY2(need.width() <= room.width() && need.height() <= room.height(),
                     qPrintable(QStringLiteral("%1 on %2: \"%3\" needs %4x%5, has %6x%7")
                                    .arg(label->objectName(), name, label->text())
                                    .arg(need.width())
                                    .arg(need.height())
                                    .arg(room.width())
                                    .arg(room.height())));
        }
    }

private Q_SLOTS:
    void initTestCase()
    {
        const QString scale = qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1"));
        artifacts.setPath(QStringLiteral(QT_TESTCASE_BUILDDIR "/../../test-artifacts/scaling/") + scale);
        QVERIFY(artifacts.mkpath(QStringLiteral(".")));
        atReferenceScale = scale == QLatin1String("1");
        QApplication::setCursorFlashTime(0); // a text cursor that stays put in the pictures
        QVERIFY(reopen());
        QCOMPARE(form->devicePixelRatioF(), scale.toDouble());
    }
    void cleanupTestCase() { form.reset(); }

    // The main window on both tabs and the settings dialog, in each language.
    void mainWindowAndChart()
    {
        for (int language : {2, 1}) {
            const QString suffix = language == 1 ? QStringLiteral("-danish") : QString();
            form->dispatcher()->setActiveLanguage(language);
            form->resetToDefaults(); // as the settings dialog leaves it
            form->pageControl()->setCurrentIndex(0);
            check(form.get(), QStringLiteral("main-window") + suffix);
            form->pageControl()->setCurrentIndex(1);
            check(form.get(), QStringLiteral("chart-tab") + suffix);
            withModal([this] { form->action(QStringLiteral("Setup"))->trigger(); },
                      [&](QWidget &dialog) { check(&dialog, QStringLiteral("settings-dialog") + suffix); });
        }
        form->dispatcher()->setActiveLanguage(2);
        form->resetToDefaults();
        chart::Chart *chart = form->chart();
        const qreal ratio = form->devicePixelRatioF();
        const QImage sharp = chart->grab().toImage();
        QCOMPARE(sharp.size(), (QSizeF(chart->size()) * ratio).toSize());
        if (ratio > 1) {
            QImage coarse(chart->size(), QImage::Format_ARGB32_Premultiplied);
            chart->render(&coarse);
            QVERIFY2(sharp.convertToFormat(coarse.format()) != coarse.scaled(sharp.size()),
                     "the chart is drawn at one pixel a point and scaled up");
        }
    }

    // The About box and the report have no Danish of their own.
    void dialogs()
    {
        withModal([this] { form->showAbout(); }, [this](QWidget &box) { check(&box, QStringLiteral("about-box")); });
        QVERIFY(withReportPreview(*form, [this](report::ReportPreviewWindow &preview) {
            check(&preview, QStringLiteral("report-preview"));
        }));
    }
};

QTEST_MAIN(TestScaling)
#include "test_scaling.moc"
