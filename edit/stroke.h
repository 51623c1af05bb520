// The stroke: what a held button does to the current map layer in a paint frame.
#pragma once

#include "app/editor.h"

// Records undo, then stamps or fills with the active brush at (column, row) by the tool mode,
// and shows the brush and map size in the caption.
void strokeStep(Editor& editor, Window& window, MapLayer& layer, int column, int row);
