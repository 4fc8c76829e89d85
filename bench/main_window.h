#pragma once

#include "app/main_window.h"
#include "app/startup.h"

#include <QTest>

// The main window as a benchmark starts from: shown, so the gearing has been
// reset. False when it could not be shown.
inline bool showMainWindow(MainWindow &form)
{
    form.show();
    return QTest::qWaitForWindowExposed(&form);
}
