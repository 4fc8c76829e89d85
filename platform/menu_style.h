#pragma once

namespace platform {

// Lets every menu of the program highlight a disabled entry under the pointer
// or the keyboard, as entries that can be chosen are, so that its hint shows in
// the status bar too. A disabled entry still does nothing when chosen.
// Installs an application style that wraps the platform's own; call it
// before the first window is made. Calling it again changes nothing.
void letMenusHighlightDisabledEntries();

} // namespace platform
