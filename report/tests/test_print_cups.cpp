// Printing the report through a real print server, as a rider does: the
// Print command, the report preview's print tool and the print dialog, to a
// CUPS queue whose device is a PDF file. scripts/test-cups.sh starts the
// private daemon this needs and tells the suite where it is:
//   CUPS_SERVER        the daemon's socket
//   RATIOMAT_CUPS_PPD  the driver of a queue that passes PDF through
//   RATIOMAT_CUPS_OUT  a folder the daemon may write the queues' files to

#include "app/main_window.h"
#include "app/tests/main_window_fixture.h"
#include "platform/error_display.h"
#include "platform/two_digit_field.h"
#include "report/printers.h"
#include "report/report_form.h"
#include "report/report_preview_window.h"
#include "report_fixture.h"

#include <QAction>
#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QTimer>
#include <QtTest>
#include <functional>
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

// The open report preview, if any.
QWidget *openPreview()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->isVisible() && qobject_cast<report::ReportPreviewWindow *>(w))
            return w;
    return nullptr;
}

// Calls then() with the widget find() returns once it returns one, polling
// from the event loop (the caller sits in the preview's loop meanwhile). A
// minute without it is a failure, never a hang.
void whenFound(QObject *context, const std::function<QWidget *()> &find, const std::function<void(QWidget &)> &then,
               QDeadlineTimer deadline = QDeadlineTimer(60000))
{
    QTimer::singleShot(20, context, [=] {
        if (QWidget *w = find())
            then(*w);
        else if (!deadline.hasExpired())
            whenFound(context, find, then, deadline);
    });
}

