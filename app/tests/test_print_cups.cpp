// Printing the report through a real print server, as a rider does: the
// Print command, the report preview's print tool and the print dialog, to a
// CUPS queue whose device is a PDF file. scripts/test-cups.sh starts the
// private daemon this needs and tells the suite where it is:
//   CUPS_SERVER        the daemon's socket
//   RATIOMAT_CUPS_PPD  the driver of a queue that passes PDF through
//   RATIOMAT_CUPS_OUT  a folder the daemon may write the queues' files to

#include "app/main_window.h"
#include "main_window_fixture.h"
#include "platform/error_display.h"
#include "platform/two_digit_field.h"
#include "report/printers.h"
#include "report/report_form.h"
#include "report/tests/report_fixture.h"

#include <QFileInfo>
#include <QLabel>
#include <QtTest>
#include <optional>

using calc::Chainring;

namespace {

// Runs a CUPS command-line tool against the private daemon: its output,
// or nothing when it failed.
std::optional<QString> cups(const QString &tool, const QStringList &args)
{
    QProcess p;
    p.start(tool, args);
    if (!p.waitForFinished(20000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        qWarning().noquote() << tool << args.join(u' ') << "failed:" << p.readAllStandardError();
        return std::nullopt;
    }
    return QString::fromLocal8Bit(p.readAllStandardOutput());
}

// The jobs the server lists in one state ("completed", "not-completed", "all").
QStringList jobs(const QString &which)
{
    const auto list = cups(QStringLiteral("lpstat"), {QStringLiteral("-W"), which, QStringLiteral("-o")});
    return list ? list->split(u'\n', Qt::SkipEmptyParts) : QStringList{QStringLiteral("lpstat failed")};
}

// What the error box would have shown; the suite collects it, so a wrong
// program fails the test rather than waiting on a message box.
QStringList &shownErrors()
{
    static QStringList errors;
    return errors;
}

// A fresh main window with small chainring 30, so the values are not the
// defaults. Empty when it could not be shown.
std::unique_ptr<app::MainWindow> changedMainWindow()
{
    report::resetCurrentPrinter();
    auto form = openMainWindow();
    if (form) {
        form->chainringField(Chainring::Small)->setFieldText(QStringLiteral("30"));
        form->recalculate();
    }
    return form;
}

// The Print command, printed from its preview with the preview's Print
// tool and the print dialog accepted; inspect sees the preview's printer as
// the command set it up. For PDF output the dialog names pdfFile.
void printReport(app::MainWindow &form, const std::function<void(const QPrinter &)> &inspect,
                 const QString &pdfFile = {})
{
    bool printed = false;
    const bool previewed = report_test::withOpenPreview([&] { form.action(QStringLiteral("Report"))->trigger(); },
                                                        [&](report::ReportPreviewWindow &preview) {
                                                            inspect(*preview.printer());
                                                            if (!pdfFile.isEmpty()) // also makes the output PDF
                                                                preview.printer()->setOutputFileName(pdfFile);
                                                            printed = report_test::printFromPreview(preview);
                                                        });
    QVERIFY2(previewed, qPrintable(u"the Print command showed no report preview; errors: " + shownErrors().join(u' ')));
    QVERIFY2(printed, "the preview's Print tool showed no print dialog");
    QCOMPARE(shownErrors(), QStringList());
}

// The printed PDF is the report of what the main window shows: heading,
// unit, footer and the ten table lines as the window's cells read.
void checkPrintedReport(const QString &pdf, const app::MainWindow &form)
{
    const QString text = report_test::pdfLayoutText(pdf);
    QStringList lines;
    for (const QString &line : text.split(u'\n'))
        if (!line.simplified().isEmpty())
            lines << line.simplified();
    QVERIFY2(!lines.isEmpty(), qPrintable(text));
    QCOMPARE(lines.first(), QStringLiteral("Ratiomat"));
    QVERIFY2(lines.contains(report::ReportForm::kCopyright), qPrintable(text));
    QVERIFY2(lines.contains(QStringLiteral("Km/t")), qPrintable(text));

    const Chainring rings[] = {Chainring::Big, Chainring::Medium, Chainring::Small};
    QStringList head;
    for (int twice = 0; twice < 2; ++twice)
        for (Chainring ring : rings)
            head << form.chainringField(ring)->fieldText();
    QStringList expected{head.join(u' ')};
    for (int row = 1; row <= 9; ++row) {
        QStringList line{form.sprocketField(row)->fieldText()};
        for (Chainring ring : rings)
            line << form.gearInchCell(ring, row)->text();
        for (Chainring ring : rings)
            line << form.speedCell(ring, row)->text();
        expected << line.join(u' ');
    }
    QCOMPARE(expected[0], QStringLiteral("53 42 30 53 42 30"));
    QStringList table;
    for (const QString &line : lines)
        if (expected.contains(line))
            table << line;
    QCOMPARE(table, expected);
}

} // namespace

class TestPrintCups : public QObject
{
    Q_OBJECT

    QString out;
    QString ppd;

