// Renders the real windows into PNG files for the README:
//   ratiomat_screenshots <output folder>
// Run offscreen (QT_QPA_PLATFORM=offscreen) for the same pixels everywhere;
// scripts/screenshots.sh does that.
#include "app/gearform.h"
#include "app/startup.h"
#include "platform/application.h"

#include <QDir>
#include <QTabWidget>
#include <QTest>
#include <cstdio>

namespace {

bool save(QWidget *w, const QDir &dir, const QString &name)
{
    QTest::qWait(50);
    const QString path = dir.filePath(name);
    if (!w->grab().save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    platform::Application app(argc, argv);
    app::prepareApplication();
    const QDir dir(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
    QDir().mkpath(dir.path());

    Tgearform form;
    form.setDecimalSeparator(u'.');
    form.show();
    if (!QTest::qWaitForWindowExposed(&form))
        return 1;
    bool ok = save(&form, dir, QStringLiteral("main-window.png"));
    form.pageControl()->setCurrentIndex(1);
    ok = save(&form, dir, QStringLiteral("chart-tab.png")) && ok;
    return ok ? 0 : 1;
}
