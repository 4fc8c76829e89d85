#pragma once

#include "app/main_window.h"
#include "app/startup.h"
#include "platform/error_display.h"

#include <QTest>
#include <memory>
#include <optional>

// A fresh main window as a rider first sees it: shown, so the gearing has
// been reset, with the decimal separator pinned for exact texts (no
// separator: the machine's own). Empty when the window could not be shown.
inline std::unique_ptr<MainWindow> openMainWindow(std::optional<QChar> separator = u'.')
{
    app::prepareApplication();
    auto form = std::make_unique<MainWindow>();
    if (separator)
        form->setDecimalSeparator(*separator);
    form->show();
    if (!QTest::qWaitForWindowExposed(form.get()))
        return nullptr;
    return form;
}

// The window a suite works on, fresh for every test, and the error messages
// it showed (once collectErrors() has routed them here instead of a box).
struct MainWindowFixture
{
    QStringList errors;
    std::unique_ptr<MainWindow> form;

    void collectErrors()
    {
        app::prepareApplication();
        platform::setErrorSink([this](const QString &m) { errors << m; });
    }
    // For init(): no errors yet and a new window; false when it cannot be shown.
    bool reopen()
    {
        errors.clear();
        form = openMainWindow();
        return form != nullptr;
    }
};
