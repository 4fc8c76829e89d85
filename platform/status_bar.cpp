#include "status_bar.h"

#include <QApplication>
#include <QMouseEvent>

namespace platform {

namespace {

// The hint shown for the pointer over `widget`: its own, or that of its
// nearest container with one, up to its window.
QString hintUnderPointer(const QWidget *widget)
{
    for (const QWidget *w = widget; w; w = w->parentWidget()) {
        if (!w->statusTip().isEmpty() || w->isWindow())
            return w->statusTip();
    }
    return {};
}

} // namespace

StatusBar::StatusBar(QWidget *parent) : QStatusBar(parent)
{
    // Mouse moves reach the application's filters even over widgets that do
    // not track the mouse.
    qApp->installEventFilter(this);
}

bool StatusBar::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseMove && watched->isWidgetType()) {
        const auto *move = static_cast<QMouseEvent *>(event);
        QWidget *top = window();
        // Menus are windows of their own and show their entries' hints. A
        // move is offered to the containers of the widget under the pointer
        // too: the hint is that widget's, whichever of them is asked.
        if (move->buttons() == Qt::NoButton && static_cast<QWidget *>(watched)->window() == top) {
            QWidget *under = top->childAt(top->mapFromGlobal(move->globalPosition().toPoint()));
            if (!under)
                under = top;
            if (const QString hint = hintUnderPointer(under); hint != currentMessage()) {
                QStatusTipEvent tip(hint);
                QCoreApplication::sendEvent(under, &tip);
            }
        }
    }
    return QStatusBar::eventFilter(watched, event);
}

} // namespace platform
