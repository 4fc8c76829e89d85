#pragma once

#include <QApplication>

namespace platform {

// The application object. Handlers are connected through guarded(); this
// override is only the safety net for a failure that escapes anyway, so the
// program reports it and goes on with the next event.
class Application : public QApplication
{
public:
    Application(int &argc, char **argv);
    bool notify(QObject *receiver, QEvent *event) override;
};

} // namespace platform
