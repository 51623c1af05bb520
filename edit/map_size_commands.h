// Create Map and Resize Map: the two commands that change the map as a whole.
#pragma once

struct Editor;

// The largest map layer the editor accepts, in cells (4096 x 4096).
constexpr long long kMaxLayerCells = 16777216;

// Replaces every map layer by one layer of the size typed into the Create Map dialog.
void createMap(Editor& editor);
// Gives every map layer the size typed into the Resize Map dialog, keeping the tiles that fit.
void resizeMap(Editor& editor);
