#include "report_engine.h"

#include "platform/errors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPrinter>

namespace report {

ReportLabel::ReportLabel(const QString &name, QObject *band, double leftMm, double topMm, const QFont &font,
                         bool centred)
    : QObject(band), m_font(font), m_leftMm(leftMm), m_topMm(topMm), m_centred(centred)
{
    setObjectName(name);
}

ReportChart::ReportChart(const QString &name, QObject *band, const QRectF &rectMm, QSize layoutPixels)
    : QObject(band), m_rectMm(rectMm), m_layoutPixels(layoutPixels)
{
    setObjectName(name);
}

void ReportChart::paint(QPainter &painter, const QRectF &target) const
{
    if (!m_painter || m_layoutPixels.isEmpty())
        return;
    painter.save();
    painter.setClipRect(target, Qt::IntersectClip);
    painter.translate(target.topLeft());
    painter.scale(target.width() / m_layoutPixels.width(), target.height() / m_layoutPixels.height());
    m_painter(painter, QRect(QPoint(0, 0), m_layoutPixels));
    painter.restore();
}

ReportBand::ReportBand(const QString &name, QObject *report, BandType type, double heightMm)
    : QObject(report), m_type(type), m_heightMm(heightMm)
{
    setObjectName(name);
}

QuickRep::QuickRep(const QString &name, QObject *parent) : QObject(parent)
{
    setObjectName(name);
}

ReportBand *QuickRep::band(BandType type) const
{
    for (ReportBand *b : findChildren<ReportBand *>(Qt::FindDirectChildrenOnly))
        if (b->type() == type)
            return b;
    return nullptr;
}

void QuickRep::applyPageLayout(QPagedPaintDevice &device)
{
    const QMarginsF margins(kMarginMm, kMarginMm, kMarginMm, kMarginMm);
    // A printer whose hardware margins are wider refuses the layout as a
    // whole; the page is then laid out against the paper edge regardless.
    if (!device.setPageLayout(
            QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, margins, QPageLayout::Millimeter))) {
        device.setPageSize(QPageSize(QPageSize::A4));
        device.setPageOrientation(QPageLayout::Portrait);
    }
}

namespace {

// Paints in paper millimetres on a device whose painter origin may sit at
// the margins.
class PagePainter
{
public:
    PagePainter(QPainter &painter, const QPagedPaintDevice &device) : m_painter(painter)
    {
        m_dotsPerMmX = device.logicalDpiX() / 25.4;
        m_dotsPerMmY = device.logicalDpiY() / 25.4;
        const QPageLayout layout = device.pageLayout();
        if (layout.mode() != QPageLayout::FullPageMode) {
            const QRectF paint = layout.paintRect(QPageLayout::Millimeter);
            m_originMm = paint.topLeft();
        }
    }

    QPointF point(double xMm, double yMm) const
    {
        return {(xMm - m_originMm.x()) * m_dotsPerMmX, (yMm - m_originMm.y()) * m_dotsPerMmY};
    }
    QRectF rect(const QRectF &mm) const { return QRectF(point(mm.left(), mm.top()), point(mm.right(), mm.bottom())); }
    QPainter &painter() { return m_painter; }

    // Draws the labels and charts of a band whose top is at yMm.
    void band(const ReportBand &band, double yMm)
    {
        const double leftMm = QuickRep::kMarginMm;
        for (const ReportChart *chart : band.findChildren<ReportChart *>(Qt::FindDirectChildrenOnly))
            chart->paint(m_painter, rect(chart->rectMm().translated(leftMm, yMm)));
        for (const ReportLabel *label : band.findChildren<ReportLabel *>(Qt::FindDirectChildrenOnly)) {
            if (label->caption().isEmpty())
                continue;
            m_painter.setFont(label->font());
            m_painter.setPen(label->color());
            const QFontMetricsF metrics(m_painter.font(), m_painter.device());
            const double width = metrics.horizontalAdvance(label->caption());
            const QPointF topLeft = point(leftMm + label->leftMm(), yMm + label->topMm());
            QRectF box(topLeft, QSizeF(width, metrics.height()));
            if (label->centred()) {
                const double bandLeft = point(leftMm, 0).x();
                const double bandRight = point(leftMm + QuickRep::kBandWidthMm, 0).x();
                box.moveLeft((bandLeft + bandRight - width) / 2);
            }
            m_painter.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, label->caption());
        }
    }

private:
    QPainter &m_painter;
    double m_dotsPerMmX = 1.0;
    double m_dotsPerMmY = 1.0;
    QPointF m_originMm;
};

QString beginFailure(const QPagedPaintDevice &device)
{
    const auto *printer = dynamic_cast<const QPrinter *>(&device);
    if (printer && !printer->outputFileName().isEmpty()) {
        const QString name = printer->outputFileName();
        QString reason = QStringLiteral("Access denied");
        if (QFileInfo(name).isDir()) {
            reason = QStringLiteral("Is a directory");
        } else {
            QFile file(name);
            if (!file.open(QIODevice::ReadWrite))
                reason = file.errorString();
        }
        return QStringLiteral("Cannot create file \"%1\". %2").arg(QDir::toNativeSeparators(name), reason);
    }
    if (printer && !printer->printerName().isEmpty())
        return QStringLiteral("Cannot print on \"%1\"").arg(printer->printerName());
    return QStringLiteral("Cannot print the report");
}

} // namespace

int QuickRep::print(QPagedPaintDevice &device)
{
    bool printReport = true;
    if (m_beforePrint)
        m_beforePrint(printReport);
    if (!printReport)
        return 0;

    applyPageLayout(device);
    QPainter painter;
    if (!painter.begin(&device))
        throw platform::AppError(beginFailure(device));
    painter.setRenderHint(QPainter::TextAntialiasing);
    PagePainter page(painter, device);

    const ReportBand *header = band(BandType::PageHeader);
    const ReportBand *title = band(BandType::Title);
    const ReportBand *detail = band(BandType::Detail);
    const ReportBand *footer = band(BandType::PageFooter);
    const double footerTop = kPaperHeightMm - kMarginMm - (footer ? footer->heightMm() : 0.0);

    // Page header and footer are printed on every page, the first and the
    // last included.
    auto startPage = [&] {
        double y = kMarginMm;
        if (header) {
            page.band(*header, y);
            y += header->heightMm();
        }
        if (footer)
            page.band(*footer, footerTop);
        return y;
    };

    double y = startPage();
    if (title) {
        page.band(*title, y);
        y += title->heightMm();
    }

    int lines = 0;
    bool more = true;
    if (m_needData)
        m_needData(more);
    else
        more = false;
    while (more && detail) {
        if (y + detail->heightMm() > footerTop + 1e-9 && y > kMarginMm + (header ? header->heightMm() : 0) + 1e-9) {
            device.newPage();
            y = startPage();
        }
        page.band(*detail, y);
        y += detail->heightMm();
        ++lines;
        more = false;
        m_needData(more);
    }
    painter.end();
    return lines;
}

} // namespace report
