// The printed report read back from the PDF it generates: texts, positions,
// detail lines, the chart's bars, the preview's life cycle and its failures.

#include "core/errors.h"
#include "core/tests/error_of.h"
#include "core/tests/need.h"
#include "platform/error_display.h"
#include "report/preview_report.h"
#include "report/printers.h"
#include "report/report_form.h"
#include "report/report_lifetime.h"
#include "report_fixture.h"

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPrintPreviewWidget>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QtTest>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace report_test;

namespace {

// Left edges of the seven table columns on paper (band left + label left).
const double kColumnX[7] = {14.23, 35.40, 56.57, 81.97, 125.36, 149.70, 177.22};
const double kFirstLineTop = 156.84;
const double kLineHeight = 6.35;

int pageCount(const QString &pdf)
{
    static const QRegularExpression re(QString::fromLatin1(R"(Pages:\s+(\d+))"));
    return re.match(pdfTool(QStringLiteral("pdfinfo"), {pdf})).captured(1).toInt();
}

// Words on the first page's detail lines, by line; a word belongs to the
// line whose band holds its top.
QList<QList<PdfWord>> detailLines(const QList<PdfWord> &words)
{
    QList<QList<PdfWord>> lines;
    for (const PdfWord &w : words) {
        if (w.yMin < kFirstLineTop || w.yMin > 273.24)
            continue;
        const int line = int((w.yMin - kFirstLineTop) / kLineHeight);
        while (lines.size() <= line)
            lines.append(QList<PdfWord>());
        lines[line].append(w);
    }
    while (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

QStringList texts(const QList<PdfWord> &line)
{
    QStringList out;
    for (const PdfWord &w : line)
        out << w.text;
    return out;
}

// The texts of each detail line of a printed report.
QList<QStringList> detailTexts(const QString &pdf)
{
    QList<QStringList> out;
    for (const QList<PdfWord> &line : detailLines(pdfWords(pdf)))
        out << texts(line);
    return out;
}

// The message of the error printing the form raises; empty when it prints.
QString printError(report::ReportForm &form, QPrinter &printer)
{
    return errorOf([&] { form.reportPage()->print(printer); });
}

bool isBarColour(QRgb c, QRgb bar)
{
    return qAbs(qRed(c) - qRed(bar)) < 40 && qAbs(qGreen(c) - qGreen(bar)) < 40 && qAbs(qBlue(c) - qBlue(bar)) < 40;
}

} // namespace

class TestReportPage : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QStringList m_errors;
    int m_files = 0;

    QString pdfName() { return m_dir.filePath(QStringLiteral("report%1.pdf").arg(++m_files)); }

    // Prints a report form into a PDF file and returns the file's name.
    QString printForm(report::ReportForm &form, int *lines = nullptr)
    {
        QString name = pdfName();
        PdfPrinter printer(name);
        const int n = form.reportPage()->print(printer);
        if (lines)
            *lines = n;
        return name;
    }

    // The Report command on the stand-in, expected to fail: its message.
    static QString reportError(MainWindowStandIn &window)
    {
        return errorOf(
            [&] { report::previewReport(window, window, *window.chart, *window.grid, QStringLiteral("Ratiomat")); });
    }

    // Runs the Report command's preview on the stand-in; whileOpen runs
    // inside it, with the preview on screen, before the preview is closed.
    void withPreview(MainWindowStandIn &window, const std::function<void(report::ReportPreviewWindow &)> &whileOpen)
    {
        QVERIFY(withOpenPreview(
            [&] { report::previewReport(window, window, *window.chart, *window.grid, QStringLiteral("Ratiomat")); },
            whileOpen));
        QVERIFY(!report::ReportLifetime::currentForm());
    }

    // The report of the stand-in as the preview generates it, as a PDF.
    QString previewedPdf(MainWindowStandIn &window)
    {
        QString name;
        withPreview(window,
                    [&](report::ReportPreviewWindow &) { name = printForm(*report::ReportLifetime::currentForm()); });
        return name;
    }

    static QByteArray contents(const QString &name)
    {
        QFile file(name);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    static int copiesOf(const QObject &owner)
    {
        int n = 0;
        for (QObject *o : owner.findChildren<QObject *>())
            n += o->objectName().endsWith(QStringLiteral("copy"), Qt::CaseInsensitive);
        return n;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QFont::insertSubstitutions(QStringLiteral("Arial"), {QStringLiteral("Liberation Sans")});
        QVERIFY(m_dir.isValid());
        // The printer comes from the lookup below: the print dialog asks no
        // printing system of the machine's.
        qputenv("CUPS_SERVER", QFile::encodeName(m_dir.filePath(QStringLiteral("no-cups-here"))));
        platform::setErrorSink([this](const QString &text) { m_errors << text; });
        report::setPrinterLookup([] { return std::optional(report::PrinterChoice{}); });
    }

    void init()
    {
        m_errors.clear();
        report::resetCurrentPrinter();
    }

    void pageTextsAndPositions()
    {
        MainWindowStandIn window;
        const QString pdf = previewedPdf(window);
        QCOMPARE(pageCount(pdf), 1);

        const QString text = pdfLayoutText(pdf);
        QVERIFY(text.contains(QStringLiteral("Ratiomat")));
        QVERIFY(text.contains(QStringLiteral("Gear")));
        QVERIFY(text.contains(QStringLiteral("Km/t")));
        QVERIFY(text.contains(report::ReportForm::kCopyright));

        const QList<PdfWord> words = pdfWords(pdf);
        auto find = [&](const QString &t) {
            for (const PdfWord &w : words)
                if (w.text == t && w.yMin < kFirstLineTop)
                    return w;
            return PdfWord{};
        };
        // Heading centred on the band (paper centre 104.985 mm), below the top margin.
        const PdfWord heading = find(QStringLiteral("Ratiomat"));
        QVERIFY(qAbs((heading.xMin + heading.xMax) / 2 - 104.985) < 0.5);
        QVERIFY(heading.yMin > 10.0 && heading.yMin < 29.05);
        QVERIFY(qAbs(find(QStringLiteral("Gear")).xMin - 35.40) < 0.5);
        QVERIFY(qAbs(find(QStringLiteral("Km/t")).xMin - 126.42) < 0.5);
        const PdfWord gear = find(QStringLiteral("Gear"));
        QVERIFY(gear.yMin > 149.70 - 0.5 && gear.yMin < 149.70 + 2.0);

        // The footer stands in the footer band, centred.
        double footerLeft = 1e9, footerRight = 0;
        for (const PdfWord &w : words)
            if (w.yMin > 273.24) {
                footerLeft = std::min(footerLeft, w.xMin);
                footerRight = std::max(footerRight, w.xMax);
                QVERIFY(w.yMin < 287.0);
            }
        QVERIFY(qAbs((footerLeft + footerRight) / 2 - 104.985) < 0.5);

        const QList<QList<PdfWord>> lines = detailLines(words);
        QCOMPARE(lines.size(), 10);
        QCOMPARE(texts(lines[0]).join(u' '), QStringLiteral("53 42 32 53 42 32"));
        for (int c = 0; c < 6; ++c)
            QVERIFY2(qAbs(lines[0][c].xMin - kColumnX[c + 1]) < 0.5, qPrintable(lines[0][c].text));
        for (int r = 1; r < 10; ++r) {
            QCOMPARE(lines[r].size(), 7);
            QCOMPARE(lines[r][0].text, window.gearing.sprockets[size_t(r - 1)]);
            QCOMPARE(lines[r][1].text, window.grid->cell(1, r));
            QCOMPARE(lines[r][6].text, window.grid->cell(6, r));
            for (int c = 0; c < 7; ++c)
                QVERIFY2(qAbs(lines[r][c].xMin - kColumnX[c]) < 0.5, qPrintable(lines[r][c].text));
            // Each line one detail band below the one before.
            QVERIFY(qAbs(lines[r][0].yMin - lines[r - 1][0].yMin - kLineHeight) < 0.05);
        }
        QVERIFY(lines[0][0].yMin > kFirstLineTop + 0.5 && lines[0][0].yMin < kFirstLineTop + kLineHeight - 3.0);
    }

    void unitText_data()
    {
        QTest::addColumn<int>("choice");
        QTest::addColumn<QString>("unit");
        QTest::newRow("km/h") << 0 << QStringLiteral("Km/t");
        QTest::newRow("mph") << 1 << QStringLiteral("Mph");
    }
    void unitText()
    {
        QFETCH(int, choice);
        QFETCH(QString, unit);
        MainWindowStandIn window;
        window.unit->setItemIndex(choice);
        const QList<PdfWord> words = pdfWords(previewedPdf(window));
        const auto it = std::find_if(words.begin(), words.end(), [](const PdfWord &w) {
            return qAbs(w.xMin - 126.42) < 0.5 && w.yMin > 149.0 && w.yMin < 152.0;
        });
        QVERIFY(it != words.end());
        QCOMPARE(it->text, unit);
    }

    // Every generation, the preview's and each print's, starts the row
    // counter anew: BeforePrint once, NeedData once per line plus the final
    // refusal, never reading past the last row.
    void generationsRepeat()
    {
        MainWindowStandIn window;
        report::ReportForm form;
        form.setDetailTable(window.grid);
        int before = 0, needData = 0;
        QList<bool> presets;
        form.reportPage()->setBeforePrint([&](bool &print) {
            ++before;
            form.startReport(print);
        });
        form.reportPage()->setNeedData([&](bool &more) {
            ++needData;
            presets << more;
            form.nextDetailLine(more);
        });

        int lines = 0;
        const QList<QStringList> first = detailTexts(printForm(form, &lines));
        QCOMPARE(lines, 10);
        QCOMPARE(before, 1);
        QCOMPARE(needData, 11);
        QCOMPARE(presets.first(), true);
        QCOMPARE(presets.count(true), 1);
        QCOMPARE(report::ReportLifetime::detailRow(), 11);

        QCOMPARE(first.size(), 10);
        QCOMPARE(detailTexts(printForm(form, &lines)), first);
        QCOMPARE(lines, 10);
        QCOMPARE(before, 2);
        QCOMPARE(needData, 22);
    }

    void beforePrintRefuses()
    {
        report::ReportForm form;
        int needData = 0;
        form.reportPage()->setBeforePrint([](bool &print) { print = false; });
        form.reportPage()->setNeedData([&](bool &more) {
            ++needData;
            more = false;
        });
        int lines = -1;
        printForm(form, &lines);
        QCOMPARE(lines, 0);
        QCOMPARE(needData, 0);
    }

    // Tables of other sizes: no line for an empty table, and a table longer
    // than the page goes on on a second page with header and footer again.
    void tableSizes_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("pages");
        QTest::newRow("empty") << 0 << 1;
        QTest::newRow("one") << 1 << 1;
        QTest::newRow("fills first page") << 18 << 1;
        QTest::newRow("overflows") << 30 << 2;
    }
    void tableSizes()
    {
        QFETCH(int, rows);
        QFETCH(int, pages);
        report::StringGrid grid;
        grid.setColCount(7);
        grid.setRowCount(rows);
        for (int r = 0; r < rows; ++r)
            grid.setCell(0, r, QString::number(r));
        report::ReportForm form;
        form.setTitle(QStringLiteral("Heading"));
        form.setDetailTable(&grid);
        int lines = -1;
        const QString pdf = printForm(form, &lines);
        QCOMPARE(lines, rows);
        QCOMPARE(pageCount(pdf), pages);
        QCOMPARE(pdfLayoutText(pdf).count(report::ReportForm::kCopyright), pages);
        QCOMPARE(pdfLayoutText(pdf).count(QStringLiteral("Heading")), pages);
    }

    // The report chart is a copy of the main chart with the same bars: the
    // three bar colours show in the chart rectangle, none without bars.
    void chartBars_data()
    {
        QTest::addColumn<bool>("withBars");
        QTest::addColumn<bool>("view3D");
        QTest::newRow("bars") << true << false;
        QTest::newRow("bars in 3D") << true << true;
        QTest::newRow("no bars") << false << false;
    }
    void chartBars()
    {
        QFETCH(bool, withBars);
        QFETCH(bool, view3D);
        MainWindowStandIn window;
        if (!withBars)
            for (auto *s : window.series)
                s->clear();
        window.chart->setView3D(view3D);

        QString pdf;
        withPreview(window, [&](report::ReportPreviewWindow &) {
            report::ReportForm &form = *report::ReportLifetime::currentForm();
            const QList<chart::SpeedRangeSeries *> copies = form.reportChart()->seriesList();
            QCOMPARE(copies.size(), 3);
            for (int s = 0; s < 3; ++s) {
                QCOMPARE(copies[s]->objectName(), QStringLiteral("Series%1copy").arg(s + 1));
                QCOMPARE(copies[s]->parent(), &window);
                QCOMPARE(copies[s]->color(), window.series[s]->color());
                QCOMPARE(copies[s]->count(), window.series[s]->count());
            }
            QCOMPARE(form.reportChart()->view3D(), view3D);
            pdf = printForm(form);
        });
        QCOMPARE(copiesOf(window), 0);

        // The chart is painted into the page, not pasted as a picture.
        QCOMPARE(pdfTool(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf}).trimmed().count(u'\n'), 1);

        const QString png = m_dir.filePath(QStringLiteral("page%1").arg(m_files));
        pdfTool(QStringLiteral("pdftoppm"), {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("50"),
                                             QStringLiteral("-singlefile"), pdf, png});
        const QImage page(png + QStringLiteral(".png"));
        QVERIFY(!page.isNull());
        const double px = 50 / 25.4;
        const QRect chartRect(QPoint(int(14.23 * px), int(31.17 * px)), QPoint(int(193.88 * px), int(132.77 * px)));
        const QRgb colours[3] = {qRgb(0, 255, 0), qRgb(255, 255, 0), qRgb(255, 0, 0)};
        int found[3] = {0, 0, 0};
        int outside = 0;
        for (int y = 0; y < page.height(); ++y)
            for (int x = 0; x < page.width(); ++x)
                for (int s = 0; s < 3; ++s)
                    if (isBarColour(page.pixel(x, y), colours[s]))
                        chartRect.contains(x, y) ? ++found[s] : ++outside;
        for (const int count : found)
            QCOMPARE(count > 0, withBars);
        QCOMPARE(outside, 0);
    }

