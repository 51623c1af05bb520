// GTK start-up and clean-up shared by the desktop dialogs; not for use outside platform/.
#pragma once

#include <string>

// Initialises GTK on first call and reports whether a display could be opened. The answer is
// kept for the rest of the process: GTK cannot be initialised a second time after failing.
bool gtkAvailable();

// Runs GTK's pending work so that a destroyed dialog is gone from the screen before the editor
// draws again; the editor's own SDL loop never runs GTK's main loop.
void drainGtkEvents();

// Makes text safe to hand to GTK widgets, which refuse (and warn about) text that isn't UTF-8.
// Paths read from disk may be in an older 8-bit encoding.
std::string validUtf8(const std::string& text);
