#pragma once

#include <QStatusBar>

namespace platform {

// A status bar in single-panel mode: it shows the hint of what the pointer
// rests on, and its one text is a published property.
class StatusBar : public QStatusBar
{
    Q_OBJECT
    Q_PROPERTY(QString SimpleText READ currentMessage WRITE showMessage)

public:
    using QStatusBar::QStatusBar;
};

} // namespace platform
