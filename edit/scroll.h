// The one-step scroll commands.
#pragma once

#include "app/editor.h"

enum class ScrollDirection { Up, Down, Left, Right };

// Scrolls every layer the window shows by one cell. Right and down stop once the last column
// or row is wholly in view.
void scrollWindow(Editor& editor, const Window& window, ScrollDirection direction);

// Page Up and Page Down: the design window's layers scroll by the rows in view less one.
void scrollDesignPage(Editor& editor, int pages);

// Home and End: to the first or the last column in view; with `rows` too, to the top-left or
// the bottom-right corner.
void scrollDesignToEdge(Editor& editor, bool end, bool rows);

// A middle-button drag pans the design window's layers after the pointer: starts, follows and
// ends with the button.
void panDesign(Editor& editor);
