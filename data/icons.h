#pragma once

#include <QIcon>

namespace icons {

// Registers the ":/icons/" resources. Linking ratiomat_data normally does
// this already; calling it (once, early in main) makes sure of it.
void initResources();

// The program's icon at every rendered size plus the scalable original, for
// window icons and the About box. Its files are read the first time a size
// is asked for, not at start-up.
QIcon programIcon();

// The icon in a file (":/icons/save.svg"), read, and its icon engine loaded,
// the first time it is drawn or measured: the same pixels as QIcon(path),
// without its cost at start-up for icons not shown yet.
QIcon fromFile(const QString &path);

} // namespace icons
