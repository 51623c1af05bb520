// Recording and undoing strokes.
#include "edit/undo.h"

#include <algorithm>

#include "app/main_loop.h"
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
// A step of several entries lies between two entries without cells carrying these names; no map
// layer can be named so (control characters cannot stand in the configuration's XML).
const char* const kStepBegins = "\x01step begins";
const char* const kStepEnds = "\x01step ends";

MapLayer stepBoundary(const char* name) {
    MapLayer boundary;
    boundary.name = name;
    return boundary;
}

bool fillMode(int toolMode) {
    return toolMode == 1 || toolMode == 3;
}

bool fillRecordedOn(const Editor& editor, const std::string& layerName) {
    const std::vector<std::string>& names = editor.fillRecordedLayers;
    return editor.fillRecordedThisPress &&
           std::find(names.begin(), names.end(), layerName) != names.end();
}

// Once the press's fill entry of a layer is gone, that layer's next fill in the press records.
void forgetFillEntry(Editor& editor, const std::string& layerName) {
    std::vector<std::string>& names = editor.fillRecordedLayers;
    names.erase(std::remove(names.begin(), names.end(), layerName), names.end());
}

bool sameTiles(const MapLayer& a, const MapLayer& b) {
    return a.cells.size() == b.cells.size() &&
           std::equal(a.cells.begin(), a.cells.end(), b.cells.begin(),
                      [](const MapCell& x, const MapCell& y) { return x.tile == y.tile; });
}

// A width x height copy of the layer's tiles from (x0, y0) on; cells beyond the layer hold 0.
MapLayer blockCopy(const MapLayer& layer, int x0, int y0, int width, int height) {
    MapLayer copy;
    copy.name = layer.name;
    copy.number = layer.number;
    copy.cellWidth = layer.cellWidth;
    copy.cellHeight = layer.cellHeight;
    copy.width = width;
    copy.height = height;
    copy.cells.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
    layoutCells(copy, 0, 0);
    CellBlock block{x0, y0, width, height};
    CellBlock at{0, 0, block.width, block.height};
    copyTiles(layer, block, copy, at, false);
    copy.offsetX = x0;
    copy.offsetY = y0;
    return copy;
}

// A copy of the brush's size holding the layer's tiles under the brush's footprint.
MapLayer footprintCopy(const MapLayer& brush, const MapLayer& layer, int x0, int y0) {
    MapLayer copy = blockCopy(layer, x0, y0, brush.width, brush.height);
    copy.cellWidth = brush.cellWidth;
    copy.cellHeight = brush.cellHeight;
    return copy;
}

// Pastes one entry back; false when its layer is gone.
bool restoreEntry(Editor& editor, const MapLayer& entry) {
    forgetFillEntry(editor, entry.name);
    MapLayer* layer = findLayer(editor.layers, entry.name);
    if (!layer) return false;
    CellBlock block{0, 0, entry.width, entry.height};
    CellBlock at{entry.offsetX, entry.offsetY, block.width, block.height};
    copyTiles(entry, block, *layer, at, false);
    const int held = editor.heldMarkerTile;
    if (held != 0 && std::any_of(entry.cells.begin(), entry.cells.end(),
                                 [held](const MapCell& cell) { return cell.tile == held; }))
        editor.heldMarkerTile = 0;
    return true;
}
}  // namespace

MapLayer layerCopy(const MapLayer& layer) {
    MapLayer copy = layer;
    copy.offsetX = 0;  // a layer's own offset is its scroll position
    copy.offsetY = 0;
    return copy;
}

void recordChangedLayers(Editor& editor, std::vector<MapLayer> before) {
    std::vector<MapLayer> changed;
    for (MapLayer& copy : before) {
        const MapLayer* layer = findLayer(editor.layers, copy.name);
        if (layer && !sameTiles(copy, *layer)) changed.push_back(std::move(copy));
    }
    if (changed.empty()) return;
    const bool several = changed.size() > 1;
    if (several) editor.undoStack.push_back(stepBoundary(kStepBegins));
    for (MapLayer& copy : changed) editor.undoStack.push_back(std::move(copy));
    if (several) editor.undoStack.push_back(stepBoundary(kStepEnds));
}

void recordCell(Editor& editor, const MapLayer& layer, int column, int row) {
    editor.undoStack.push_back(blockCopy(layer, column, row, 1, 1));
}

bool recordUndo(Editor& editor, const MapLayer& brush, const MapLayer& layer, int column, int row) {
    if (fillMode(editor.toolMode)) {
        // One entry per press and per layer, taken before the press's first fill of that
        // layer: a held fill must not stack up whole-layer copies. Plain Fill is held over
        // many frames, so it is asked first whether it can change anything and a fill that
        // cannot costs no copy; what Fill Random does depends on its shuffles, so its entry is
        // judged after the fill (dropUndoIfUnchanged).
        if (fillRecordedOn(editor, layer.name)) return false;
        if (editor.toolMode == 1 && fillChangesNothing(layer, column, row, brush)) return false;
        editor.undoStack.push_back(layerCopy(layer));
        if (!editor.fillRecordedThisPress) editor.fillRecordedLayers.clear();
        editor.fillRecordedThisPress = true;
        editor.fillRecordedLayers.push_back(layer.name);
        return true;
    }
    const int x0 = column - brush.width / 2;
    const int y0 = row - brush.height / 2;
    // A button held on one spot records once. An entry of another layer, or of another size
    // (a fill's whole-layer entry also stands at 0, 0), does not hold this stamp's cells, nor
    // does one recorded before this press (a marker key's cell, an earlier click).
    if (buttonHeld(editor.previousMouseButtons) && !editor.undoStack.empty() &&
        undoTopAt(editor, x0, y0)) {
        const MapLayer& top = editor.undoStack.back();
        if (top.name == layer.name && top.width == brush.width && top.height == brush.height)
            return false;
    }
    editor.undoStack.push_back(footprintCopy(brush, layer, x0, y0));
    return true;
}

void dropUndoIfUnchanged(Editor& editor, const MapLayer& layer) {
    if (editor.undoStack.empty()) return;
    const MapLayer& top = editor.undoStack.back();
    if (top.name != layer.name || !sameTiles(top, layer)) return;
    editor.undoStack.pop_back();
    forgetFillEntry(editor, layer.name);
}

void undoLast(Editor& editor) {
    // The stroke of a layer that is gone went with it: there is nothing left to take back, and
    // keeping the entry would make Undo do nothing for ever.
    while (!editor.undoStack.empty()) {
        MapLayer entry = popUndo(editor);
        if (entry.name != kStepEnds) {
            if (restoreEntry(editor, entry)) return;
            continue;
        }
        bool restored = false;
        while (!editor.undoStack.empty()) {
            MapLayer part = popUndo(editor);
            if (part.name == kStepBegins) break;
            restored = restoreEntry(editor, part) || restored;
        }
        if (restored) return;
    }
}

void followLayerRenames(Editor& editor, const std::string& removed,
                        const std::map<std::string, std::string>& renamed) {
    std::vector<MapLayer> kept;
    kept.reserve(editor.undoStack.size());
    for (MapLayer& entry : editor.undoStack) {
        if (entry.name == removed) continue;
        auto it = renamed.find(entry.name);
        if (it != renamed.end()) entry.name = it->second;
        kept.push_back(std::move(entry));
    }
    editor.undoStack = std::move(kept);
}
