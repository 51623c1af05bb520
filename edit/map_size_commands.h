// Create Map and Resize Map: the two commands that change the map as a whole.
#pragma once

#include "map/map_layer.h"

struct Editor;

// Replaces every map layer by one layer of the size typed into the Create Map dialog.
void createMap(Editor& editor);
// Opens the Resize Map dialog holding the map's size (its first layer's), so that its button
// alone changes nothing.
void showResizeDialog(Editor& editor);
// Gives every map layer the size typed into the Resize Map dialog, keeping the tiles that fit.
// The cells a layer gains hold tile 0 on the first layer and the see-through tile 1 above it.
void resizeMap(Editor& editor);