// Prints from the open report preview with its own Print tool: lets
// inspect() look at the print dialog the tool opens and accepts it, then
// closes the preview, which ends the Print command.
void printFromPreview(report::ReportPreviewWindow &preview, const std::function<void(QPrintDialog &)> &inspect)
{
    bool accepted = false;
    QTimer::singleShot(0, &preview, [&] {
        if (auto *dialog = preview.findChild<QPrintDialog *>(QStringLiteral("printDialog"))) {
            inspect(*dialog);
            accepted = true;
            dialog->accept();
        }
    });
    preview.printAction()->trigger();
    if (!accepted)
        qWarning("the preview's Print tool showed no print dialog");
    preview.close();
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

    // The jobs the server lists in one state ("completed", "not-completed").
    static QStringList jobs(const QString &which)
    {
        const auto list = cups(QStringLiteral("lpstat"), {QStringLiteral("-W"), which, QStringLiteral("-o")});
        return list ? list->split(u'\n', Qt::SkipEmptyParts) : QStringList{QStringLiteral("lpstat failed")};
    }

    // The Print command of a fresh main window (small chainring 30, so the
    // values are not the defaults), printed from the preview with the print
    // dialog accepted as it opens. Returns the window for its cells.
    std::unique_ptr<MainWindow> printReport(QPrintDialog *&seen, QString &printerName, QPrinter::OutputFormat &format,
                                            QString &fileName)
    {
        report::resetCurrentPrinter();
        auto form = openMainWindow();
        if (!form)
            return nullptr;
        form->chainringField(Chainring::Small)->setFieldText(QStringLiteral("30"));
        form->recalculate();

        bool printed = false;
        whenFound(form.get(), openPreview, [&](QWidget &preview) {
            printed = true;
            printFromPreview(static_cast<report::ReportPreviewWindow &>(preview), [&](QPrintDialog &dialog) {
                seen = &dialog;
                printerName = dialog.printer()->printerName();
                format = dialog.printer()->outputFormat();
                fileName = dialog.printer()->outputFileName();
            });
        });
        form->action(QStringLiteral("Report"))->trigger();
        if (!printed)
            qWarning("the report preview was not printed from");
        return form;
    }

    // The ten table lines as the main window's cells read.
    static QStringList expectedTable(const MainWindow &form)
    {
        const Chainring rings[] = {Chainring::Big, Chainring::Medium, Chainring::Small};
        QStringList lines;
        QStringList head;
        for (int twice = 0; twice < 2; ++twice)
            for (Chainring ring : rings)
                head << form.chainringField(ring)->fieldText();
        lines << head.join(u' ');
        for (int row = 1; row <= 9; ++row) {
            QStringList line{form.sprocketField(row)->fieldText()};
            for (Chainring ring : rings)
                line << form.gearInchCell(ring, row)->text();
            for (Chainring ring : rings)
                line << form.speedCell(ring, row)->text();
            lines << line.join(u' ');
        }
        return lines;
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
    }

    // The report reaches the server's default printer, and what that
    // printer writes is the report of what the main window shows.
    void printsToTheDefaultPrinter()
    {
        const QString pdf = out + QStringLiteral("/default.pdf");
        QVERIFY(addPrinter(QStringLiteral("RatiomatPDF"), pdf));
        QVERIFY(addPrinter(QStringLiteral("Other"), out + QStringLiteral("/other.pdf")));
        QVERIFY(cups(QStringLiteral("lpadmin"), {QStringLiteral("-d"), QStringLiteral("RatiomatPDF")}));

        QPrintDialog *dialog = nullptr;
        QString printer, fileName;
        QPrinter::OutputFormat format = QPrinter::PdfFormat;
        auto form = printReport(dialog, printer, format, fileName);
        QVERIFY(form);
        QVERIFY2(dialog, "no print dialog was shown");
        QCOMPARE(printer, QStringLiteral("RatiomatPDF"));
        QCOMPARE(format, QPrinter::NativeFormat);

        QTRY_VERIFY_WITH_TIMEOUT(jobs(QStringLiteral("not-completed")).isEmpty() && QFileInfo(pdf).size() > 0, 20000);
        const QStringList done = jobs(QStringLiteral("completed"));
        QCOMPARE(done.size(), 1);
        QVERIFY2(done.first().startsWith(QStringLiteral("RatiomatPDF-")), qPrintable(done.first()));
        QVERIFY(!QFileInfo::exists(out + QStringLiteral("/other.pdf")));

        const QString text = report_test::pdfLayoutText(pdf);
        QStringList lines;
        for (const QString &line : text.split(u'\n'))
            if (!line.simplified().isEmpty())
                lines << line.simplified();
        QVERIFY2(!lines.isEmpty(), qPrintable(text));
        QCOMPARE(lines.first(), QStringLiteral("Ratiomat"));
        QVERIFY2(lines.contains(report::ReportForm::kCopyright), qPrintable(text));
        QVERIFY2(lines.contains(QStringLiteral("Km/t")), qPrintable(text));

        const QStringList expected = expectedTable(*form);
        QCOMPARE(expected[0], QStringLiteral("53 42 30 53 42 30"));
        QStringList table;
        for (const QString &line : lines)
            if (expected.contains(line))
                table << line;
        QCOMPARE(table, expected);
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

        QStringList errors;
        const platform::ErrorSink previous = platform::setErrorSink([&](const QString &text) { errors << text; });
        auto form = openMainWindow();
        QVERIFY(form);
        bool previewed = false;
        whenFound(form.get(), openPreview, [&](QWidget &preview) {
            previewed = true;
            preview.close();
        });
        form->action(QStringLiteral("Report"))->trigger();
        platform::setErrorSink(previous);
        QCOMPARE(errors, QStringList{report::kNoDefaultPrinter + u'.'}); // as the error box shows it
        QVERIFY(!previewed);
        QCOMPARE(jobs(QStringLiteral("all")), QStringList{});
        QVERIFY(!QFileInfo::exists(out + QStringLiteral("/first.pdf")));
        QVERIFY(!QFileInfo::exists(out + QStringLiteral("/second.pdf")));
    }
};

QTEST_MAIN(TestPrintCups)
#include "test_print_cups.moc"
