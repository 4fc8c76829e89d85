#pragma once

#include <QColor>
#include <QFont>
#include <QList>
#include <QObject>
#include <QRectF>
#include <QSize>
#include <QString>
#include <functional>

class QPagedPaintDevice;
class QPainter;
class QPrinter;

namespace core {
class AppError;
}

namespace report {

// The banded report engine: an A4 page with a page header, a title band, a
// detail band repeated once per line of data, and a page footer. Every
// position and size is in millimetres, relative to its band's top-left
// corner; the bands are stacked from the top margin down.

enum class BandType { PageHeader, Title, Detail, PageFooter };

// A text on a band. Left-aligned labels are as wide as their text; a
// centred label is centred across the whole band width.
class ReportLabel : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)

public:
    ReportLabel(const QString &name, QObject *band, double leftMm, double topMm, const QFont &font,
                bool centred = false);

    QString caption() const { return m_caption; }
    void setCaption(const QString &text) { m_caption = text; }
    QFont font() const { return m_font; }
    void setFont(const QFont &font) { m_font = font; }
    QColor color() const { return m_color; }
    void setColor(const QColor &color) { m_color = color; }
    double leftMm() const { return m_leftMm; }
    double topMm() const { return m_topMm; }
    bool centred() const { return m_centred; }

private:
    QString m_caption;
    QFont m_font;
    QColor m_color = Qt::black;
    double m_leftMm;
    double m_topMm;
    bool m_centred;
};

// Prints a chart into a rectangle of its band. The chart is laid out at the
// holder's screen size and stretched to the printed rectangle, painted
// straight into the page so it stays vector in a PDF.
class ReportChart : public QObject
{
    Q_OBJECT

public:
    using Painter = std::function<void(QPainter &painter, const QRect &layout)>;

    ReportChart(const QString &name, QObject *band, const QRectF &rectMm, QSize layoutPixels);

    QRectF rectMm() const { return m_rectMm; }
    QSize layoutPixels() const { return m_layoutPixels; }
    // What paints the chart into the layout rectangle; none prints nothing.
    void setPainter(Painter painter) { m_painter = std::move(painter); }
    void paint(QPainter &painter, const QRectF &target) const;

private:
    QRectF m_rectMm;
    QSize m_layoutPixels;
    Painter m_painter;
};

class ReportBand : public QObject
{
    Q_OBJECT

public:
    ReportBand(const QString &name, QObject *report, BandType type, double heightMm);

    BandType type() const { return m_type; }
    double heightMm() const { return m_heightMm; }

private:
    BandType m_type;
    double m_heightMm;
};

// The report: page set-up, bands and the two events that feed it.
class ReportPage : public QObject
{
    Q_OBJECT

public:
    static constexpr double kPaperWidthMm = 210.0;
    static constexpr double kPaperHeightMm = 297.0;
    static constexpr double kMarginMm = 10.0;
    static constexpr double kBandWidthMm = 189.97;

    // BeforePrint answers whether to print at all. NeedData is asked with
    // MoreData preset and answers whether a detail line follows.
    using BeforePrint = std::function<void(bool &printReport)>;
    using NeedData = std::function<void(bool &moreData)>;

    ReportPage(const QString &name, QObject *parent);

    void setBeforePrint(BeforePrint handler) { m_beforePrint = std::move(handler); }
    void setNeedData(NeedData handler) { m_needData = std::move(handler); }

    // The printer the report is generated for; empty = PDF file output.
    QString printerName() const { return m_printerName; }
    void setPrinterName(const QString &name) { m_printerName = name; }

    // The band of a type, or none.
    ReportBand *band(BandType type) const;

    // Generates the report into a device: A4 portrait with 10 mm margins.
    // Runs BeforePrint, then NeedData once before the first detail line and
    // once after each; a new page is started when a line no longer fits
    // above the page footer. Returns the number of detail lines printed.
    // Throws core::AppError when any step fails: the device cannot be
    // painted on, a page cannot be started or the output not finished. A
    // printer that writes a file writes it beside the target and puts it in
    // place only when every byte has been written, so a failed print leaves
    // an existing file as it was and creates none; the reason for a failure
    // is found without creating anything.
    int print(QPagedPaintDevice &device);

    // Sets the report's page layout on a device that is not yet painted on.
    static void applyPageLayout(QPagedPaintDevice &device);

private:
    int printToFile(QPrinter &printer);
    int generate(QPagedPaintDevice &device, const std::function<core::AppError()> &failure);

    BeforePrint m_beforePrint;
    NeedData m_needData;
    QString m_printerName;
};

} // namespace report
