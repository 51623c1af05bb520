// The stroke of the four tool modes.
#include "edit/stroke.h"

#include "app/caption.h"
#include "app/main_loop.h"
#include "edit/flood_fill.h"
#include "edit/shuffle.h"
#include "edit/undo.h"

namespace {
void stamp(const MapLayer& brush, MapLayer& layer, int column, int row) {
    CellBlock block{0, 0, brush.width, brush.height};
    CellBlock at{column, row, block.width, block.height};
    copyTiles(brush, block, layer, at, true);
}

bool insideLayer(const MapLayer& layer, int column, int row) {
    return column >= 0 && row >= 0 && column < layer.width && row < layer.height;
}

// Whether any cell of the brush's block centred on (column, row) lies on the layer.
bool stampTouchesLayer(const MapLayer& brush, const MapLayer& layer, int column, int row) {
    const int left = column - brush.width / 2;
    const int top = row - brush.height / 2;
    return left < layer.width && left + brush.width > 0 && top < layer.height &&
           top + brush.height > 0;
}
}  // namespace

void strokeStep(Editor& editor, Window& window, MapLayer& layer, int column, int row) {
    editor.focusName = window.name;
    MapLayer* brush = findToolLayer(editor.layers, brushLayerName(editor.activeBrushSide));
    if (!brush || !buttonHeld(editor.mouseButtons)) return;
    // The tool is back to Draw after a Fill Random, but the button that filled is still down
    // for a few frames: stamping then would knock out tiles next to the click.
    if (!editor.history.pressFilled()) editor.fillRandomThisPress = false;  // an earlier press's
    if (editor.fillRandomThisPress) return;

    const bool fill = isFill(editor.toolMode);
    // A stroke that starts beyond the layer (a fill from a cell outside it, a stamp none of
    // whose cells fall on it) does nothing at all: no entry, no shuffle, no mode or caption
    // change.
    if (fill ? !insideLayer(layer, column, row) : !stampTouchesLayer(*brush, layer, column, row))
        return;
    const bool recorded = recordUndo(editor, *brush, layer, column, row);
    ChangedCells* log = fill ? fillLog(editor, layer) : nullptr;
    const size_t notedBefore = log ? log->cellCount() : 0;

    switch (editor.toolMode) {
        case ToolMode::Draw:
            stamp(*brush, layer, column, row);
            break;
        case ToolMode::Fill:
            patternFill(editor.fillStack, layer, column, row, tileAt(layer, column, row), *brush,
                        false, log);
            break;
        case ToolMode::DrawRandom:
            shuffleLayer(*brush);
            stamp(*brush, layer, column, row);
            // Held on one spot it changes the cells of the one step every frame.
            if (!recorded) editor.history.noteChange();
            break;
        case ToolMode::FillRandom:
            patternFill(editor.fillStack, layer, column, row, tileAt(layer, column, row), *brush,
                        true, log);
            editor.toolMode = ToolMode::Draw;
            editor.fillRandomThisPress = true;
            break;
        default:
            break;
    }
    if (fill) settleFill(editor, layer, recorded, notedBefore);
    setCaption(editor, &layer, layerStatus(editor));
}
