#pragma once

class QMenu;

namespace platform {

// Lets the menu highlight a disabled entry under the pointer or the
// keyboard, as entries that can be chosen are, so that its hint shows in the
// status bar too; a disabled entry still does nothing when chosen. The menu
// takes a style that wraps the application's own when it is first shown,
// so start-up does not pay for making one.
void letMenuHighlightDisabledEntries(QMenu &menu);

} // namespace platform
