// Undo: the old tiles of what each stroke, fill and command overwrote, put back newest first,
// within a memory limit.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "app/editor.h"

// The undo history may hold this many megabytes unless Configuration.xml's UndoMemoryMB says
// otherwise.
constexpr int kDefaultUndoMemoryMB = 256;

// Pushes a step (one with no cells is dropped), then lets go of the oldest steps until the
// history fits its limit again; the newest step always stays, however large.
void pushUndoStep(Editor& editor, UndoStep step);
// Forgets every step (the map they belong to is gone).
void clearUndo(Editor& editor);
// The memory limit of the undo history, in bytes.
size_t undoLimitBytes(Editor& editor);

// Records what this frame's stroke with `brush` at (column, row) will overwrite on `layer`:
// the cells under a stamp, or, once per press of the button and per layer, a fill step whose
// cells the fills of the press note as they go (fillLog). Returns true when a step was pushed.
bool recordUndo(Editor& editor, const MapLayer& brush, const MapLayer& layer, int column, int row);

// Where this press's fills of `layer` note the cells they overwrite; null when the press has
// no fill step for the layer.
ChangedCells* fillLog(Editor& editor, const MapLayer& layer);

// Called after each fill of a press: keeps in the layer's fill step only the cells that now
// differ from what they were before the press. `notedBefore` is the step's cell count before
// the fill (a fill that noted nothing more leaves the step alone). When the fill was the one
// that pushed the step (`pushedNow`) and changed nothing, the step is dropped again.
void settleFill(Editor& editor, const MapLayer& layer, bool pushedNow, size_t notedBefore);

// Records the one cell at (column, row) of `layer` that a marker key is about to change.
void recordCell(Editor& editor, const MapLayer& layer, int column, int row);

// Runs `change`, which may overwrite only cells of `blocks` on `layer`, and records the cells it
// changed as one step; no copy of the rest of the layer is made.
void recordBlocksChange(Editor& editor, MapLayer& layer, const std::vector<CellBlock>& blocks,
                        const std::function<void()>& change);

// Pastes the newest step back into the layers it was taken from. A record whose layer no
// longer exists is dropped, and a step left with nothing to restore is passed over for the
// next one. A marker lifted with 'e' that Undo puts back on the map is no longer held, so it
// cannot be put down twice.
void undoLast(Editor& editor);

// Keeps the records with their layers when a layer is removed and the others renamed: the
// records of `removed` are dropped, and `renamed` maps each renamed layer's old name to its
// new one. All renames apply at once, so names may move along a row of layers.
void followLayerRenames(Editor& editor, const std::string& removed,
                        const std::map<std::string, std::string>& renamed);
