// Undo: copies of the cells a stroke is about to change, pasted back newest first.
#pragma once

#include <map>
#include <string>

#include "app/editor.h"

void pushUndo(Editor& editor, const MapLayer& entry);
MapLayer popUndo(Editor& editor);
// True when the newest entry was taken at (x, y). The stack must not be empty.
bool undoTopAt(const Editor& editor, int x, int y);

// Records what this frame's stroke with `brush` at (column, row) will overwrite on `layer`:
// the cells under a stamp, or, once per press of the button and per layer, the whole layer
// before a fill. Every entry is named after the layer it was taken from. Returns true when an
// entry was pushed.
bool recordUndo(Editor& editor, const MapLayer& brush, const MapLayer& layer, int column, int row);

// Called after a fill for which recordUndo pushed an entry: drops that entry again when the
// fill left every tile of `layer` as it was.
void dropUndoIfUnchanged(Editor& editor, const MapLayer& layer);

// Pastes the newest entry back into the layer it was taken from. An entry whose layer no
// longer exists is dropped and the next one is taken.
void undoLast(Editor& editor);

// Keeps the entries with their layers when a layer is removed and the others renamed: the
// entries of `removed` are dropped, and `renamed` maps each renamed layer's old name to its
// new one. All renames apply at once, so names may move along a row of layers.
void followLayerRenames(Editor& editor, const std::string& removed,
                        const std::map<std::string, std::string>& renamed);
