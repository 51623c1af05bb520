// The keys pressed with Ctrl: the menu items people expect there. A key pressed with Ctrl never
// acts as the key alone.
#pragma once

#include <SDL.h>

struct Editor;

// True when Ctrl is held with the key. The shortcut's item, if the key has one, has run.
bool handleShortcut(Editor& editor, const SDL_keysym& key);
