// Recording and undoing strokes, fills and commands.
#include "edit/undo.h"

#include <algorithm>

#include "app/caption.h"
#include "app/command_names.h"
#include "app/main_loop.h"
#include "edit/flood_fill.h"
#include "edit/layer_commands.h"
#include "map/resize_layer.h"
#include "platform/message_box.h"

namespace {
size_t stepBytes(const UndoStep& step) {
    size_t bytes = sizeof(UndoStep);
    for (const UndoRecord& record : step.records)
        bytes += sizeof(UndoRecord) + record.cells.bytes();
    if (step.removedLayer) {
        bytes += sizeof(MapLayer) + step.removedLayer->name.capacity() +
                 step.removedLayer->tiles.capacity() * sizeof(uint16_t);
    }
    for (const auto& named : step.namesBefore) bytes += sizeof named + named.second.capacity();
    bytes += step.shapesBefore.capacity() * sizeof(LayerShape);
    return bytes;
}

void forgetStep(Editor& editor, const UndoStep& step) {
    editor.undoBytes -= std::min(editor.undoBytes, step.bytes);
}

// Numbers, counts and pushes a step, as it is.
void addStep(Editor& editor, UndoStep step) {
    step.serial = ++editor.undoSerial;
    step.bytes = stepBytes(step);
    editor.undoBytes += step.bytes;
    editor.undoStack.push_back(std::move(step));
}

// Lets go of the oldest steps while the history is over its limit, keeping the newest.
void keepWithinLimit(Editor& editor) {
    const size_t limit = undoLimitBytes(editor);
    while (editor.undoStack.size() > 1 && editor.undoBytes > limit) {
        forgetStep(editor, editor.undoStack.front());
        editor.undoStack.pop_front();
    }
}

// This press's fill step of the layer, if the press has one and it is still in the history.
UndoStep* pressFillStep(Editor& editor, uint64_t layerId) {
    if (!editor.fillRecordedThisPress) return nullptr;
    for (const PressFill& fill : editor.fillRecordedLayers) {
        if (fill.layerId != layerId) continue;
        for (auto it = editor.undoStack.rbegin(); it != editor.undoStack.rend(); ++it) {
            if (it->serial == fill.stepSerial) return &*it;
            if (it->serial < fill.stepSerial) break;
        }
    }
    return nullptr;
}

bool fillRecordedOn(const Editor& editor, uint64_t layerId) {
    const std::vector<PressFill>& fills = editor.fillRecordedLayers;
    return editor.fillRecordedThisPress &&
           std::any_of(fills.begin(), fills.end(),
                       [&](const PressFill& fill) { return fill.layerId == layerId; });
}

// Once the press's fill step of a layer is gone, that layer's next fill in the press records.
void forgetFillStep(Editor& editor, uint64_t layerId) {
    std::vector<PressFill>& fills = editor.fillRecordedLayers;
    fills.erase(std::remove_if(fills.begin(), fills.end(),
                               [&](const PressFill& fill) { return fill.layerId == layerId; }),
                fills.end());
}

UndoRecord emptyRecord(const MapLayer& layer) {
    UndoRecord record;
    record.layerId = layer.id;
    record.layerWidth = layer.width;
    return record;
}

// Notes the cells of `block` that lie on the layer, with their tiles now.
void noteBlock(ChangedCells& cells, const MapLayer& layer, CellBlock block) {
    const int left = std::max(block.column, 0);
    const long long right =
        std::min<long long>(static_cast<long long>(block.column) + block.width, layer.width);
    const int top = std::max(block.row, 0);
    const long long bottom =
        std::min<long long>(static_cast<long long>(block.row) + block.height, layer.height);
    for (long long row = top; row < bottom && left < right; ++row) {
        cells.note(layer, static_cast<size_t>(row) * layer.width + left,
                   static_cast<size_t>(right - left));
    }
}

// A record of the cells of `block` that lie on the layer, with their tiles now.
UndoRecord blockRecord(const MapLayer& layer, CellBlock block) {
    UndoRecord record = emptyRecord(layer);
    noteBlock(record.cells, layer, block);
    return record;
}

UndoStep singleRecordStep(UndoRecord record) {
    UndoStep step;
    step.records.push_back(std::move(record));
    return step;
}

// Pastes one record back; false when its layer is gone.
bool restoreRecord(Editor& editor, const UndoRecord& record) {
    forgetFillStep(editor, record.layerId);
    MapLayer* layer = findLayerById(editor.layers, record.layerId);
    if (!layer) return false;
    restoreCells(record.cells, *layer, record.layerWidth);
    const int held = editor.heldMarkerTile;
    if (held != 0 && held <= 0xFFFF && holdsTile(record.cells, static_cast<uint16_t>(held)))
        editor.heldMarkerTile = 0;
    return true;
}

// Gives the map layers the names they had before a Remove, and the numbers of their places; a
// layer added since then takes the name of its new number, as a renumbering gives it. The
// Layer menu and the design window follow.
void restoreLayerNames(Editor& editor, const UndoStep& step) {
    int number = 0;
    for (const auto& layer : editor.layers) {
        if (!layer->isMapLayer()) continue;
        layer->number = ++number;
        auto before = std::find_if(step.namesBefore.begin(), step.namesBefore.end(),
                                   [&](const auto& named) { return named.first == layer->id; });
        if (before != step.namesBefore.end()) {
            layer->name = before->second;
        } else {
            const std::string name = stringSetting(editor, "Layer" + std::to_string(number));
            if (!name.empty()) layer->name = name;
        }
    }
    editor.layerCount = number;
    editor.currentLayer = step.currentLayerBefore;
    if (Window* design = findWindow(editor, kDesignWindowName)) design->layerNames.clear();
    rebuildLayerMenu(editor);
    showLayerStatus(editor);
}

// Takes back what the step did to the layers themselves; false when there was nothing left to
// take back (the layer it concerns is gone).
bool restoreLayers(Editor& editor, UndoStep& step) {
    if (step.removedLayer) {
        const size_t slot = std::min(step.removedSlot, editor.layers.size());
        editor.layers.insert(editor.layers.begin() + static_cast<std::ptrdiff_t>(slot),
                             std::move(step.removedLayer));
        restoreLayerNames(editor, step);
        return true;
    }
    bool restored = false;
    for (const LayerShape& shape : step.shapesBefore) {
        const MapLayer* layer = findLayerById(editor.layers, shape.layerId);
        if (!layer) continue;
        MapLayer* back = resizeLayer(editor.layers, *layer, shape.width, shape.height);
        back->offsetX = shape.offsetX;
        back->offsetY = shape.offsetY;
        back->cellWidth = shape.cellWidth;
        back->cellHeight = shape.cellHeight;
        back->visible = shape.visible;
        back->checkerBackground = shape.checkerBackground;
        restored = true;
    }
    if (restored) postCommand(editor.commandQueue, cmd::SetCaptionSizeDimensions, "");
    return restored;
}
}  // namespace

