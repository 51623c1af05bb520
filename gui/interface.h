// Building the whole interface at start-up, and the switch to and from full screen.
#pragma once

#include <string>

struct Editor;

// Starts SDL, reads the configuration, creates the cursors, the 800 x 600 resizable screen,
// the windows, the first map layer and the palette, the menus and dialogs, and sets the
// caption title. False when no screen could be opened (SDL's error text says why).
bool buildInterface(Editor& editor, const std::string& caption);

// Between full screen and the window size of before. Full screen takes the desktop's own size,
// so that each pixel stays one screen pixel and more cells show; where the library cannot say
// what that is, the largest full-screen mode it lists, else 800 x 600.
void toggleFullScreen(Editor& editor);

// The size full screen takes.
struct ScreenSize {
    int w = 0;
    int h = 0;
};
ScreenSize fullScreenSize(const Editor& editor);
