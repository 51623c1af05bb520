// Command dispatch: the menu's chosen item, and the queued requests carried out one a frame.
#pragma once

#include "app/editor.h"

// Acts on this frame's menu choice; true when an item (not a title) was chosen.
bool handleMenuCommand(Editor& editor);

// Runs the item of that menu as choosing it would (a shortcut key does).
void runMenuItem(Editor& editor, const HashedName& menu, const HashedName& item);

// Takes the newest queued request and carries it out while the focus names a window;
// otherwise the request is dropped.
void handleInterfaceCommand(Editor& editor);
