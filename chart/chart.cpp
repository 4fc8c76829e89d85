#include "chart.h"

#include "core/errors.h"

#include <QFontMetrics>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QSaveFile>
#include <cstdlib>

namespace chart {

namespace {

// A zoom rectangle counts when it is wider and taller than this.
constexpr int kMinimumZoomDrag = 16;
constexpr int kMaximumGradientBands = 256;
const QColor kGradientTop(128, 255, 255);
const QColor kGridColor(128, 128, 128);

SystemPictureSink &systemSink()
{
    static SystemPictureSink sink;
    return sink;
}

// A rectangle's outline covering exactly its pixels.
void drawOutline(QPainter &painter, const QRect &rect)
{
    painter.drawRect(QRect(rect.left(), rect.top(), rect.width() - 1, rect.height() - 1));
}

void paintGradient(QPainter &painter, const QRect &area)
{
    const int height = area.height();
    const int bands = std::min(height, kMaximumGradientBands);
    for (int band = 0; band < bands; ++band) {
        const int top = area.top() + band * height / bands;
        const int bottom = area.top() + (band + 1) * height / bands;
        // Top band RGB(128, 255, 255), bottom band white, linear between.
        const int red =
            bands > 1 ? kGradientTop.red() + ((255 - kGradientTop.red()) * band + (bands - 1) / 2) / (bands - 1) : 255;
        painter.fillRect(QRect(area.left(), top, area.width(), bottom - top), QColor(red, 255, 255));
    }
}

// One bar: its front face from (left, top) to (right, bottom), and in 3D
// a box reaching `depth` pixels back, up and to the right.
void drawBar(QPainter &painter, int left, int top, int right, int bottom, int depth, const QColor &color)
{
    painter.setPen(QPen(Qt::black, 1));
    if (depth > 0) {
        painter.setBrush(color.darker(125));
        painter.drawPolygon(QPolygon({QPoint(left, top), QPoint(left + depth, top - depth),
                                      QPoint(right + depth, top - depth), QPoint(right, top)}));
        painter.setBrush(color.darker(160));
        painter.drawPolygon(QPolygon({QPoint(right, top), QPoint(right + depth, top - depth),
                                      QPoint(right + depth, bottom - depth), QPoint(right, bottom)}));
    }
    if (right == left) {
        painter.drawLine(left, top, left, bottom);
        return;
    }
    painter.setBrush(color);
    painter.drawRect(QRect(left, top, right - left, bottom - top));
}

// The background: the gradient, or the plain background colour.
void drawBackground(QPainter &painter, const QRect &area, const ChartSettings &settings)
{
    if (settings.gradientVisible)
        paintGradient(painter, area);
    else
        painter.fillRect(area, settings.color);
}

// The walls: outlines only, so the background shows through. In 3D the
// back wall, the left wall and the floor of the plot box.
void drawWalls(QPainter &painter, const ChartLayout &layout)
{
    const QRect &plot = layout.plot;
    const int depth = layout.depth;
    const int left = plot.left(), right = plot.right(), top = plot.top(), bottom = plot.bottom();
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::NoBrush);
    if (depth == 0) {
        drawOutline(painter, plot);
        return;
    }
    drawOutline(painter, plot.translated(depth, -depth));
    painter.drawPolygon(QPolygon({QPoint(left, bottom), QPoint(left, top), QPoint(left + depth, top - depth),
                                  QPoint(left + depth, bottom - depth)}));
    painter.drawPolygon(QPolygon({QPoint(left, bottom), QPoint(right, bottom), QPoint(right + depth, bottom - depth),
                                  QPoint(left + depth, bottom - depth)}));
}

// Dotted lines at the left axis labels inside the plot; in 3D along the
// left wall and across the back wall.
void drawGrid(QPainter &painter, const ChartLayout &layout)
{
    const AxisScale &yScale = layout.scale(AxisId::Left);
    const QRect &plot = layout.plot;
    const int depth = layout.depth;
    const int left = plot.left(), right = plot.right();
    painter.setPen(QPen(kGridColor, 1, Qt::DotLine));
    for (double value : yScale.labels) {
        const int y = yScale.toPixel(value);
        if (y <= plot.top() || y >= plot.bottom())
            continue;
        if (depth == 0) {
            painter.drawLine(left + 1, y, right - 1, y);
        } else {
            painter.drawLine(left, y, left + depth, y - depth);
            painter.drawLine(left + depth, y - depth, right + depth - 1, y - depth);
        }
    }
}

// Each shown series' bars, cut at the plot area; in 3D each series at its
// slice of the plot box, the last shown series in front.
void drawBars(QPainter &painter, const ChartModel &model, const ChartLayout &layout)
{
    const AxisScale &xScale = layout.scale(AxisId::Bottom);
    const AxisScale &yScale = layout.scale(AxisId::Left);
    const QRect &plot = layout.plot;
    const int shownCount = model.shownSeriesCount();
    int shownIndex = 0;
    for (const SpeedRangeSeries *series : model.series()) {
        if (!series->active())
            continue;
        const int offset = (shownCount - 1 - shownIndex) * layout.slice;
        ++shownIndex;
        painter.save();
        painter.setClipRect(QRect(QPoint(plot.left() + offset, plot.top() - offset - layout.slice),
                                  QPoint(plot.right() + offset + layout.slice, plot.bottom() - offset)),
                            Qt::IntersectClip);
        for (const SpeedRangeSeries::Bar &bar : series->bars()) {
            const int x0 = xScale.toPixel(bar.start);
            const int x1 = xScale.toPixel(bar.end);
            const int y = yScale.toPixel(bar.y);
            const int half = (x1 - x0) / 2;
            const int left = std::min(x0, x0 + 2 * half);
            const int right = std::max(x0, x0 + 2 * half);
            drawBar(painter, left + offset, y - kBarHalfHeight - offset, right + offset, y + kBarHalfHeight - offset,
                    layout.slice, series->color());
        }
        painter.restore();
    }
}

void drawAxisLines(QPainter &painter, const ChartLayout &layout)
{
    const QRect &plot = layout.plot;
    painter.setPen(QPen(Qt::black, 1));
    painter.drawLine(plot.left(), plot.top(), plot.left(), plot.bottom());
    painter.drawLine(plot.left(), plot.bottom(), plot.right(), plot.bottom());
}

// Ticks and labels left of the plot, each label centred on its tick.
void drawLeftLabels(QPainter &painter, const Axis &axis, const ChartLayout &layout, const QFontMetrics &metrics)
{
    const AxisScale &scale = layout.scale(AxisId::Left);
    const int left = layout.plot.left();
    for (double value : scale.labels) {
        const int y = scale.toPixel(value);
        painter.drawLine(left - kTickLength, y, left - 1, y);
        const QString text = axis.labelText(value);
        const int width = metrics.horizontalAdvance(text);
        painter.drawText(QPoint(left - kTickLength - kLabelGap - width, y - metrics.height() / 2 + metrics.ascent()),
                         text);
    }
}

// Ticks and labels below the plot, each label centred under its tick.
void drawBottomLabels(QPainter &painter, const Axis &axis, const ChartLayout &layout, const QFontMetrics &metrics)
{
    const AxisScale &scale = layout.scale(AxisId::Bottom);
    const int bottom = layout.plot.bottom();
    for (double value : scale.labels) {
        const int x = scale.toPixel(value);
        painter.drawLine(x, bottom + 1, x, bottom + kTickLength);
        const QString text = axis.labelText(value);
        const int width = metrics.horizontalAdvance(text);
        painter.drawText(QPoint(x - width / 2, bottom + kTickLength + kLabelGap + metrics.ascent()), text);
    }
}

// The left title turned a quarter left along the chart's left edge, the
// bottom title centred under the bottom labels.
void drawAxisTitles(QPainter &painter, const ChartModel &model, const ChartLayout &layout, int textHeight)
{
    const QRect &plot = layout.plot;
    const QString leftTitle = model.axis(AxisId::Left).title();
    const QString bottomTitle = model.axis(AxisId::Bottom).title();
    if (!leftTitle.isEmpty()) {
        painter.save();
        painter.translate(layout.inner.left(), plot.center().y());
        painter.rotate(-90);
        painter.drawText(QRect(-plot.height(), 0, 2 * plot.height(), textHeight), Qt::AlignHCenter | Qt::AlignTop,
                         leftTitle);
        painter.restore();
    }
    if (!bottomTitle.isEmpty()) {
        painter.drawText(QRect(plot.left(), plot.bottom() + kTickLength + kLabelGap + textHeight + kTitleGap,
                               plot.width(), textHeight),
                         Qt::AlignHCenter | Qt::AlignTop, bottomTitle);
    }
}

} // namespace

