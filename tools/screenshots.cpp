// Renders the real windows into PNG files for the README:
//   ratiomat_screenshots <output folder>
// Run offscreen (QT_QPA_PLATFORM=offscreen) for the same pixels everywhere;
// scripts/screenshots.sh does that.
#include "about/about_box.h"
#include "app/main_window.h"
#include "app/startup.h"
#include "i18n/dispatcher.h"
#include "platform/application.h"
#include "settings/settings_dialog.h"

#include <QComboBox>
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

bool settingsDialog(const QDir &dir, int language, const QString &name)
{
    settings::SettingsDialog dialog;
    dialog.setLanguageNumber(language);
    dialog.languageList()->addItems({QStringLiteral("DANSK"), QStringLiteral("ENGLISH")});
    dialog.languageList()->setCurrentIndex(language - 1);
    dialog.show();
    return QTest::qWaitForWindowExposed(&dialog) && save(&dialog, dir, name);
}

} // namespace

int main(int argc, char **argv)
{
    platform::Application app(argc, argv);
    app::prepareApplication();
    const QDir dir(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
    QDir().mkpath(dir.path());

    app::MainWindow form;
    form.setDecimalSeparator(u'.');
    form.show();
    if (!QTest::qWaitForWindowExposed(&form))
        return 1;
    bool ok = save(&form, dir, QStringLiteral("main-window.png"));
    form.pageControl()->setCurrentIndex(1);
    ok = save(&form, dir, QStringLiteral("chart-tab.png")) && ok;

    ok = settingsDialog(dir, 2, QStringLiteral("settings-english.png")) && ok;
    ok = settingsDialog(dir, 1, QStringLiteral("settings-danish.png")) && ok;

    // Danish as the settings dialog leaves it: switched, then reset.
    form.dispatcher()->setActiveLanguage(1);
    form.resetToDefaults();
    form.pageControl()->setCurrentIndex(0);
    ok = save(&form, dir, QStringLiteral("main-window-danish.png")) && ok;

    about::AboutBox about;
    about.show();
    ok = QTest::qWaitForWindowExposed(&about) && save(&about, dir, QStringLiteral("about-box.png")) && ok;
    return ok ? 0 : 1;
}
