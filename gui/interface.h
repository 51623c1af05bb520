// Building the whole interface at start-up, and the switch to and from full screen.
#pragma once

#include <string>

struct Editor;

// Starts SDL, reads the configuration, creates the cursors, the 800 x 600 resizable screen,
// the windows, the first map layer and the palette, the menus and dialogs, and sets the
// caption title. False when no screen could be opened (SDL's error text says why).
bool buildInterface(Editor& editor, const std::string& caption);

// Between 800 x 600 full screen and the window size of before.
void toggleFullScreen(Editor& editor);
