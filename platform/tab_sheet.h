#pragma once

#include <QWidget>

class QTabWidget;

namespace platform {

// A page of a QTabWidget whose caption and hint are properties of the page
// itself, so the page can be addressed by name like any other component.
class TabSheet : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    Q_PROPERTY(QString Hint READ hint WRITE setHint)

public:
    using QWidget::QWidget;

    QString caption() const;
    void setCaption(const QString &caption);
    QString hint() const { return statusTip(); }
    void setHint(const QString &hint);

private:
    QTabWidget *tabs() const;
    QString m_caption;
};

// Sets a widget's hint: its tooltip and the status-bar text.
void setHint(QWidget *widget, const QString &hint);

} // namespace platform
