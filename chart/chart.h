#pragma once

#include "chart_layout.h"
#include "chart_model.h"
#include "picture_sink.h"
#include "speed_range_series.h"

#include <QFrame>
#include <QImage>
#include <QMenu>
#include <QPointer>

namespace chart {

// The speed-range chart: bar-range series over a speed axis (bottom) and a
// sprocket axis (left), drawn by draw(), zoomed and panned with the mouse or
// by command, copied as a picture or saved as a bitmap.
//
// Series are added by their owner and not owned by the chart; a series
// deleted by its owner drops out of the chart. Give a series the chart as
// parent to have it destroyed with the chart.
//
// picture(), copyPicture() and saveBitmap() draw at the chart's present
// size, shown or not: size a chart that has never been shown (resize())
// before taking its picture.
class Chart : public QFrame
{
    Q_OBJECT
    Q_PROPERTY(bool View3D READ view3D WRITE setView3D)
    Q_PROPERTY(int Chart3DPercent READ chart3DPercent WRITE setChart3DPercent)
    Q_PROPERTY(bool GradientVisible READ gradientVisible WRITE setGradientVisible)
    Q_PROPERTY(bool AnimatedZoom READ animatedZoom WRITE setAnimatedZoom)
    Q_PROPERTY(int AnimatedZoomSteps READ animatedZoomSteps WRITE setAnimatedZoomSteps)

public:
    explicit Chart(QWidget *parent = nullptr);
    ~Chart() override;

    // Series, drawn in the order added; in 3D the last one stands in front.
    void addSeries(SpeedRangeSeries *series);
    void removeSeries(SpeedRangeSeries *series);
    QList<SpeedRangeSeries *> seriesList() const { return m_model.series(); }

    const Axis &axis(AxisId id) const { return m_model.axis(id); }
    void setAxis(AxisId id, const Axis &axis);
    QString bottomAxisTitle() const { return axis(AxisId::Bottom).title(); }
    void setBottomAxisTitle(const QString &title);

    QString title() const { return m_model.settings().title; }
    bool titleVisible() const { return m_model.settings().titleVisible; }

    bool view3D() const { return m_model.settings().view3D; }
    void setView3D(bool on);
    int chart3DPercent() const { return m_model.settings().chart3DPercent; }
    // Accepts 1 .. 100; throws core::AppError otherwise.
    void setChart3DPercent(int percent);
    bool gradientVisible() const { return m_model.settings().gradientVisible; }
    void setGradientVisible(bool on);
    // The background (button face at start); the zoom rectangle's colour.
    QColor backgroundColor() const { return m_model.settings().color; }
    void setBackgroundColor(const QColor &color);
    bool animatedZoom() const { return m_model.settings().animatedZoom; }
    void setAnimatedZoom(bool on) { m_model.settings().animatedZoom = on; }
    int animatedZoomSteps() const { return m_model.settings().animatedZoomSteps; }
    void setAnimatedZoomSteps(int steps) { m_model.settings().animatedZoomSteps = steps; }

    // The tooltip and status-bar hint.
    void setHint(const QString &hint);
    // Shown at the pointer when the right button is released over the chart.
    void setContextMenu(QMenu *menu) { m_contextMenu = menu; }
    QMenu *contextMenu() const { return m_contextMenu; }

    // Every chart setting of the other chart (axes with their present
    // scaling and flags, 3D, depth, gradient, titles, colours, animation,
    // font), without its series.
    void copySettingsFrom(const Chart &other);

    const ChartModel &model() const { return m_model; }
    // Where things are drawn on the chart right now, in widget pixels.
    ChartLayout currentLayout() const;
    QRect drawingArea() const { return contentsRect(); }

    // Paints the whole chart into the area: the screen, the pictures and the
    // report all come through here. The font is used at its pixel size, so
    // a painter scaled to a larger device scales the text with the chart.
    void draw(QPainter &painter, const QRect &area) const;
    // The drawing area (inside the border) at the chart's present size.
    QImage picture() const;

    // Commands. The zooms animate (drawing each frame at once) and redraw.
    void zoomToLimits(const AxisLimitSet &targets);
    void zoomByPercent(double percent);
    void resetZoom();
    // Throws core::AppError("Cannot open clipboard") when the clipboard
    // cannot be taken.
    void copyPicture();
    // Writes a Windows bitmap whatever the name's extension, replacing an
    // existing file. Throws core::AppError("Cannot create file ...")
    // and leaves no file behind when it fails.
    void saveBitmap(const QString &fileName);

    // nullptr restores the system clipboard and file writer. Not owned.
    void setPictureSink(PictureSink *sink) { m_sink = sink; }

    bool zoomRectangleActive() const { return m_band.active; }
    bool panActive() const { return m_pan.active; }
    // Frames painted on screen since construction.
    int framesPainted() const { return m_framesPainted; }

Q_SIGNALS:
    void framePainted();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QFont drawingFont() const;
    LabelMetrics labelMetrics(const QFont &font) const;
    void redrawNow();
    void drawBand(QPainter &painter) const;

    struct ZoomBand
    {
        bool active = false;
        QPoint start;
        QPoint current;
    };
    struct Pan
    {
        bool active = false;
        QPoint previous;
    };

    ChartModel m_model;
    ZoomBand m_band;
    Pan m_pan;
    QPointer<QMenu> m_contextMenu;
    PictureSink *m_sink = nullptr;
    int m_framesPainted = 0;
};

} // namespace chart
