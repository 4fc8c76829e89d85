#pragma once

// A stand-in for the main window as the report sees it: the chart "Chart1"
// with the three speed-range series, the unit choice "RadioGroup1" and the
// report table, filled from the default gearing by the real arithmetic as
// the recalculation and the Report command fill them.

#include "calc/tests/fake_gear_window.h"
#include "chart/chart.h"
#include "platform/radio_group.h"
#include "report/report_preview_window.h"
#include "report/report_source.h"
#include "report/report_table.h"
#include "report/string_grid.h"

#include <QAction>
#include <QApplication>
#include <QColor>
#include <QDeadlineTimer>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace report_test {

class MainWindowStandIn : public QWidget, public report::ReportSource
{
public:
    MainWindowStandIn() : chart(new chart::Chart(this))
    {
        setObjectName(QStringLiteral("gearform"));
        chart->setObjectName(QStringLiteral("Chart1"));
        chart->resize(528, 308);
        const QColor colours[3] = {QColor(0, 255, 0), QColor(255, 255, 0), QColor(255, 0, 0)};
        for (int s = 0; s < 3; ++s) {
            series[s] = new chart::SpeedRangeSeries(this);
            series[s]->setObjectName(QStringLiteral("Series%1").arg(s + 1));
            series[s]->setColor(colours[s]);
            chart->addSeries(series[s]);
        }
        gearing.window = this;
        gearing.recalc();

        unit = new platform::RadioGroup(2, this);
        unit->setObjectName(QStringLiteral("RadioGroup1"));
        unit->setItems({QStringLiteral("Km/t"), QStringLiteral("Mph")});
        unit->setItemIndex(0);

        grid = new report::StringGrid(this);
        grid->setObjectName(QStringLiteral("StringGrid1"));
        fillTable();
    }

    // The report table as the Report command copies it from the window.
    void fillTable() { report::fillReportTable(*grid, *this); }

    QString unitText() const override { return unit->selectedText(); }
    QString chainringText(calc::Chainring ring) const override { return gearing.chainringText(ring); }
    QString sprocketText(int row) const override { return gearing.sprocketText(row); }
    QString gearInchesText(calc::Chainring ring, int row) const override { return gearing.inch(ring, row); }
    QString speedText(calc::Chainring ring, int row) const override { return gearing.speed(ring, row); }

    // The default gearing; its bars go to the chart's series.
    struct Gearing : FakeGearWindow
    {
        MainWindowStandIn *window = nullptr;
        void clearSeries(int s) override { window->series[s - 1]->clear(); }
        void addBar(int s, double start, double end, double y) override
        {
            window->series[s - 1]->addBar(start, end, y);
        }
    } gearing;
    chart::Chart *chart = nullptr;
    chart::SpeedRangeSeries *series[3] = {};
    platform::RadioGroup *unit = nullptr;
    report::StringGrid *grid = nullptr;
};

// A printer that writes a PDF file.
struct PdfPrinter : QPrinter
{
    explicit PdfPrinter(const QString &file) : QPrinter(QPrinter::HighResolution)
    {
        setOutputFormat(QPrinter::PdfFormat);
        setOutputFileName(file);
    }
};

// The output of a poppler tool (pdftotext, pdfinfo, pdftoppm, pdfimages)
// run on a printed report. A tool that is missing or fails fails the test
// with its reason, rather than leaving an empty text that some check might
// take for a report without words.
inline QString pdfTool(const QString &tool, const QStringList &args)
{
    QProcess p;
    p.start(tool, args);
    if (!p.waitForFinished(30000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        QTest::qFail(qPrintable(QStringLiteral("%1 %2 failed (%3): the PDF checks need poppler-utils, which "
                                               "scripts/install-deps.sh installs")
                                    .arg(tool, args.join(u' '),
                                         p.error() == QProcess::FailedToStart
                                             ? p.errorString()
                                             : QString::fromLocal8Bit(p.readAllStandardError()).trimmed())),
                     __FILE__, __LINE__);
        return {};
    }
    return QString::fromUtf8(p.readAllStandardOutput());
}

// A word of a PDF page as pdftotext -bbox reports it, in millimetres from
// the paper's top-left corner.
struct PdfWord
{
    QString text;
    double xMin;
    double yMin;
    double xMax;
    double yMax;
};

inline QList<PdfWord> pdfWords(const QString &pdf)
{
    const QString html = pdfTool(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    static const QRegularExpression re(QString::fromLatin1(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    QList<PdfWord> words;
    const double mm = 25.4 / 72.0;
    for (auto it = re.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        words.append({m.captured(5), m.captured(1).toDouble() * mm, m.captured(2).toDouble() * mm,
                      m.captured(3).toDouble() * mm, m.captured(4).toDouble() * mm});
    }
    return words;
}

inline QString pdfLayoutText(const QString &pdf)
{
    return pdfTool(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
}

// The open report preview, if any.
inline report::ReportPreviewWindow *openPreview()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *preview = qobject_cast<report::ReportPreviewWindow *>(w); preview && preview->isVisible())
            return preview;
    return nullptr;
}

// Runs command, which opens the report preview and returns once it has been
// closed. whileOpen runs inside the preview's event loop with the preview on
// screen; then the preview is closed, as a rider closes it. Returns whether
// a preview opened; a minute without one ends the waiting, never hangs.
inline bool withOpenPreview(const std::function<void()> &command,
                            const std::function<void(report::ReportPreviewWindow &)> &whileOpen)
{
    QObject waiting; // takes the pending poll with it when the command fails
    bool opened = false;
    const QDeadlineTimer deadline(60000);
    std::function<void()> poll = [&] {
        if (report::ReportPreviewWindow *preview = openPreview()) {
            opened = true;
            whileOpen(*preview);
            preview->close();
        } else if (!deadline.hasExpired()) {
            QTimer::singleShot(20, &waiting, poll);
        }
    };
    QTimer::singleShot(0, &waiting, poll);
    command();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return opened;
}

// The preview's Print tool as a rider uses it: the print dialog it opens is
// accepted. Returns whether the dialog came up.
inline bool printFromPreview(report::ReportPreviewWindow &preview)
{
    QObject waiting;
    bool accepted = false;
    QTimer::singleShot(0, &waiting, [&] {
        if (auto *dialog = preview.findChild<QPrintDialog *>(QStringLiteral("printDialog"))) {
            accepted = true;
            dialog->accept();
        }
    });
    if (auto *print = preview.findChild<QAction *>(QStringLiteral("printAction")))
        print->trigger();
    return accepted;
}

} // namespace report_test