std::vector<std::pair<uint64_t, std::string>> mapLayerNames(const Editor& editor) {
    std::vector<std::pair<uint64_t, std::string>> names;
    for (const auto& layer : editor.layers) {
        if (layer->isMapLayer()) names.emplace_back(layer->id, layer->name);
    }
    return names;
}

size_t undoLimitBytes(Editor& editor) {
    auto setting = editor.settings.integers.find("UndoMemoryMB");
    const int megabytes = setting != editor.settings.integers.end() && setting->second > 0
                              ? setting->second
                              : kDefaultUndoMemoryMB;
    return static_cast<size_t>(megabytes) << 20;
}

void pushUndoStep(Editor& editor, UndoStep step) {
    step.records.erase(std::remove_if(step.records.begin(), step.records.end(),
                                      [](const UndoRecord& r) { return r.cells.empty(); }),
                       step.records.end());
    if (step.records.empty() && !step.changesLayers()) return;
    addStep(editor, std::move(step));
    keepWithinLimit(editor);
}

void clearUndo(Editor& editor) {
    editor.undoStack.clear();
    editor.undoBytes = 0;
    editor.fillRecordedThisPress = false;
    editor.fillRecordedLayers.clear();
}

void recordBlocksChange(Editor& editor, MapLayer& layer, const std::vector<CellBlock>& blocks,
                        const std::function<void()>& change) {
    UndoRecord record = emptyRecord(layer);
    for (const CellBlock& block : blocks) noteBlock(record.cells, layer, block);
    change();
    keepChangedOnly(record.cells, layer);
    pushUndoStep(editor, singleRecordStep(std::move(record)));
}

void recordCell(Editor& editor, const MapLayer& layer, int column, int row, int nextMarkerBefore) {
    UndoStep step = singleRecordStep(blockRecord(layer, CellBlock{column, row, 1, 1}));
    step.nextMarkerBefore = nextMarkerBefore;
    pushUndoStep(editor, std::move(step));
}