Chart::Chart(QWidget *parent) : QFrame(parent)
{
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    // The context menu opens on the right button's release, after a pan.
    setContextMenuPolicy(Qt::PreventContextMenu);
    m_model.settings().color = palette().color(QPalette::Button);
}

Chart::~Chart()
{
    // Series may be children of the chart and die after this destructor;
    // they must not call back into it.
    for (SpeedRangeSeries *series : m_model.series())
        disconnect(series, nullptr, this, nullptr);
}

void Chart::addSeries(SpeedRangeSeries *series)
{
    if (!series || m_model.series().contains(series))
        return;
    m_model.addSeries(series);
    connect(series, &SpeedRangeSeries::changed, this, qOverload<>(&QWidget::update));
    connect(series, &QObject::destroyed, this, [this, series] {
        m_model.removeSeries(series);
        update();
    });
    update();
}

void Chart::removeSeries(SpeedRangeSeries *series)
{
    if (!series)
        return;
    disconnect(series, nullptr, this, nullptr);
    m_model.removeSeries(series);
    update();
}

void Chart::setAxis(AxisId id, const Axis &axis)
{
    m_model.axis(id) = axis;
    update();
}

void Chart::setBottomAxisTitle(const QString &title)
{
    m_model.axis(AxisId::Bottom).setTitle(title);
    update();
}

