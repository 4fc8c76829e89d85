// One keystroke in a sprocket field to all 54 result cells rewritten and
// painted and the chart it refeeds painted, against the same keystroke in a
// plain line edit followed by 54 plain labels rewritten and painted and 27
// bars with the axis texts painted by a bare QPainter.
#include "bare_chart.h"
#include "bench_result.h"
#include "chart/chart.h"
#include "main_window.h"
#include "platform/two_digit_field.h"

#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <array>

namespace {

// Paints what the last change left to paint in every window.
void paintPending()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
}

// The least a keystroke can cost: a line edit, 54 labels and a bare chart.
class BareForm : public QWidget
{
public:
    BareForm()
    {
        edit.setGeometry(24, 56, 25, 21);
        for (size_t i = 0; i < cells.size(); ++i) {
            cells[i] = new QLabel(QStringLiteral("00.0"), this);
            cells[i]->setGeometry(60 + int(i % 6) * 90, 64 + int(i / 6) * 24, 44, 14);
        }
        resize(633, 403);
    }

    void keystroke(int i)
    {
        edit.setCursorPosition(1);
        QTest::keyClick(&edit, i % 2 ? Qt::Key_2 : Qt::Key_1);
        for (size_t c = 0; c < cells.size(); ++c)
            cells[c]->setText(QString::number(10.0 + double(c) / 10 + i % 2, 'f', 1));
        paintPending();
    }

    QLineEdit edit{this};
    std::array<QLabel *, 54> cells{};
};

} // namespace

int main(int argc, char **argv)
{
    bench::BenchProgram program(argc, argv);
    if (!program.show())
        return 1;
    app::MainWindow &form = *program.form;
    BareForm bare;
    bare.show();
    if (!QTest::qWaitForWindowExposed(&bare))
        return 1;

    auto *field = form.sprocketField(1);
    field->setFocus();
    const QRect area = form.chart()->drawingArea();
    QImage ourCanvas(form.chart()->size(), QImage::Format_ARGB32_Premultiplied);
    QImage bareCanvas(form.chart()->size(), QImage::Format_ARGB32_Premultiplied);

    // Alternate 12 / 11 in the first sprocket field: every key changes the
    // text, so every key recalculates, rewrites the cells and refeeds the
    // chart. The chart sits on the other tab: it is painted into a picture
    // of its size, as it paints itself when shown.
    int key = 0;
    const double ours = bench::medianMs(41, 20, [&] {
        field->setCursorPosition(1);
        QTest::keyClick(field, ++key % 2 ? Qt::Key_2 : Qt::Key_1);
        paintPending();
        QPainter painter(&ourCanvas);
        form.chart()->draw(painter, area);
    });
    const double baseline = bench::medianMs(41, 20, [&] {
        bare.keystroke(++key);
        QPainter painter(&bareCanvas);
        bench::paintBareChart(painter, area, key);
    });
    const double recalc = bench::medianMs(41, 20, [&] { form.recalculate(); });

    bench::Verdicts v;
    v.check("keystroke: cells rewritten", form.findChild<QLabel *>(QStringLiteral("BigLabel1"))->text() != "BigLabel1");
    v.below("keystroke to cells and chart painted", ours, baseline, "ms", 1.0);
    v.info("  of it: recalculation alone", recalc, baseline, "ms");
    return v.exitCode();
}
