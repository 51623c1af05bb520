// Zooming the design window: in and out around a point, back to the usual size, and out until
// the whole map fits.
#pragma once

#include "app/editor.h"

// Sets the design window's zoom level (kept within the levels there are) so that the cell under
// the point (x, y) stays under it, as far as the scroll limits allow.
void zoomAt(Editor& editor, int level, int x, int y);

// One level in or out around the pointer when it is over the design window, else around the
// window's centre.
void zoomIn(Editor& editor);
void zoomOut(Editor& editor);

// Back to level 0 around the window's centre.
void zoomActualSize(Editor& editor);

// The largest level at which every map layer fits the design window, from its first cell.
void zoomWholeMap(Editor& editor);
