// Undo and Redo: the old tiles of what each stroke, fill and command overwrote, put back newest
// first, and what Undo took back done again, within a memory limit.
#pragma once

#include <functional>
#include <vector>

#include "app/editor.h"

// The undo history may hold this many megabytes unless Configuration.xml's UndoMemoryMB says
// otherwise.
constexpr int kDefaultUndoMemoryMB = 256;

// Pushes a step (one with no cells is dropped) and lets go of what Redo could do, then lets go
// of the oldest steps until the history fits its limit again; the newest step always stays,
// however large.
void pushUndoStep(Editor& editor, UndoStep step);
// Forgets every step (the map they belong to is gone).
void clearUndo(Editor& editor);
// The memory limit of the undo history, Undo and Redo together, in bytes.
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

// Records the one cell at (column, row) of `layer` that a marker key is about to change. A
// placement passes the number the next marker has now, which its Undo gives back; lifting and
// putting down pass the marker held now, which their Undo holds again.
void recordCell(Editor& editor, const MapLayer& layer, int column, int row,
                int nextMarkerBefore = -1, int heldMarkerBefore = -1);

// Runs `change`, which may overwrite only cells of `blocks` on `layer`, and records the cells it
// changed as one step; no copy of the rest of the layer is made.
void recordBlocksChange(Editor& editor, MapLayer& layer, const std::vector<CellBlock>& blocks,
                        const std::function<void()>& change);

// Pastes the newest step back into the layers it was taken from: a removed layer goes back to
// its place with its name, resized layers take their old shape, and the cells come back by
// column and row. A record whose layer no longer exists is dropped, and a step left with
// nothing to restore is passed over for the next one. A marker lifted with 'e' that Undo puts
// back on the map is no longer held, so it cannot be put down twice. What Undo overwrote is
// kept for Redo.
void undoLast(Editor& editor);

// Does again what the last Undo took back, exactly: the same cells, layers, names and marker
// numbers. Nothing when the map changed since (a new change lets go of what Redo could do).
void redoLast(Editor& editor);
