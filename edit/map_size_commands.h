// Create Map and Resize Map: the two commands that change the map as a whole.
#pragma once

#include "map/map_layer.h"

struct Editor;

// Replaces every map layer by one layer of the size typed into the Create Map dialog.
void createMap(Editor& editor);
// Gives every map layer the size typed into the Resize Map dialog, keeping the tiles that fit.
void resizeMap(Editor& editor);