    // A zoomed main chart is reported zoomed.
    void zoomedChartCopied()
    {
        MainWindowStandIn window;
        chart::Axis bottom = window.chart->axis(chart::AxisId::Bottom);
        bottom.setLimits(20, 30);
        window.chart->setAxis(chart::AxisId::Bottom, bottom);
        withPreview(window, [&](report::ReportPreviewWindow &) {
            const chart::Axis &copied =
                report::ReportLifetime::currentForm()->reportChart()->axis(chart::AxisId::Bottom);
            QCOMPARE(copied.minimum(), 20.0);
            QCOMPARE(copied.maximum(), 30.0);
            QVERIFY(!copied.isMinimumAutomatic());
        });
    }

    // Printers but none of them the default: the error, and no preview.
    void missingPrinter()
    {
        MainWindowStandIn window;
        const report::PrinterLookup previous =
            report::setPrinterLookup([] { return std::optional<report::PrinterChoice>(); });
        QCOMPARE(reportError(window), report::kNoDefaultPrinter);
        report::setPrinterLookup(previous);
        QVERIFY(!window.findChild<report::ReportPreviewWindow *>());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!report::ReportLifetime::currentForm());
        QCOMPARE(copiesOf(window), 0);

        // Once a printer is there, the Report command works again.
        withPreview(window, [&](report::ReportPreviewWindow &) { QCOMPARE(copiesOf(window), 3); });
    }

    // A second Report while the first preview is open fails on the first
    // copy's name and leaves the open preview as it was.
    void reportWhilePreviewOpen()
    {
        MainWindowStandIn window;
        withPreview(window, [&](report::ReportPreviewWindow &dialog) {
            QPointer<report::ReportForm> open = report::ReportLifetime::currentForm();
            QCOMPARE(reportError(window), QStringLiteral("A component named Series1copy already exists"));
            QVERIFY(!report::ReportLifetime::currentForm()); // the failed command's form, gone
            QCOMPARE(window.findChildren<report::ReportPreviewWindow *>().size(), 1);
            QVERIFY(dialog.isVisible());
            QVERIFY(!open.isNull());
            QCOMPARE(copiesOf(window), 3);
            QCOMPARE(open->reportChart()->seriesList().size(), 3);
            int lines = 0;
            printForm(*open, &lines);
            QCOMPARE(lines, 10);
        });
        QCOMPARE(copiesOf(window), 0);
        // And again after the preview has closed.
        withPreview(window, [&](report::ReportPreviewWindow &) { QCOMPARE(copiesOf(window), 3); });
    }

    // Printing from the preview leaves it open, and printing again from the
    // same preview prints the same ten lines again.
    void printingKeepsThePreviewOpen()
    {
        MainWindowStandIn window;
        QStringList printed;
        withPreview(window, [&](report::ReportPreviewWindow &preview) {
            for (int round = 0; round < 2; ++round) {
                printed << pdfName();
                preview.printer()->setOutputFileName(printed.last());
                QVERIFY(printFromPreview(preview));
                QCoreApplication::processEvents();
                QVERIFY(preview.isVisible());
                QVERIFY(report::ReportLifetime::currentForm());
            }
            // Drawing the preview's pages again writes no file.
            const QString copy = printed.last() + QStringLiteral(".kept");
            QVERIFY(QFile::rename(printed.last(), copy));
            preview.previewWidget()->updatePreview();
            QCoreApplication::processEvents();
            QCOMPARE(preview.previewWidget()->pageCount(), 1);
            QVERIFY(!QFileInfo::exists(printed.last()));
            QVERIFY(QFile::rename(copy, printed.last()));
        });
        QCOMPARE(m_errors, QStringList());
        QCOMPARE(printed.size(), 2);
        const QList<QStringList> first = detailTexts(printed[0]);
        QCOMPARE(first.size(), 10);
        QCOMPARE(first[0].join(u' '), QStringLiteral("53 42 32 53 42 32"));
        QCOMPARE(detailTexts(printed[1]), first);
    }

    // A print whose file cannot be written is an error, never a success,
    // from the report form and from the preview's own print, which shows it
    // in the error box and stays open. Finding out why looks only: nothing
    // is created, not even for a printer busy with a file since removed,
    // and a file that was there stays as it was.
    void failedPrint_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("busy");
        QTest::addColumn<bool>("fullDisk");
        QTest::addColumn<QString>("reason"); // empty: any message
        QTest::newRow("missing folder") << "no-such-folder/report.pdf" << false << false << "No such file or directory";
        QTest::newRow("folder as target") << "folder" << false << false << "Is a directory";
        QTest::newRow("full device") << "/dev/full" << false << false << "No space left on device";
        QTest::newRow("full disk") << "report.pdf" << false << true << "No space left on device";
        QTest::newRow("busy printer") << "busy.pdf" << true << false << QString();
        QTest::newRow("read-only folder") << "read-only/report.pdf" << false << false << "Access denied";
    }
    void failedPrint()
    {
        QFETCH(QString, target);
        QFETCH(bool, busy);
        QFETCH(bool, fullDisk);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QByteArray path = QFile::encodeName(dir.path());
        const auto unmount = qScopeGuard([&] {
            if (fullDisk)
                ::umount2(path.constData(), MNT_DETACH);
        });
        if (fullDisk) {
            RATIOMAT_NEED(geteuid() == 0, "mounting a small file system to fill up needs root");
            QVERIFY2(::mount("tmpfs", path.constData(), "tmpfs", 0, "size=256k") == 0, strerror(errno));
        }
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder")));
        const bool readOnly = target.startsWith(QLatin1String("read-only/"));
        if (readOnly)
            QVERIFY(QDir(dir.path())
                        .mkdir(QStringLiteral("read-only"),
                               QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther) &&
                    ::chmod(path.constData(), 0755) == 0);
        const QString name = QDir(dir.path()).filePath(target);
        QFile filler(dir.filePath(QStringLiteral("filler")));
        if (fullDisk) {
            QFile file(name); // unbuffered: on the disk before it fills up
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) && file.write("last week's report") == 18);
            QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
            const QByteArray chunk(4096, 'x');
            while (filler.write(chunk) == chunk.size()) {
            }
            filler.close();
        }
        const bool wasFile = QFileInfo(name).isFile();
        const QByteArray old = wasFile ? contents(name) : QByteArray();
        const QStringList before = QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);

        MainWindowStandIn window;
        QString error;
        withPreview(window, [&](report::ReportPreviewWindow &preview) {
            PdfPrinter printer(name);
            QPainter other;
            if (busy) {
                QVERIFY(other.begin(&printer));
                QVERIFY(QFile::remove(name));
            }
            // Run as root, the print runs as "nobody", whom folders refuse as they refuse a rider.
            const bool asNobody =
                readOnly && geteuid() == 0 && ::setresgid(65534, 65534, 0) == 0 && ::setresuid(65534, 65534, 0) == 0;
            const auto asBefore = qScopeGuard([asNobody] {
                if (asNobody && (::setresuid(0, 0, 0) != 0 || ::setresgid(0, 0, 0) != 0))
                    qFatal("cannot become root again");
            });
            error = printError(*report::ReportLifetime::currentForm(), printer);
            if (!busy) {
                preview.printer()->setOutputFileName(name);
                preview.previewWidget()->print();
            }
            QVERIFY(preview.isVisible());
        });
        if (reason.isEmpty())
            QVERIFY(!error.isEmpty());
        else
            QCOMPARE(error, QStringLiteral("Cannot create file \"%1\". %2").arg(name, reason));
        QCOMPARE(m_errors, busy ? QStringList() : QStringList{error + u'.'}); // as the error box shows it
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), before);
        QCOMPARE(QFileInfo(name).isFile(), wasFile);
        if (wasFile)
            QCOMPARE(contents(name), old);

        if (fullDisk) { // With room again the same print replaces the old file.
            QVERIFY(filler.remove());
            withPreview(window, [&](report::ReportPreviewWindow &) {
                PdfPrinter printer(name);
                QCOMPARE(report::ReportLifetime::currentForm()->reportPage()->print(printer), 10);
            });
            QCOMPARE(detailTexts(name).size(), 10);
        }
    }

    // The system's printer lookup chooses the default printer; with printers
    // but no default, none; with no printer at all, PDF file output.
    void printerChoice()
    {
        const QStringList printers{QStringLiteral("Office"), QStringLiteral("Lab")};
        QCOMPARE(report::choosePrinter(QStringLiteral("Lab"), printers)->printerName, QStringLiteral("Lab"));
        QVERIFY(!report::choosePrinter(QString(), printers));
        QCOMPARE(report::choosePrinter(QString(), {})->printerName, QString());
    }
};

QTEST_MAIN(TestReportPage)
#include "test_report_page.moc"
