// Where the user is: the cell under the pointer, the zoom level and whether the current layer is
// hidden, in the free right-hand part of the menu bar.
#pragma once

#include <string>

struct Editor;

// The status text for the pointer where the editor last saw it.
std::string viewStatusText(Editor& editor);

// Draws it right-aligned in the menu bar.
void drawViewStatus(Editor& editor);
