// The stroke of the four tool modes.
#include "edit/stroke.h"

#include "app/caption.h"
#include "app/main_loop.h"
#include "edit/flood_fill.h"
#include "edit/shuffle.h"
#include "edit/undo.h"

namespace {
void stamp(const MapLayer& brush, MapLayer& layer, int column, int row) {
    CellBlock block{0, 0, static_cast<uint16_t>(brush.width), static_cast<uint16_t>(brush.height)};
    CellBlock at{static_cast<int16_t>(column), static_cast<int16_t>(row), block.width,
                 block.height};
    copyTiles(brush, block, layer, at, true);
}

bool insideLayer(const MapLayer& layer, int column, int row) {
    return column >= 0 && row >= 0 && column < layer.width && row < layer.height;
}
}  // namespace

void strokeStep(Editor& editor, Window& window, MapLayer& layer, int column, int row) {
    editor.focusName = window.name;
    MapLayer* brush = findLayer(editor.layers, brushLayerName(editor.activeBrushSide));
    if (!brush || !buttonHeld(editor.mouseButtons)) return;

    const bool fill = editor.toolMode == 1 || editor.toolMode == 3;
    // A fill started beyond the map's last column or row does nothing at all.
    if (!fill || insideLayer(layer, column, row)) recordUndo(editor, *brush, layer, column, row);

    switch (editor.toolMode) {
        case 0:
            stamp(*brush, layer, column, row);
            break;
        case 1:
            if (insideLayer(layer, column, row)) {
                patternFill(editor.fillStack, layer, column, row, tileAt(layer, column, row),
                            *brush, false);
            }
            break;
        case 2:
            shuffleLayer(*brush);
            stamp(*brush, layer, column, row);
            break;
        case 3:
            if (insideLayer(layer, column, row)) {
                patternFill(editor.fillStack, layer, column, row, tileAt(layer, column, row),
                            *brush, true);
            }
            editor.toolMode = 0;
            break;
        default:
            break;
    }
    std::string status = "brush: " + std::to_string(brush->width) + "x" +
                         std::to_string(brush->height) + " / layer:'" + currentLayerName(editor) +
                         "'";
    setCaption(editor, &layer, status);
}
