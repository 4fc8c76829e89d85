#pragma once

#include "app/main_window.h"
#include "app/startup.h"
#include "bench_result.h"
#include "platform/application.h"

#include <QTest>
#include <memory>

// The program as a benchmark starts it: its application, prepared as at
// start-up, and its main window.
struct BenchProgram
{
    BenchProgram(int &argc, char **argv) : app((bench::offscreenUnlessChosen(), argc), argv)
    {
        app::prepareApplication();
        form = std::make_unique<MainWindow>();
    }

    // Shows the window, so the gearing has been reset; false when it could
    // not be shown.
    bool show()
    {
        form->show();
        return QTest::qWaitForWindowExposed(form.get());
    }

    platform::Application app;
    std::unique_ptr<MainWindow> form;
};
