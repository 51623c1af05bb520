// Recording and undoing strokes, fills and commands.
#include "edit/undo.h"

#include <algorithm>

#include "app/main_loop.h"
#include "edit/flood_fill.h"

namespace {
bool fillMode(int toolMode) {
    return toolMode == 1 || toolMode == 3;
}

size_t stepBytes(const UndoStep& step) {
    size_t bytes = sizeof(UndoStep);
    for (const UndoRecord& record : step.records) {
        bytes += sizeof(UndoRecord) + record.layerName.capacity() + record.cells.bytes();
    }
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
UndoStep* pressFillStep(Editor& editor, const std::string& layerName) {
    if (!editor.fillRecordedThisPress) return nullptr;
    for (const PressFill& fill : editor.fillRecordedLayers) {
        if (fill.layerName != layerName) continue;
        for (auto it = editor.undoStack.rbegin(); it != editor.undoStack.rend(); ++it) {
            if (it->serial == fill.stepSerial) return &*it;
            if (it->serial < fill.stepSerial) break;
        }
    }
    return nullptr;
}

bool fillRecordedOn(const Editor& editor, const std::string& layerName) {
    const std::vector<PressFill>& fills = editor.fillRecordedLayers;
    return editor.fillRecordedThisPress &&
           std::any_of(fills.begin(), fills.end(),
                       [&](const PressFill& fill) { return fill.layerName == layerName; });
}

// Once the press's fill step of a layer is gone, that layer's next fill in the press records.
void forgetFillStep(Editor& editor, const std::string& layerName) {
    std::vector<PressFill>& fills = editor.fillRecordedLayers;
    fills.erase(std::remove_if(fills.begin(), fills.end(),
                               [&](const PressFill& fill) { return fill.layerName == layerName; }),
                fills.end());
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
    UndoRecord record;
    record.layerName = layer.name;
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
    forgetFillStep(editor, record.layerName);
    MapLayer* layer = findLayer(editor.layers, record.layerName);
    if (!layer) return false;
    restoreCells(record.cells, *layer);
    const int held = editor.heldMarkerTile;
    if (held != 0 && held <= 0xFFFF && holdsTile(record.cells, static_cast<uint16_t>(held)))
        editor.heldMarkerTile = 0;
    return true;
}
}  // namespace

size_t undoLimitBytes(Editor& editor) {
    auto setting = editor.intSettings.find("UndoMemoryMB");
    const int megabytes = setting != editor.intSettings.end() && setting->second > 0
                              ? setting->second
                              : kDefaultUndoMemoryMB;
    return static_cast<size_t>(megabytes) << 20;
}

void pushUndoStep(Editor& editor, UndoStep step) {
    step.records.erase(std::remove_if(step.records.begin(), step.records.end(),
                                      [](const UndoRecord& r) { return r.cells.empty(); }),
                       step.records.end());
    if (step.records.empty()) return;
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
    UndoRecord record;
    record.layerName = layer.name;
    for (const CellBlock& block : blocks) noteBlock(record.cells, layer, block);
    change();
    keepChangedOnly(record.cells, layer);
    pushUndoStep(editor, singleRecordStep(std::move(record)));
}

void recordCell(Editor& editor, const MapLayer& layer, int column, int row) {
    pushUndoStep(editor, singleRecordStep(blockRecord(layer, CellBlock{column, row, 1, 1})));
}

bool recordUndo(Editor& editor, const MapLayer& brush, const MapLayer& layer, int column, int row) {
    if (fillMode(editor.toolMode)) {
        // One step per press and per layer, opened before the press's first fill of that
        // layer; every fill of the press notes its cells in it, so a held fill does not stack
        // up steps. Plain Fill is held over many frames, so it is asked first whether it can
        // change anything and a fill that cannot opens no step; what Fill Random does depends
        // on its shuffles, so its step is judged after the fill (settleFill).
        if (fillRecordedOn(editor, layer.name)) return false;
        if (editor.toolMode == 1 && fillChangesNothing(layer, column, row, brush)) return false;
        UndoRecord record;
        record.layerName = layer.name;
        addStep(editor, singleRecordStep(std::move(record)));  // filled in by the press's fills
        if (!editor.fillRecordedThisPress) editor.fillRecordedLayers.clear();
        editor.fillRecordedThisPress = true;
        editor.fillRecordedLayers.push_back(PressFill{layer.name, editor.undoSerial});
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
        if (top.records.size() == 1 && last.stamp && last.layerName == layer.name &&
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
    UndoStep* step = pressFillStep(editor, layer.name);
    return step ? &step->records.front().cells : nullptr;
}

void settleFill(Editor& editor, const MapLayer& layer, bool pushedNow, size_t notedBefore) {
    UndoStep* step = pressFillStep(editor, layer.name);
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
        forgetFillStep(editor, layer.name);
        return;
    }
    step->bytes = stepBytes(*step);
    editor.undoBytes += step->bytes;
    keepWithinLimit(editor);
}

void undoLast(Editor& editor) {
    // The stroke of a layer that is gone went with it: there is nothing left to take back, and
    // keeping the step would make Undo do nothing for ever.
    while (!editor.undoStack.empty()) {
        UndoStep step = std::move(editor.undoStack.back());
        editor.undoStack.pop_back();
        forgetStep(editor, step);
        bool restored = false;
        for (auto it = step.records.rbegin(); it != step.records.rend(); ++it) {
            restored = restoreRecord(editor, *it) || restored;
        }
        if (restored) return;
    }
}

void followLayerRenames(Editor& editor, const std::string& removed,
                        const std::map<std::string, std::string>& renamed) {
    for (UndoStep& step : editor.undoStack) {
        auto& records = step.records;
        records.erase(std::remove_if(records.begin(), records.end(),
                                     [&](const UndoRecord& r) { return r.layerName == removed; }),
                      records.end());
        for (UndoRecord& record : records) {
            auto it = renamed.find(record.layerName);
            if (it != renamed.end()) record.layerName = it->second;
        }
    }
    auto& stack = editor.undoStack;
    stack.erase(std::remove_if(stack.begin(), stack.end(),
                               [](const UndoStep& s) { return s.records.empty(); }),
                stack.end());
    editor.undoBytes = 0;
    for (UndoStep& step : stack) {
        step.bytes = stepBytes(step);
        editor.undoBytes += step.bytes;
    }
}
