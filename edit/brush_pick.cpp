// Brush picking.
#include "edit/brush_pick.h"

#include "app/caption.h"
#include "app/command_names.h"
#include "app/main_loop.h"
#include "edit/layer_commands.h"

void highlightBlock(MapLayer& layer, CellBlock block) {
    if (layer.tiles.empty()) return;
    for (int j = 0; j < block.height; ++j) {
        for (int i = 0; i < block.width; ++i) {
            long long index =
                static_cast<long long>(block.row + j) * layer.width + block.column + i;
            if (index < 0 || index >= static_cast<long long>(layer.tiles.size())) index = 0;
            layer.highlighted.insert(static_cast<int>(index));
        }
    }
}

void pickStep(Editor& editor, Window& window, MapLayer& measured, MapLayer& shown, int column,
              int row) {
    const bool allowed =
        window.layerName.rfind("Tile", 0) == 0 || (shown.number != -1 && editor.pickBrushArmed);
    if (!allowed) return;
    editor.focusName = window.name;
    PickState& pick = editor.pick;
    if (buttonHeld(editor.mouseButtons)) {
        if (!pick.pickInProgress) {
            pick.pickAnchor = CellPosition{column, row};
            pick.pickInProgress = true;
        }
        pick.current = CellPosition{column, row};
        pick.block = dragRect(pick.pickAnchor, pick.current);
        highlightBlock(measured, pick.block);
        std::string status = "brush: " + std::to_string(pick.block.width) + "x" +
                             std::to_string(pick.block.height) +
                             " / icon:" + std::to_string(tileAt(measured, column, row));
        setCaption(editor, nullptr, status);
        return;
    }
    if (!pick.pickInProgress) return;
    pick.pickInProgress = false;
    editor.pickBrushArmed = false;
    const std::string name = brushLayerName(editor.activeBrushSide);
    // Replacing a brush leaves the map layers' names and numbers as they are.
    eraseLayer(editor.layers, name, false);
    MapLayer* brush = createLayer(editor.layers, pick.block.width, pick.block.height, name, 0, 0);
    MapLayer* source = findToolLayer(editor.layers, window.layerName);
    if (!source || source->name != kPaletteLayerName) source = currentMapLayer(editor);
    if (!source) return;
    CellBlock at{0, 0, pick.block.width, pick.block.height};
    copyTiles(*source, pick.block, *brush, at, false);
}