void Chart::setView3D(bool on)
{
    m_model.settings().view3D = on;
    update();
}

void Chart::setChart3DPercent(int percent)
{
    constexpr int lowest = 1, highest = 100;
    if (percent < lowest || percent > highest)
        throw core::AppError(QString::asprintf("3D effect percent must be between %d and %d", lowest, highest));
    m_model.settings().chart3DPercent = percent;
    update();
}

void Chart::setGradientVisible(bool on)
{
    m_model.settings().gradientVisible = on;
    update();
}

void Chart::setBackgroundColor(const QColor &color)
{
    m_model.settings().color = color;
    update();
}

void Chart::setHint(const QString &hint)
{
    setToolTip(hint);
    setStatusTip(hint);
}

void Chart::copySettingsFrom(const Chart &other)
{
    m_model.copySettingsFrom(other.m_model);
    setFont(other.font());
    update();
}

QFont Chart::drawingFont() const
{
    QFont font = this->font();
    if (font.pixelSize() <= 0)
        font.setPixelSize(std::max(1, qRound(font.pointSizeF() * logicalDpiY() / 72.0)));
    return font;
}

LabelMetrics Chart::labelMetrics(const QFont &font) const
{
    const QFontMetrics metrics(font);
    return {[metrics](const QString &text) { return metrics.horizontalAdvance(text); }, metrics.height()};
}

ChartLayout Chart::currentLayout() const
{
    return layoutChart(m_model, contentsRect(), labelMetrics(drawingFont()));
}

