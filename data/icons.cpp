#include "icons.h"

// Q_INIT_RESOURCE must be used outside any namespace.
static void initRatiomatIcons()
{
    Q_INIT_RESOURCE(ratiomat_icons);
}

namespace icons {

void initResources()
{
    initRatiomatIcons();
}

QIcon programIcon()
{
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/png/ratiomat-%1.png").arg(size), QSize(size, size));
    return icon;
}

} // namespace icons
