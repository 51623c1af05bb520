// Replaying steps of the history, each kind with its inverse.
#include "edit/step_replay.h"

#include <algorithm>

#include "app/caption.h"
#include "app/command_names.h"
#include "edit/layer_commands.h"
#include "edit/layer_shape.h"

std::vector<std::pair<uint64_t, std::string>> mapLayerNames(const Editor& editor) {
    std::vector<std::pair<uint64_t, std::string>> names;
    for (const auto& layer : editor.layers) {
        if (layer->isMapLayer()) names.emplace_back(layer->id, layer->name);
    }
    return names;
}

namespace {
// Gives the map layers the names the step keeps and the numbers of their places; a layer it does
// not name takes the name of its new number, as a renumbering gives it. The Layer menu and the
// design window follow.
void nameLayersAsBefore(Editor& editor, const UndoStep& step) {
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

// What the layers are called and which is current now, for the step that puts them back.
void noteNames(const Editor& editor, UndoStep& inverse) {
    inverse.namesBefore = mapLayerNames(editor);
    inverse.currentLayerBefore = editor.currentLayer;
}

bool putLayerBack(Editor& editor, UndoStep& step, UndoStep& inverse) {
    noteNames(editor, inverse);
    inverse.layerToTakeOut = step.removedLayer->id;
    const size_t slot = std::min(step.removedSlot, editor.layers.size());
    editor.layers.insert(editor.layers.begin() + static_cast<std::ptrdiff_t>(slot),
                         std::move(step.removedLayer));
    nameLayersAsBefore(editor, step);
    return true;
}

bool takeLayerOut(Editor& editor, const UndoStep& step, UndoStep& inverse) {
    auto it = std::find_if(editor.layers.begin(), editor.layers.end(), [&](const auto& layer) {
        return layer->id == step.layerToTakeOut && layer->isMapLayer();
    });
    if (it == editor.layers.end()) return false;
    noteNames(editor, inverse);
    inverse.removedSlot = static_cast<size_t>(it - editor.layers.begin());
    inverse.removedLayer = std::move(*it);
    editor.layers.erase(it);
    nameLayersAsBefore(editor, step);
    return true;
}

// Gives each layer the shape the step keeps; the cells a shape cuts away go into the inverse.
bool reshapeLayers(Editor& editor, const UndoStep& step, UndoStep& inverse) {
    bool reshaped = false;
    for (const LayerShape& shape : step.shapesBefore) {
        const MapLayer* layer = findLayerById(editor.layers, shape.layerId);
        if (!layer) continue;
        inverse.shapesBefore.push_back(shapeOf(*layer));
        inverse.records.push_back(cutAwayCells(*layer, shape.width, shape.height));
        reshapeLayer(editor.layers, *layer, shape);
        reshaped = true;
    }
    if (reshaped) postCommand(editor.commandQueue, cmd::SetCaptionSizeDimensions, "");
    return reshaped;
}

bool replayLayers(Editor& editor, UndoStep& step, UndoStep& inverse) {
    if (step.removedLayer) return putLayerBack(editor, step, inverse);
    if (step.layerToTakeOut != 0) return takeLayerOut(editor, step, inverse);
    return reshapeLayers(editor, step, inverse);
}

// Pastes one record back, noting in the inverse what it overwrote; false when its layer is gone.
bool replayRecord(Editor& editor, const UndoRecord& record, UndoStep& inverse) {
    MapLayer* layer = findLayerById(editor.layers, record.layerId);
    if (!layer) return false;
    UndoRecord now;
    now.layerId = layer->id;
    now.layerWidth = layer->width;
    now.cells = exchangeCells(record.cells, *layer, record.layerWidth);
    inverse.records.push_back(std::move(now));
    return true;
}

// The marker held with 'e': a step Undo or Redo made says what it was; any other lets go of a
// held marker it puts back on the map, so that it cannot be put down twice.
void replayHeldMarker(Editor& editor, const UndoStep& step, UndoStep& inverse) {
    const int held = editor.heldMarkerTile;
    inverse.heldMarkerBefore = held;
    if (step.heldMarkerBefore >= 0) {
        editor.heldMarkerTile = step.heldMarkerBefore;
        return;
    }
    if (held == 0 || held > 0xFFFF) return;
    for (const UndoRecord& record : step.records) {
        if (holdsTile(record.cells, static_cast<uint16_t>(held))) editor.heldMarkerTile = 0;
    }
}
}  // namespace

bool replayStep(Editor& editor, UndoStep& step, UndoStep& inverse) {
    // The layers first: a ReSize's cut-away cells go back into the layer at its old shape.
    bool replayed = step.changesLayers() && replayLayers(editor, step, inverse);
    for (auto it = step.records.rbegin(); it != step.records.rend(); ++it) {
        replayed = replayRecord(editor, *it, inverse) || replayed;
    }
    if (!replayed) return false;
    inverse.records.erase(std::remove_if(inverse.records.begin(), inverse.records.end(),
                                         [](const UndoRecord& r) { return r.cells.empty(); }),
                          inverse.records.end());
    replayHeldMarker(editor, step, inverse);
    if (step.nextMarkerBefore >= 0) {
        inverse.nextMarkerBefore = editor.nextMarkerTile;
        editor.nextMarkerTile = step.nextMarkerBefore;
    }
    return true;
}