void Chart::draw(QPainter &painter, const QRect &area) const
{
    painter.save();
    painter.setClipRect(area, painter.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
    painter.setRenderHint(QPainter::Antialiasing, false);
    const QFont font = drawingFont();
    painter.setFont(font);
    const ChartLayout layout = layoutChart(m_model, area, labelMetrics(font));

    drawBackground(painter, area, m_model.settings());
    drawWalls(painter, layout);
    if (layout.axesVisible && m_model.axis(AxisId::Left).gridVisible())
        drawGrid(painter, layout);
    drawBars(painter, m_model, layout);
    if (layout.axesVisible) {
        const QFontMetrics metrics(font);
        drawAxisLines(painter, layout);
        drawLeftLabels(painter, m_model.axis(AxisId::Left), layout, metrics);
        drawBottomLabels(painter, m_model.axis(AxisId::Bottom), layout, metrics);
        drawAxisTitles(painter, m_model, layout, metrics.height());
    }
    painter.restore();
}

QImage Chart::picture() const
{
    const QSize size = contentsRect().size().expandedTo(QSize(1, 1));
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    draw(painter, QRect(QPoint(0, 0), size));
    return image;
}

void Chart::redrawNow()
{
    repaint();
}

void Chart::zoomToLimits(const AxisLimitSet &targets)
{
    m_model.zoomToLimits(targets, [this] { redrawNow(); });
    redrawNow();
}

void Chart::zoomByPercent(double percent)
{
    zoomToLimits(m_model.percentTargets(percent));
}

void Chart::resetZoom()
{
    m_model.resetZoom();
    redrawNow();
}

void Chart::copyPicture()
{
    const QImage image = picture();
    PictureSink &sink = m_sink ? *m_sink : systemSink();
    if (!sink.putOnClipboard(image))
        throw core::AppError(QStringLiteral("Cannot open clipboard"));
}

void Chart::saveBitmap(const QString &fileName)
{
    const auto failure = [&fileName](const QString &reason) {
        return core::AppError(QStringLiteral("Cannot create file \"%1\". %2").arg(fileName, reason));
    };
    const QImage image = picture();
    PictureSink &sink = m_sink ? *m_sink : systemSink();
    // Written beside the target and renamed over it at the end, so a failure
    // leaves neither a partial file nor a damaged old one.
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        throw failure(file.errorString());
    if (!sink.writeBitmap(image, file)) {
        const QString reason = file.errorString();
        file.cancelWriting();
        throw failure(reason);
    }
    if (!file.commit())
        throw failure(file.errorString());
}

void Chart::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    m_model.refreshAutomaticLimits();
    QPainter painter(this);
    draw(painter, contentsRect());
    if (m_band.active)
        drawBand(painter);
    ++m_framesPainted;
    Q_EMIT framePainted();
}

void Chart::drawBand(QPainter &painter) const
{
    // Not-xor in the background colour: drawn twice, the pixels come back.
    QColor color = m_model.settings().color;
    if (color == QColor(Qt::white))
        color = Qt::black;
    painter.save();
    painter.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
    painter.setPen(QPen(color, 0));
    painter.setBrush(Qt::NoBrush);
    drawOutline(painter, QRect(m_band.start, m_band.current).normalized());
    painter.restore();
}

void Chart::mousePressEvent(QMouseEvent *event)
{
    const QPoint point = event->position().toPoint();
    if (m_band.active || m_pan.active)
        return;
    if (!m_model.anySeriesShown() || !currentLayout().inPlotBox(point))
        return;
    if (event->button() == Qt::LeftButton) {
        m_band = {true, point, point};
        update();
    } else if (event->button() == Qt::RightButton) {
        m_pan = {true, point};
    }
}

void Chart::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint point = event->position().toPoint();
    if (m_band.active && point != m_band.current) {
        m_band.current = point;
        update();
    }
    if (m_pan.active) {
        const ChartLayout layout = currentLayout();
        if (!layout.inPlotBox(point)) {
            m_pan.active = false;
        } else if (point != m_pan.previous) {
            panAxes(m_model, layout, m_pan.previous, point);
            m_pan.previous = point;
            redrawNow();
        }
    }
}

void Chart::mouseReleaseEvent(QMouseEvent *event)
{
    const QPoint point = event->position().toPoint();
    if (event->button() == Qt::LeftButton && m_band.active) {
        m_band.active = false;
        m_band.current = point;
        const QPoint &start = m_band.start;
        if (std::abs(point.x() - start.x()) > kMinimumZoomDrag && std::abs(point.y() - start.y()) > kMinimumZoomDrag) {
            if (point.x() > start.x() && point.y() > start.y())
                m_model.zoomToLimits(rectangleTargets(m_model, currentLayout(), start, point), [this] { redrawNow(); });
            else
                m_model.resetZoom();
        }
        redrawNow();
    }
    m_pan.active = false;
    if (event->button() == Qt::RightButton && m_contextMenu)
        m_contextMenu->popup(event->globalPosition().toPoint());
}

} // namespace chart
