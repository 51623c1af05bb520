// Undo: copies of the cells a stroke is about to change, pasted back newest first.
#pragma once

#include <map>
#include <string>
#include <vector>

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

// A whole-layer entry of `layer`, taken before a command that rewrites it.
MapLayer layerCopy(const MapLayer& layer);

// Pushes the copies in `before` (from layerCopy) whose layer the command has since changed, as
// one step: one Undo takes every one of them back. Pushes nothing when no layer changed.
void recordChangedLayers(Editor& editor, std::vector<MapLayer> before);

// Records the one cell at (column, row) of `layer` that a marker key is about to change.
void recordCell(Editor& editor, const MapLayer& layer, int column, int row);

// Called after a fill for which recordUndo pushed an entry: drops that entry again when the
// fill left every tile of `layer` as it was.
void dropUndoIfUnchanged(Editor& editor, const MapLayer& layer);

// Pastes the newest step back into the layers it was taken from: one entry, or every entry of a
// step recorded by recordChangedLayers. An entry whose layer no longer exists is dropped, and a
// step left with nothing to restore is passed over for the next one. A marker lifted with 'e'
// that Undo puts back on the map is no longer held, so it cannot be put down twice.
void undoLast(Editor& editor);

// Keeps the entries with their layers when a layer is removed and the others renamed: the
// entries of `removed` are dropped, and `renamed` maps each renamed layer's old name to its
// new one. All renames apply at once, so names may move along a row of layers.
void followLayerRenames(Editor& editor, const std::string& removed,
                        const std::map<std::string, std::string>& renamed);
