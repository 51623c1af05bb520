// Placing and moving numbered markers on the current map layer.
#include "edit/markers.h"

#include "app/editor.h"
#include "edit/undo.h"
#include "map/zoom.h"

namespace {
// The current map layer and the cell of it under the mouse, measured against the window under
// the mouse. False when there is no window or layer, or the mouse is beyond the layer's cells:
// markers never land in a neighbouring row or outside the layer.
bool cellUnderMouse(Editor& editor, MapLayer*& layer, int& column, int& row) {
    Window* window = windowAt(editor, editor.mouseX, editor.mouseY);
    layer = currentMapLayer(editor);
    if (!window || !layer || layer->cellWidth <= 0 || layer->cellHeight <= 0) return false;
    column = static_cast<int>(
        cellsUnder(editor.mouseX - window->rect.x, layer->cellWidth, window->zoomLevel) +
        layer->offsetX);
    row = static_cast<int>(
        cellsUnder(editor.mouseY - window->rect.y, layer->cellHeight, window->zoomLevel) +
        layer->offsetY);
    return column >= 0 && row >= 0 && column < layer->width && row < layer->height;
}
}  // namespace

void placeMarker(Editor& editor) {
    MapLayer* layer = nullptr;
    int column = 0, row = 0;
    if (!cellUnderMouse(editor, layer, column, row)) return;
    // Marker numbers end where tile numbers do.
    if (tileAt(*layer, column, row) != kSeeThroughTile || editor.nextMarkerTile > 0xFFFF) return;
    recordCell(editor, *layer, column, row, editor.nextMarkerTile);
    setTile(*layer, column, row, static_cast<uint16_t>(editor.nextMarkerTile));
    editor.nextMarkerTile += 1;
}

void moveMarker(Editor& editor) {
    MapLayer* layer = nullptr;
    int column = 0, row = 0;
    if (!cellUnderMouse(editor, layer, column, row)) return;
    const int tile = tileAt(*layer, column, row);
    // Lifting and putting down are two keys and two Undo steps.
    if (editor.heldMarkerTile >= editor.tileCount && tile < editor.tileCount) {
        recordCell(editor, *layer, column, row, -1, editor.heldMarkerTile);
        setTile(*layer, column, row, static_cast<uint16_t>(editor.heldMarkerTile));
        editor.heldMarkerTile = 0;
    } else if (editor.heldMarkerTile < editor.tileCount && editor.heldMarkerTile == 0 &&
               tile >= editor.tileCount) {
        recordCell(editor, *layer, column, row, -1, 0);
        editor.heldMarkerTile = tile;
        setTile(*layer, column, row, kSeeThroughTile);
    }
}
