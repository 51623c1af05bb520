// The one-step scroll commands.
#pragma once

#include "app/editor.h"

enum class ScrollDirection { Up, Down, Left, Right };

// Scrolls every layer the window shows by one cell. Right and down stop once the last column
// or row is wholly in view.
void scrollWindow(Editor& editor, const Window& window, ScrollDirection direction);
