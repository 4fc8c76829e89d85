#pragma once

#include "app/gearform.h"
#include "app/startup.h"

#include <QTest>
#include <memory>

// A fresh main window as a rider first sees it: shown, so the gearing has
// been reset, with the decimal separator pinned for exact texts. Empty when
// the window could not be shown.
inline std::unique_ptr<Tgearform> openMainWindow(QChar separator = u'.')
{
    app::prepareApplication();
    auto form = std::make_unique<Tgearform>();
    form->setDecimalSeparator(separator);
    form->show();
    if (!QTest::qWaitForWindowExposed(form.get()))
        return nullptr;
    return form;
}
