// Switching the real main window to Danish and back through the language
// dispatcher, against writing the same number of texts straight into its
// labels.
#include "bench_result.h"
#include "i18n/dispatcher.h"
#include "main_window.h"

#include <QLabel>

int main(int argc, char **argv)
{
    bench::BenchProgram program(argc, argv);
    if (!program.show())
        return 1;
    app::MainWindow &form = *program.form;

    // The first switch also completes the tables; medianMs leaves it unmeasured.
    const double ours = bench::medianMs(21, 1, [&] {
        form.dispatcher()->setActiveLanguage(1);
        form.dispatcher()->setActiveLanguage(2);
    });
    const bool english = form.findChild<QLabel *>(QStringLiteral("Label43"))->text() == QStringLiteral("Circumference");
    const QList<QLabel *> labels = form.findChildren<QLabel *>();
    const QList<QString> before = [&] {
        QList<QString> texts;
        for (QLabel *l : labels)
            texts << l->text();
        return texts;
    }();
    int round = 0;
    const double baseline = bench::medianMs(21, 1, [&] {
        for (int pass = 0; pass < 2; ++pass, ++round)
            for (QLabel *l : labels)
                l->setText(round % 2 ? QStringLiteral("Dansk") : QStringLiteral("English"));
    });
    for (qsizetype i = 0; i < labels.size(); ++i)
        labels[i]->setText(before[i]);

    bench::Verdicts v;
    v.check("language switch: English again", english);
    v.below("language switch, Danish and back", ours, baseline, "ms", 10.0);
    return v.exitCode();
}
