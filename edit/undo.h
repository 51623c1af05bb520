// Undo: copies of the cells a stroke is about to change, pasted back newest first.
#pragma once

#include "app/editor.h"

void pushUndo(Editor& editor, const MapLayer& entry);
MapLayer popUndo(Editor& editor);
// True when the newest entry was taken at (x, y). The stack must not be empty.
bool undoTopAt(const Editor& editor, int x, int y);

// Records what this frame's stroke with `brush` at (column, row) will overwrite on `layer`:
// the cells under a stamp, or, once per press of the button, the whole layer before a fill.
void recordUndo(Editor& editor, const MapLayer& brush, const MapLayer& layer, int column, int row);

// Pastes the newest entry back into the current map layer.
void undoLast(Editor& editor);
