#include "startup.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <fontconfig/fontconfig.h>

#include "data/icons.h"

namespace app {

void prepareApplication()
{
    QApplication::setApplicationName(QStringLiteral("Ratiomat"));
    QApplication::setOrganizationName(QStringLiteral("Ratiomat"));
    QApplication::setDesktopFileName(QStringLiteral("org.example.ratiomat"));
    icons::initResources();
    QApplication::setWindowIcon(icons::programIcon());
    // Liberation Sans has Arial's metrics; it is also the closest match for
    // the small dialog font the layouts were made with. "MS Sans Serif" is
    // the name every window's font is stored and translated under, so it is
    // mapped where fontconfig resolves names: Qt asks fontconfig for a name
    // it has no font of anyway, and a substitution list on the Qt side would
    // make it ask again, for every font engine's fallbacks, at start-up.
    static const char kMsSansSerif[] = R"(<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "fonts.dtd">
<fontconfig>
  <alias binding="same">
    <family>MS Sans Serif</family>
    <prefer><family>Liberation Sans</family><family>DejaVu Sans</family></prefer>
  </alias>
</fontconfig>
)";
    if (!FcConfigParseAndLoadFromMemory(FcConfigGetCurrent(), reinterpret_cast<const FcChar8 *>(kMsSansSerif), FcTrue))
        QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                                   {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(QStringLiteral("Arial"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    // Qt's own dialogs (files, printing, page set-up, message-box buttons,
    // the preview's tools) speak the desktop's language, as the desktop's
    // other programs do; the program's own texts start in English whatever
    // the desktop says and follow only the settings dialog.
    static QTranslator qtDialogs;
    if (qtDialogs.isEmpty() && qtDialogs.load(QLocale::system(), QStringLiteral("qtbase"), QStringLiteral("_"),
                                              QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qtDialogs);
}

} // namespace app
