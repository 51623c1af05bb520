// Recording and undoing strokes.
#include "edit/undo.h"

#include "edit/flood_fill.h"

void pushUndo(Editor& editor, const MapLayer& entry) {
    editor.undoStack.push_back(entry);
}

MapLayer popUndo(Editor& editor) {
    MapLayer entry = std::move(editor.undoStack.back());
    editor.undoStack.pop_back();
    return entry;
}

bool undoTopAt(const Editor& editor, int x, int y) {
    const MapLayer& top = editor.undoStack.back();
    return top.offsetX == x && top.offsetY == y;
}

namespace {
bool fillMode(int toolMode) {
    return toolMode == 1 || toolMode == 3;
}

// A copy of the brush's size holding the layer's tiles under the brush's footprint.
MapLayer footprintCopy(const MapLayer& brush, const MapLayer& layer, int16_t x0, int16_t y0) {
    MapLayer copy;
    copy.name = brush.name;
    copy.number = brush.number;
    copy.cellWidth = brush.cellWidth;
    copy.cellHeight = brush.cellHeight;
    copy.width = brush.width;
    copy.height = brush.height;
    copy.cells.resize(brush.cells.size());
    layoutCells(copy, 0, 0);
    CellBlock block{x0, y0, static_cast<uint16_t>(brush.width),
                    static_cast<uint16_t>(brush.height)};
    CellBlock at{0, 0, block.width, block.height};
    copyTiles(layer, block, copy, at, false);
    copy.offsetX = x0;
    copy.offsetY = y0;
    return copy;
}
}  // namespace

void recordUndo(Editor& editor, const MapLayer& brush, const MapLayer& layer, int column, int row) {
    if (fillMode(editor.toolMode)) {
        // One entry per press, taken before the press's first fill, and only when the fill
        // is going to change something: a held fill must not stack up whole-layer copies.
        if (editor.fillRecordedThisPress || fillChangesNothing(layer, column, row, brush)) return;
        MapLayer copy = layer;
        copy.offsetX = 0;
        copy.offsetY = 0;
        editor.undoStack.push_back(std::move(copy));
        editor.fillRecordedThisPress = true;
        return;
    }
    const auto x0 = static_cast<int16_t>(column - brush.width / 2);
    const auto y0 = static_cast<int16_t>(row - brush.height / 2);
    if (!editor.undoStack.empty() && undoTopAt(editor, x0, y0)) return;
    editor.undoStack.push_back(footprintCopy(brush, layer, x0, y0));
}

void undoLast(Editor& editor) {
    if (editor.undoStack.empty()) return;
    // Without a current layer the entry stays on the stack rather than being thrown away.
    MapLayer* layer = currentMapLayer(editor);
    if (!layer) return;
    MapLayer entry = popUndo(editor);
    CellBlock block{0, 0, static_cast<uint16_t>(entry.width), static_cast<uint16_t>(entry.height)};
    CellBlock at{static_cast<int16_t>(entry.offsetX), static_cast<int16_t>(entry.offsetY),
                 block.width, block.height};
    copyTiles(entry, block, *layer, at, false);
}
