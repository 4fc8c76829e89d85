// The report of the real main window: what the Report command shows for the
// default gearing, in either unit.

#include "app/main_window.h"
#include "app/startup.h"
#include "chart/chart.h"
#include "platform/radio_group.h"
#include "report/preview_report.h"
#include "report/printers.h"
#include "report/report_form.h"
#include "report/report_lifetime.h"
#include "report/report_table.h"
#include "report/string_grid.h"
#include "report/tests/report_fixture.h"

#include <QTemporaryDir>
#include <QtTest>

class TestReportWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        app::prepareApplication();
        report::setPrinterLookup([] { return std::optional(report::PrinterChoice{}); });
    }

    void defaultGearing_data()
    {
        QTest::addColumn<int>("unitChoice");
        QTest::addColumn<QString>("unit");
        QTest::addColumn<QString>("firstSpeed");
        QTest::newRow("km/h") << 0 << QStringLiteral("Km/t") << QStringLiteral("55.7");
        QTest::newRow("mph") << 1 << QStringLiteral("Mph") << QStringLiteral("34.6");
    }
    void defaultGearing()
    {
        QFETCH(int, unitChoice);
        QFETCH(QString, unit);
        QFETCH(QString, firstSpeed);
        QTemporaryDir dir;
        app::MainWindow window;
        window.setDecimalSeparator(u'.');
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.unitChoice()->setItemIndex(unitChoice);
        window.recalculate();
        report::fillReportTable(*window.reportTable(), window);

        const QString pdf = dir.filePath(QStringLiteral("report.pdf"));
        int bars = 0;
        QVERIFY(report_test::withOpenPreview(
            [&] {
                report::previewReport(window, window, *window.chart(), *window.reportTable(),
                                      QStringLiteral("Ratiomat"));
            },
            [&](report::ReportPreviewWindow &) {
                report::ReportForm &form = *report::ReportLifetime::currentForm();
                for (const chart::SpeedRangeSeries *s : form.reportChart()->seriesList())
                    bars += s->count();
                report_test::PdfPrinter printer(pdf);
                form.reportPage()->print(printer);
            }));
        QCOMPARE(bars, 27);

        const QString text = report_test::pdfLayoutText(pdf);
        QStringList table;
        for (const QString &line : text.split(u'\n')) {
            const QStringList words = line.simplified().split(u' ', Qt::SkipEmptyParts);
            if ((words.size() == 6 || words.size() == 7) && words.first().toInt() >= 12)
                table << words.join(u' ');
        }
        QVERIFY(text.contains(QStringLiteral("Ratiomat")));
        QVERIFY(text.contains(QStringLiteral("Gear")));
        QVERIFY(text.contains(unit));
        QCOMPARE(table.size(), 10);
        QCOMPARE(table.first(), QStringLiteral("53 42 32 53 42 32"));
        QVERIFY2(table[1].startsWith(QStringLiteral("12 116.2 92.1 70.2 ") + firstSpeed), qPrintable(table[1]));
        QVERIFY(table.last().startsWith(QStringLiteral("21 66.4")));
    }
};

QTEST_MAIN(TestReportWindow)
#include "test_report_window.moc"
