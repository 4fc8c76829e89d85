#pragma once

#include <QIcon>

namespace icons {

// Registers the ":/icons/" resources. Linking ratiomat_data normally does
// this already; calling it (once, early in main) makes sure of it.
void initResources();

// The program's icon at every rendered size plus the scalable original, for
// window icons and the About box.
QIcon programIcon();

} // namespace icons
