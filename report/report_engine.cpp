#include "report_engine.h"

#include "core/errors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>
#include <memory>

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

ReportPage::ReportPage(const QString &name, QObject *parent) : QObject(parent)
{
    setObjectName(name);
}

ReportBand *ReportPage::band(BandType type) const
{
    for (ReportBand *b : findChildren<ReportBand *>(Qt::FindDirectChildrenOnly))
        if (b->type() == type)
            return b;
    return nullptr;
}

void ReportPage::applyPageLayout(QPagedPaintDevice &device)
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
    PagePainter(QPainter &painter, const QPagedPaintDevice &device)
        : m_painter(painter), m_dotsPerMmX(device.logicalDpiX() / 25.4), m_dotsPerMmY(device.logicalDpiY() / 25.4)
    {
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
    QRectF rect(const QRectF &mm) const { return {point(mm.left(), mm.top()), point(mm.right(), mm.bottom())}; }
    QPainter &painter() { return m_painter; }

    // Draws the labels and charts of a band whose top is at yMm.
    void band(const ReportBand &band, double yMm)
    {
        const double leftMm = ReportPage::kMarginMm;
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
                const double bandRight = point(leftMm + ReportPage::kBandWidthMm, 0).x();
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

QString cannotCreate(const QString &name, const QString &reason)
{
    return QStringLiteral("Cannot create file \"%1\". %2").arg(QDir::toNativeSeparators(name), reason);
}

// Why a file cannot be created, found by looking only: nothing is opened or
// created on the way.
QString whyNotCreated(const QString &name, const QString &fallback)
{
    const QFileInfo info(name);
    const QFileInfo folder(info.absolutePath());
    if (info.isDir())
        return QStringLiteral("Is a directory");
    if (!folder.exists())
        return QStringLiteral("No such file or directory");
    if (!folder.isDir())
        return QStringLiteral("Not a directory");
    if ((info.exists() && !info.isWritable()) || (!info.exists() && !folder.isWritable()))
        return QStringLiteral("Access denied");
    return fallback.isEmpty() ? QStringLiteral("Access denied") : fallback;
}

// The printer writes a file of its own (PDF output, or a printer told to
// print to a file) rather than painting the pages of a preview.
bool writesFile(QPagedPaintDevice &device)
{
    auto *printer = dynamic_cast<QPrinter *>(&device);
    if (!printer || printer->outputFileName().isEmpty())
        return false;
    const QPaintEngine *engine = printer->paintEngine();
    return engine && engine->type() == QPaintEngine::Pdf;
}

QString deviceFailure(const QPagedPaintDevice &device)
{
    const auto *printer = dynamic_cast<const QPrinter *>(&device);
    if (printer && !printer->outputFileName().isEmpty())
        return cannotCreate(printer->outputFileName(), whyNotCreated(printer->outputFileName(), QString()));
    if (printer && !printer->printerName().isEmpty())
        return QStringLiteral("Cannot print on \"%1\"").arg(printer->printerName());
    return QStringLiteral("Cannot print the report");
}

} // namespace

int ReportPage::print(QPagedPaintDevice &device)
{
    bool printReport = true;
    if (m_beforePrint)
        m_beforePrint(printReport);
    if (!printReport)
        return 0;

    // A device already painted on cannot take the report (nor its page
    // layout).
    if (device.paintingActive())
        throw core::AppError(QStringLiteral("The printer is busy with another print"));
    applyPageLayout(device);
    if (writesFile(device))
        return printToFile(static_cast<QPrinter &>(device));
    return generate(device, [&device] { return core::AppError(deviceFailure(device)); });
}

int ReportPage::printToFile(QPrinter &printer)
{
    const QString name = printer.outputFileName();
    const QFileInfo info(name);
    if (info.isDir())
        throw core::AppError(cannotCreate(name, whyNotCreated(name, QString())));

    // Written beside the target and renamed over it once complete, so a
    // failure leaves neither a partial file nor a damaged old one. A device
    // or pipe under that name is written in place.
    std::unique_ptr<QFileDevice> file;
    QSaveFile *saveFile = nullptr;
    if (info.exists() && !info.isFile()) {
        file = std::make_unique<QFile>(name);
    } else {
        auto save = std::make_unique<QSaveFile>(name);
        saveFile = save.get();
        file = std::move(save);
    }
    if (!file->open(QIODevice::WriteOnly))
        throw core::AppError(cannotCreate(name, whyNotCreated(name, file->errorString())));

    const auto failure = [&file, &name] {
        const QString reason = file->error() != QFileDevice::NoError ? file->errorString() : QString();
        return core::AppError(cannotCreate(name, reason.isEmpty() ? whyNotCreated(name, reason) : reason));
    };
    int lines = 0;
    {
        // The printer's own PDF output does not tell whether its file was
        // written; this one writes to a file whose every write is checked.
        QPdfWriter writer(file.get());
        writer.setResolution(printer.resolution());
        writer.setPageLayout(printer.pageLayout());
        writer.setTitle(printer.docName());
        writer.setCreator(printer.creator());
        writer.setPdfVersion(printer.pdfVersion());
        try {
            lines = generate(writer, failure);
        } catch (...) {
            if (saveFile)
                saveFile->cancelWriting();
            throw;
        }
    }
    const bool written = saveFile ? saveFile->commit() : file->flush() && file->error() == QFileDevice::NoError;
    if (!written)
        throw failure();
    if (!saveFile)
        file->close();
    return lines;
}

int ReportPage::generate(QPagedPaintDevice &device, const std::function<core::AppError()> &failure)
{
    QPainter painter;
    if (!painter.begin(&device))
        throw failure();
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
            if (!device.newPage())
                throw failure();
            y = startPage();
        }
        page.band(*detail, y);
        y += detail->heightMm();
        ++lines;
        more = false;
        m_needData(more);
    }
    if (!painter.end())
        throw failure();
    return lines;
}

} // namespace report
