#pragma once

#include <QStatusBar>

namespace platform {

// A status bar in single-panel mode: it shows the hint of what the pointer
// rests on, and its one text is a published property.
//
// Qt shows a widget's status tip when the pointer enters it and clears it
// when the pointer leaves, so coming back from a child onto its container
// leaves the bar empty. This bar follows the pointer over its window
// instead: it shows the hint of the widget under the pointer or, when that
// has none, of the nearest container that has one.
class StatusBar : public QStatusBar
{
    Q_OBJECT
    Q_PROPERTY(QString SimpleText READ currentMessage WRITE showMessage)

public:
    explicit StatusBar(QWidget *parent = nullptr);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};

} // namespace platform
