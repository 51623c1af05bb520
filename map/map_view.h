// Drawing layers into windows: checkerboard, tiles, highlights, numbered markers, the brush
// preview, and keeping the scroll position inside a layer.
#pragma once

#include <SDL.h>

#include <string>

struct Editor;
struct MapLayer;
struct Window;

// Paints a visible window: its colour when it shows no layers, else each of its layers,
// bottom first, over the checkerboard.
void drawLayerWindow(Editor& editor, const Window& window);

// Paints the part of `layer` that a view of viewW x viewH pixels at (viewX, viewY) shows when
// cell (offsetX, offsetY) is at its top-left corner. Only the visible cells are visited.
// `level` is the zoom level (see map/zoom.h).
void drawLayer(Editor& editor, MapLayer& layer, int viewX, int viewY, int viewW, int viewH,
               int offsetX, int offsetY, int level = 0);

// Paints the brush "Brush" + side centred on the cell under the mouse.
void drawBrushPreview(Editor& editor, const std::string& side);

// A white line from (x1, y1) up to, not including, (x2, y2); nothing when an end lies off the
// surface.
void drawLine(SDL_Surface* surface, int x1, int y1, int x2, int y2);

// Pulls the scroll position of each of the window's layers back inside the layer.
void clampScroll(Editor& editor, const Window& window);
