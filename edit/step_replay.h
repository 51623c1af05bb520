// Putting an undo step into the map, which gives the step that takes that back again: Undo and
// Redo are the same act on the two sides of the history.
#pragma once

#include "app/editor.h"

// Puts the step into the map: the layers first (a removed layer back into its place with the
// names the layers had, a layer taken out again, the old shapes with the cells a shape cuts
// away), then the cells by column and row, then the marker numbers. `inverse` receives what
// this overwrote, as a step that puts it back. A record whose layer no longer exists is passed
// over; false when nothing was left to put back.
bool replayStep(Editor& editor, UndoStep& step, UndoStep& inverse);

// Every map layer's identity and name, in list order.
std::vector<std::pair<uint64_t, std::string>> mapLayerNames(const Editor& editor);
