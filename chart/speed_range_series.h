#pragma once

#include <QColor>
#include <QList>
#include <QObject>
#include <QString>

class QDebug;

namespace chart {

// A bar-range series: horizontal bars from Start to End at height Y. The
// owner names it ("Series1" ...) through objectName. Every change emits
// changed() so the charts showing it redraw.
class SpeedRangeSeries : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool Active READ active WRITE setActive NOTIFY changed)
    Q_PROPERTY(QColor SeriesColor READ color WRITE setColor NOTIFY changed)
    // Stored texts that a translator may write by name; they do not change
    // the drawing.
    Q_PROPERTY(QString ColorSource READ colorSource WRITE setColorSource)
    Q_PROPERTY(QString PercentFormat READ percentFormat WRITE setPercentFormat)
    Q_PROPERTY(QString Title READ title WRITE setTitle)
    Q_PROPERTY(QString ValueFormat READ valueFormat WRITE setValueFormat)
    Q_PROPERTY(QString XLabelsSource READ xLabelsSource WRITE setXLabelsSource)

public:
    struct Bar
    {
        double start;
        double end;
        double y;
        QString label;
        bool operator==(const Bar &) const = default;
    };

    explicit SpeedRangeSeries(QObject *parent = nullptr);

    // Adds a bar and returns its position. A series ordered by Start puts it
    // after the last bar whose Start is not greater than its own (at the
    // front when there is none); otherwise it is appended.
    int addBar(double start, double end, double y, const QString &label = QString());
    void clear();

    int count() const { return int(m_bars.size()); }
    // Bar values by position; a position outside 0 .. count() - 1 throws
    // core::AppError.
    double startValue(int index) const { return bar(index).start; }
    double endValue(int index) const { return bar(index).end; }
    double yValue(int index) const { return bar(index).y; }
    QString label(int index) const { return bar(index).label; }
    const QList<Bar> &bars() const { return m_bars; }

    // A hidden series keeps its bars.
    bool active() const { return m_active; }
    void setActive(bool on);

    QColor color() const { return m_color; }
    void setColor(const QColor &color);

    bool orderedByStart() const { return m_orderedByStart; }
    void setOrderedByStart(bool on);

    QString colorSource() const { return m_colorSource; }
    void setColorSource(const QString &text) { m_colorSource = text; }
    QString percentFormat() const { return m_percentFormat; }
    void setPercentFormat(const QString &text) { m_percentFormat = text; }
    QString title() const { return m_title; }
    void setTitle(const QString &text) { m_title = text; }
    QString valueFormat() const { return m_valueFormat; }
    void setValueFormat(const QString &text) { m_valueFormat = text; }
    QString xLabelsSource() const { return m_xLabelsSource; }
    void setXLabelsSource(const QString &text) { m_xLabelsSource = text; }

    // Every setting of the other series (not its bars and not its name).
    void copySettingsFrom(const SpeedRangeSeries &other);

Q_SIGNALS:
    void changed();

private:
    const Bar &bar(int index) const;

    QList<Bar> m_bars;
    bool m_active = true;
    QColor m_color = Qt::red;
    bool m_orderedByStart = false;
    QString m_colorSource;
    QString m_percentFormat = QStringLiteral("##0.## %");
    QString m_title;
    QString m_valueFormat = QStringLiteral("#,##0.###");
    QString m_xLabelsSource;
};

// "Bar(start, end, y, label)", the numbers as the shortest texts that read
// back exactly (what a failing comparison in a test prints).
QDebug operator<<(QDebug debug, const SpeedRangeSeries::Bar &bar);

} // namespace chart
