#pragma once

#include "app/main_window.h"
#include "app/startup.h"
#include "bench_result.h"
#include "platform/application.h"

#include <QTest>
#include <memory>

namespace bench {

// The program as a benchmark starts it: its application, prepared as at
// start-up, and its main window.
struct BenchProgram
{
    BenchProgram(int &argc, char **argv) : app((offscreenUnlessChosen(), argc), argv)
    {
        app::prepareApplication();
        form = std::make_unique<app::MainWindow>();
    }

    // Shows the window, so the gearing has been reset; false when it could
    // not be shown.
    bool show()
    {
        form->show();
        return QTest::qWaitForWindowExposed(form.get());
    }

    platform::Application app;
    std::unique_ptr<app::MainWindow> form;
};

} // namespace bench