    bool addPrinter(const QString &name, const QString &file)
    {
        return cups(QStringLiteral("lpadmin"), {QStringLiteral("-p"), name, QStringLiteral("-E"), QStringLiteral("-v"),
                                                QStringLiteral("file://") + file, QStringLiteral("-P"), ppd})
            .has_value();
    }

private Q_SLOTS:
    void initTestCase()
    {
        out = qEnvironmentVariable("RATIOMAT_CUPS_OUT");
        ppd = qEnvironmentVariable("RATIOMAT_CUPS_PPD");
        if (out.isEmpty() || ppd.isEmpty() || qEnvironmentVariableIsEmpty("CUPS_SERVER"))
            QFAIL("needs a private CUPS daemon: run scripts/test-cups.sh");
        QVERIFY2(cups(QStringLiteral("lpstat"), {QStringLiteral("-r")}), "the CUPS daemon does not answer");
        app::prepareApplication();
        platform::setErrorSink([](const QString &text) { shownErrors() << text; });
    }
    void init() { shownErrors().clear(); }

    // A printing system without any printer: the Print command previews
    // for PDF output and the preview's Print writes the report to the file
    // named in the print dialog; nothing goes to the server.
    void serverWithoutPrinters()
    {
        QCOMPARE(cups(QStringLiteral("lpstat"), {QStringLiteral("-e")}), std::optional(QString()));
        auto form = changedMainWindow();
        QVERIFY(form);
        const QString pdf = out + QStringLiteral("/no-printer.pdf");
        QPrinter::OutputFormat format = QPrinter::NativeFormat;
        printReport(
            *form, [&](const QPrinter &printer) { format = printer.outputFormat(); }, pdf);
        QCOMPARE(format, QPrinter::PdfFormat);
        QCOMPARE(jobs(QStringLiteral("all")), QStringList{});
        checkPrintedReport(pdf, *form);
    }

    // The report reaches the server's default printer, and what that
    // printer writes is the report of what the main window shows.
    void printsToTheDefaultPrinter()
    {
        const QString pdf = out + QStringLiteral("/default.pdf");
        QVERIFY(addPrinter(QStringLiteral("RatiomatPDF"), pdf));
        QVERIFY(addPrinter(QStringLiteral("Other"), out + QStringLiteral("/other.pdf")));
        QVERIFY(cups(QStringLiteral("lpadmin"), {QStringLiteral("-d"), QStringLiteral("RatiomatPDF")}));

        auto form = changedMainWindow();
        QVERIFY(form);
        QString printer;
        QPrinter::OutputFormat format = QPrinter::PdfFormat;
        printReport(*form, [&](const QPrinter &chosen) {
            printer = chosen.printerName();
            format = chosen.outputFormat();
        });
        QCOMPARE(printer, QStringLiteral("RatiomatPDF"));
        QCOMPARE(format, QPrinter::NativeFormat);

        QTRY_VERIFY_WITH_TIMEOUT(jobs(QStringLiteral("not-completed")).isEmpty() && QFileInfo(pdf).size() > 0, 20000);
        const QStringList done = jobs(QStringLiteral("completed"));
        QCOMPARE(done.size(), 1);
        QVERIFY2(done.first().startsWith(QStringLiteral("RatiomatPDF-")), qPrintable(done.first()));
        QVERIFY(!QFileInfo::exists(out + QStringLiteral("/other.pdf")));
        checkPrintedReport(pdf, *form);
    }

    // Printers, but none is the default: the Print command says so in the
    // error box and opens no preview; nothing reaches any printer.
    void serverWithoutDefaultPrinter()
    {
        QVERIFY(cups(QStringLiteral("lpadmin"), {QStringLiteral("-x"), QStringLiteral("RatiomatPDF")}));
        QVERIFY(cups(QStringLiteral("lpadmin"), {QStringLiteral("-x"), QStringLiteral("Other")}));
        QVERIFY(addPrinter(QStringLiteral("First"), out + QStringLiteral("/first.pdf")));
        QVERIFY(addPrinter(QStringLiteral("Second"), out + QStringLiteral("/second.pdf")));
        QVERIFY(
            cups(QStringLiteral("lpstat"), {QStringLiteral("-d")}).value_or(QString()).contains(u"no system default"));
        report::resetCurrentPrinter();

        auto form = openMainWindow();
        QVERIFY(form);
        const bool previewed =
            report_test::withOpenPreview([&] { form->action(QStringLiteral("Report"))->trigger(); }, [](QWidget &) {});
        QCOMPARE(shownErrors(), QStringList{report::kNoDefaultPrinter + u'.'}); // as the error box shows it
        QVERIFY(!previewed);
        QCOMPARE(jobs(QStringLiteral("all")), QStringList{});
        QVERIFY(!QFileInfo::exists(out + QStringLiteral("/first.pdf")));
        QVERIFY(!QFileInfo::exists(out + QStringLiteral("/second.pdf")));
    }
};

QTEST_MAIN(TestPrintCups)
#include "test_print_cups.moc"
