#include "startup.h"

#include <QApplication>
#include <QFont>

#include "data/icons.h"

namespace app {

void prepareApplication()
{
    QApplication::setApplicationName(QStringLiteral("Ratiomat"));
    QApplication::setOrganizationName(QStringLiteral("Ratiomat"));
    QApplication::setDesktopFileName(QStringLiteral("ratiomat"));
    icons::initResources();
    QApplication::setWindowIcon(icons::programIcon());
    // Liberation Sans has Arial's metrics; it is also the closest match for
    // the small dialog font the layouts were made with.
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(QStringLiteral("Arial"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
}

} // namespace app