bool recordUndo(Editor& editor, const MapLayer& brush, const MapLayer& layer, int column, int row) {
    if (isFill(editor.toolMode)) {
        // One step per press and per layer, opened before the press's first fill of that
        // layer; every fill of the press notes its cells in it, so a held fill does not stack
        // up steps. Plain Fill is held over many frames, so it is asked first whether it can
        // change anything and a fill that cannot opens no step; what Fill Random does depends
        // on its shuffles, so its step is judged after the fill (settleFill).
        if (fillRecordedOn(editor, layer.id)) return false;
        if (editor.toolMode == ToolMode::Fill && fillChangesNothing(layer, column, row, brush))
            return false;
        // Filled in by the press's fills.
        addStep(editor, singleRecordStep(emptyRecord(layer)));
        if (!editor.fillRecordedThisPress) editor.fillRecordedLayers.clear();
        editor.fillRecordedThisPress = true;
        editor.fillRecordedLayers.push_back(PressFill{layer.id, editor.undoSerial});
        return true;
    }
    const CellBlock footprint{column - brush.width / 2, row - brush.height / 2, brush.width,
                              brush.height};
    // A button held on one spot records once. A step of another layer or another footprint,
    // or one that is no stamp (a marker key's cell, a fill), does not hold this stamp's cells,
    // nor does one recorded before this press.
    if (buttonHeld(editor.previousMouseButtons) && !editor.undoStack.empty()) {
        const UndoStep& top = editor.undoStack.back();
        const UndoRecord& last = top.records.front();
        const CellBlock& at = last.footprint;
        if (top.records.size() == 1 && last.stamp && last.layerId == layer.id &&
            at.column == footprint.column && at.row == footprint.row &&
            at.width == footprint.width && at.height == footprint.height)
            return false;
    }
    UndoRecord record = blockRecord(layer, footprint);
    record.stamp = true;
    record.footprint = footprint;
    pushUndoStep(editor, singleRecordStep(std::move(record)));
    return true;
}

ChangedCells* fillLog(Editor& editor, const MapLayer& layer) {
    UndoStep* step = pressFillStep(editor, layer.id);
    return step ? &step->records.front().cells : nullptr;
}

void settleFill(Editor& editor, const MapLayer& layer, bool pushedNow, size_t notedBefore) {
    UndoStep* step = pressFillStep(editor, layer.id);
    if (!step) return;
    // A held fill that found nothing more to fill left the step as it was.
    if (!pushedNow && step->records.front().cells.cellCount() == notedBefore) return;
    forgetStep(editor, *step);
    keepChangedOnly(step->records.front().cells, layer);
    if (step->records.front().cells.empty() && pushedNow) {
        const uint64_t serial = step->serial;
        editor.undoStack.erase(
            std::find_if(editor.undoStack.begin(), editor.undoStack.end(),
                         [serial](const UndoStep& s) { return s.serial == serial; }));
        forgetFillStep(editor, layer.id);
        return;
    }
    step->bytes = stepBytes(*step);
    editor.undoBytes += step->bytes;
    keepWithinLimit(editor);
}

void undoLast(Editor& editor) {
    // Layers added since a removal may have filled the map: the removed layer then has no place
    // to go back to, and its step waits (with the steps before it) until there is one.
    if (!editor.undoStack.empty() && editor.undoStack.back().removedLayer &&
        editor.layerCount >= kMaxMapLayers) {
        editor.messageBox->show(kWarningTitle,
                                "The removed layer can not come back: the map holds " +
                                    std::to_string(kMaxMapLayers) + " layers, the limit.");
        return;
    }
    // The stroke of a layer that is gone went with it: there is nothing left to take back, and
    // keeping the step would make Undo do nothing for ever.
    while (!editor.undoStack.empty()) {
        UndoStep step = std::move(editor.undoStack.back());
        editor.undoStack.pop_back();
        forgetStep(editor, step);
        // The layers first: a ReSize's cut-away cells go back into the layer at its old size.
        bool restored = step.changesLayers() && restoreLayers(editor, step);
        for (auto it = step.records.rbegin(); it != step.records.rend(); ++it) {
            restored = restoreRecord(editor, *it) || restored;
        }
        if (!restored) continue;
        if (step.nextMarkerBefore >= 0) editor.nextMarkerTile = step.nextMarkerBefore;
        return;
    }
}
