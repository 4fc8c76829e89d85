#pragma once

namespace app {

// Application-wide settings made once at start: the title that names the
// program and captions the error box, no help file, and the font names the
// windows are laid out with mapped to the nearest installed fonts.
void prepareApplication();

} // namespace app
