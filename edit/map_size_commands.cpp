// Create Map and Resize Map.
#include "edit/map_size_commands.h"

#include "app/command_names.h"
#include "app/editor.h"
#include "app/recovery.h"
#include "edit/layer_commands.h"
#include "edit/layer_shape.h"
#include "edit/undo.h"
#include "io/map_file.h"
#include "map/resize_layer.h"
#include "platform/message_box.h"

namespace {
// Hides and re-centres the dialog and reads the width and height from its two fields.
bool takeDialogSize(Editor& editor, const std::string& dialogName, int& width, int& height) {
    Dialog* dialog = findDialog(editor, dialogName);
    if (!dialog || dialog->inputs.size() < 2) return false;
    dialog->visible = false;
    centreDialog(editor, *dialog);
    auto* w = dynamic_cast<NumberInput*>(dialog->inputs[0].get());
    auto* h = dynamic_cast<NumberInput*>(dialog->inputs[1].get());
    if (!w || !h) return false;
    width = w->value;
    height = h->value;
    return true;
}

// A size the machine may not hold is refused with a warning, and the map stays as it was.
bool sizeAccepted(Editor& editor, int width, int height) {
    if (static_cast<long long>(width) * height <= kMaxLayerCells) return true;
    editor.messageBox->show(kWarningTitle, "A map of " + std::to_string(width) + " x " +
                                               std::to_string(height) + " cells is too large: " +
                                               layerLimitText() + ". The map was not changed.");
    return false;
}
}  // namespace

void createMap(Editor& editor) {
    int width = 0, height = 0;
    if (!takeDialogSize(editor, kCreateMapDialogName, width, height)) return;
    if (!sizeAccepted(editor, width, height)) return;
    LayerList fresh;
    createLayer(fresh, width, height, stringSetting(editor, "Layer1"), 0, kGroundTile)->number = 1;
    replaceMapLayers(editor, fresh);
    // A new map has no file yet, and nothing of it is unsaved.
    editor.mapFilePath.clear();
    editor.mapFileName.clear();
    markMapSaved(editor);
    recoveryNotNeeded(editor);
    postCommand(editor.commandQueue, cmd::SetCaptionSizeDimensions, "");
}

void showResizeDialog(Editor& editor) {
    Dialog* dialog = findDialog(editor, kResizeMapDialogName);
    if (!dialog) return;
    const Window* design = findWindow(editor, kDesignWindowName);
    if (design && !design->layerNames.empty()) {
        if (const MapLayer* first = findMapLayer(editor.layers, design->layerNames.front())) {
            setNumberInput(*dialog, 0, first->width);
            setNumberInput(*dialog, 1, first->height);
        }
    }
    showDialog(editor, kResizeMapDialogName);
}

void resizeMap(Editor& editor) {
    int width = 0, height = 0;
    if (!takeDialogSize(editor, kResizeMapDialogName, width, height)) return;
    if (!sizeAccepted(editor, width, height)) return;
    if (Window* design = findWindow(editor, kDesignWindowName)) {
        // Cells a layer gains take the tile a new layer of its place starts with: the opaque
        // ground on the first layer, the see-through tile on those above, so the ground shows.
        // A ReSize that cuts cells away is one undo step that gives every layer its old shape
        // back, with those cells; one that only adds cells takes nothing the user made.
        UndoStep step;
        bool cut = false;
        bool resized = false;
        uint16_t newTile = kGroundTile;
        for (const std::string& name : design->layerNames) {
            if (MapLayer* layer = findMapLayer(editor.layers, name)) {
                if (layer->width != width || layer->height != height) {
                    step.shapesBefore.push_back(shapeOf(*layer));
                    step.records.push_back(cutAwayCells(*layer, width, height));
                    cut = cut || !step.records.back().cells.empty();
                    resized = true;
                }
                resizeLayer(editor.layers, *layer, width, height, newTile);
            }
            newTile = kSeeThroughTile;
        }
        if (cut) {
            pushUndoStep(editor, std::move(step));
        } else if (resized) {
            editor.history.noteChange();
        }
    }
    postCommand(editor.commandQueue, cmd::SetCaptionSizeDimensions, "");
}
