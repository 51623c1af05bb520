// Recording and undoing strokes, fills and commands.
#include "edit/undo.h"

#include <algorithm>

#include "app/caption.h"
#include "app/command_names.h"
#include "app/main_loop.h"
#include "edit/flood_fill.h"
#include "edit/step_replay.h"
#include "platform/message_box.h"

namespace {
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

}  // namespace

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
    editor.history.push(std::move(step), undoLimitBytes(editor));
}

void clearUndo(Editor& editor) {
    editor.history.clear();
}

void recordBlocksChange(Editor& editor, MapLayer& layer, const std::vector<CellBlock>& blocks,
                        const std::function<void()>& change) {
    UndoRecord record = emptyRecord(layer);
    for (const CellBlock& block : blocks) noteBlock(record.cells, layer, block);
    change();
    keepChangedOnly(record.cells, layer);
    pushUndoStep(editor, singleRecordStep(std::move(record)));
}

void recordCell(Editor& editor, const MapLayer& layer, int column, int row, int nextMarkerBefore,
                int heldMarkerBefore) {
    UndoStep step = singleRecordStep(blockRecord(layer, CellBlock{column, row, 1, 1}));
    step.nextMarkerBefore = nextMarkerBefore;
    step.heldMarkerBefore = heldMarkerBefore;
    pushUndoStep(editor, std::move(step));
}

bool recordUndo(Editor& editor, const MapLayer& brush, const MapLayer& layer, int column, int row) {
    if (isFill(editor.toolMode)) {
        // One step per press and per layer, opened before the press's first fill of that
        // layer; every fill of the press notes its cells in it, so a held fill does not stack
        // up steps. Plain Fill is held over many frames, so it is asked first whether it can
        // change anything and a fill that cannot opens no step; what Fill Random does depends
        // on its shuffles, so its step is judged after the fill (settleFill).
        if (editor.history.pressFillOpen(layer.id)) return false;
        if (editor.toolMode == ToolMode::Fill && fillChangesNothing(layer, column, row, brush))
            return false;
        // Filled in by the press's fills.
        editor.history.openPressFill(layer.id, singleRecordStep(emptyRecord(layer)));
        return true;
    }
    const CellBlock footprint{column - brush.width / 2, row - brush.height / 2, brush.width,
                              brush.height};
    // A button held on one spot records once. A step of another layer or another footprint,
    // or one that is no stamp (a marker key's cell, a fill), does not hold this stamp's cells,
    // nor does one recorded before this press.
    if (buttonHeld(editor.previousMouseButtons) && editor.history.newest()) {
        const UndoStep& top = *editor.history.newest();
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
    UndoStep* step = editor.history.pressFill(layer.id);
    return step ? &step->records.front().cells : nullptr;
}

void settleFill(Editor& editor, const MapLayer& layer, bool pushedNow, size_t notedBefore) {
    UndoStep* step = editor.history.pressFill(layer.id);
    if (!step) return;
    // A held fill that found nothing more to fill left the step as it was.
    ChangedCells& cells = step->records.front().cells;
    if (!pushedNow && cells.cellCount() == notedBefore) return;
    keepChangedOnly(cells, layer);
    if (cells.empty() && pushedNow) {
        editor.history.erase(step->serial);
        editor.history.forgetPressFill(layer.id);
        return;
    }
    editor.history.recount(*step, undoLimitBytes(editor));
}

namespace {
// Takes steps off one side and replays them until one puts something back; the step that
// takes that back again goes onto the other side.
void replayNewest(Editor& editor, bool undo) {
    UndoHistory& history = editor.history;
    if (!(undo ? history.canUndo() : history.canRedo())) return;
    // Layers added since a removal may have filled the map: the removed layer then has no place
    // to go back to, and its step waits (with the steps before it) until there is one.
    const UndoStep& next = undo ? history.undoSteps().back() : history.redoSteps().back();
    if (next.removedLayer && editor.layerCount >= kMaxMapLayers) {
        editor.messageBox->show(kWarningTitle,
                                "The removed layer can not come back: the map holds " +
                                    std::to_string(kMaxMapLayers) + " layers, the limit.");
        return;
    }
    // The stroke of a layer that is gone went with it: there is nothing left to take back, and
    // keeping the step would make Undo do nothing for ever.
    while (undo ? history.canUndo() : history.canRedo()) {
        UndoStep step = undo ? history.takeUndo() : history.takeRedo();
        UndoStep inverse;
        if (!replayStep(editor, step, inverse)) continue;
        // A step whose cells all lie beyond the layers now put nothing back to do again.
        if (inverse.records.empty() && !inverse.changesLayers() && inverse.nextMarkerBefore < 0)
            return;
        if (undo) {
            history.putRedo(std::move(inverse), undoLimitBytes(editor));
        } else {
            history.putUndo(std::move(inverse), undoLimitBytes(editor));
        }
        return;
    }
}
}  // namespace

void undoLast(Editor& editor) {
    replayNewest(editor, true);
}

void redoLast(Editor& editor) {
    replayNewest(editor, false);
}
