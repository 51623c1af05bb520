// Picking a brush: dragging a rectangle over the palette, or over the map after Pick Brush.
#pragma once

#include "app/editor.h"

// Sets the highlight of every cell of the block (positions outside mark the first cell).
void highlightBlock(MapLayer& layer, CellBlock block);

// One frame of a pick on `window`: `measured` is the layer the mouse is measured against and
// `shown` the layer the window shows. While a button is held the dragged block is highlighted;
// on release it becomes the brush of the active side.
void pickStep(Editor& editor, Window& window, MapLayer& measured, MapLayer& shown, int column,
              int row);
