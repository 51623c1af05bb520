// Drawing a layer at the zoom levels below 1, straight into the screen's pixels: the cells are
// too many and too small to blit one by one.
#pragma once

#include <SDL.h>

struct Editor;
struct MapLayer;

// A view of a layer: its place on the screen, the cell at its corner and its zoom level.
struct LayerView {
    SDL_Rect rect{0, 0, 0, 0};
    int offsetX = 0;
    int offsetY = 0;
    int level = 0;
};

// Paints the cells the view shows at its level (below 0), noting their markers in the editor's
// shown markers. Cells of two pixels or more show their tile reduced, each from its corner;
// otherwise each pixel shows the average colour of the tile of the cell at its corner, and the
// markers are found through the layer's marker index.
void drawReducedLayer(Editor& editor, MapLayer& layer, const LayerView& view);
