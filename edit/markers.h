// The marker keys: placing numbered markers and moving them.
#pragma once

struct Editor;

// 'w': puts the next marker number on the cell under the mouse when it holds tile 1.
void placeMarker(Editor& editor);
// 'e': lifts the marker under the mouse, or puts the lifted marker down on an ordinary tile.
void moveMarker(Editor& editor);
