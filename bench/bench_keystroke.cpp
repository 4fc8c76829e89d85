// One keystroke in a sprocket field to all 54 result cells rewritten,
// against the bare cost of the same keystroke in a plain line edit.
#include "app/gearform.h"
#include "app/startup.h"
#include "chart/chart.h"
#include "main_window.h"
#include "platform/application.h"
#include "platform/two_digit_field.h"

#include <QElapsedTimer>
#include <QLineEdit>
#include <QPainter>
#include <QTest>
#include <cstdio>

namespace {

template <typename F> double perIterationUs(int n, F &&f)
{
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < n; ++i)
        f(i);
    return double(t.nsecsElapsed()) / 1e3 / n;
}

} // namespace

int main(int argc, char **argv)
{
    platform::Application app(argc, argv);
    app::prepareApplication();
    Tgearform form;
    if (!showMainWindow(form))
        return 1;
    QLineEdit bare;
    bare.show();

    constexpr int n = 2000;
    auto *field = form.sprocketField(1);
    field->setFocus();
    // Alternate 12 / 11 in the first sprocket field: every key changes the text.
    const double ours = perIterationUs(n, [&](int i) {
        field->setCursorPosition(1);
        QTest::keyClick(field, i % 2 ? Qt::Key_2 : Qt::Key_1);
    });
    const double plain = perIterationUs(n, [&](int i) {
        bare.setCursorPosition(1);
        QTest::keyClick(&bare, i % 2 ? Qt::Key_2 : Qt::Key_1);
    });
    const double recalc = perIterationUs(n, [&](int) { form.MaskEdit3Change(); });
    // The same keystroke followed by a full redraw of the chart it refeeds.
    QImage canvas(form.chart()->size(), QImage::Format_ARGB32_Premultiplied);
    const double withChart = perIterationUs(n / 4, [&](int i) {
        field->setCursorPosition(1);
        QTest::keyClick(field, i % 2 ? Qt::Key_2 : Qt::Key_1);
        QPainter painter(&canvas);
        form.chart()->draw(painter, form.chart()->drawingArea());
    });
    std::printf("keystroke in a sprocket field to 54 cells rewritten (mean of %d)\n", n);
    std::printf("  keystroke in a bare line edit : %8.1f us\n", plain);
    std::printf("  keystroke in Ratiomat         : %8.1f us (target < 1000 us)\n", ours);
    std::printf("  recalculation alone           : %8.1f us\n", recalc);
    std::printf("  keystroke + chart redrawn     : %8.1f us (target < 2000 us)\n", withChart);
    return 0;
}
