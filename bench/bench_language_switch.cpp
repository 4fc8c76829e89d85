// Switching the real main window to Danish and back through the language
// dispatcher, against writing the same number of texts straight into labels.
#include "app/gearform.h"
#include "app/startup.h"
#include "i18n/dispatcher.h"
#include "main_window.h"
#include "platform/application.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char **argv)
{
    platform::Application app(argc, argv);
    app::prepareApplication();
    Tgearform form;
    if (!showMainWindow(form))
        return 1;

    std::vector<double> switches;
    for (int i = 0; i < 21; ++i) {
        QElapsedTimer t;
        t.start();
        form.dispatcher()->setActiveLanguage(1);
        form.dispatcher()->setActiveLanguage(2);
        switches.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    const double first = switches.front();
    std::sort(switches.begin() + 1, switches.end());

    std::vector<QLabel *> labels;
    for (QLabel *l : form.findChildren<QLabel *>())
        labels.push_back(l);
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < 20; ++i)
        for (QLabel *l : labels)
            l->setText(i % 2 ? QStringLiteral("Dansk") : QStringLiteral("English"));
    const double direct = double(t.nsecsElapsed()) / 1e6 / 10;

    std::printf("main window: Danish and back (two switches)\n");
    std::printf("  first time (lists completed)   : %7.2f ms\n", first);
    std::printf("  median of the next 20          : %7.2f ms (target < 20 ms)\n", switches[switches.size() / 2]);
    std::printf("  baseline: %zu labels rewritten twice : %7.2f ms\n", labels.size(), direct);
    return 0;
}
