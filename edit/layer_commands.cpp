// Layer commands and the lists that name the layers: the layer list, the design window's
// drawing order and the Layer menu.
#include "edit/layer_commands.h"

#include <algorithm>
#include <cstdlib>
#include <utility>
#include <vector>

#include "app/caption.h"
#include "app/command_names.h"
#include "app/editor.h"
#include "edit/step_replay.h"
#include "edit/undo.h"
#include "platform/message_box.h"

namespace {

Window* designWindow(Editor& editor) {
    return findWindow(editor, kDesignWindowName);
}

std::string layerSettingName(int n) {
    return "Layer" + std::to_string(n);
}

// The separator "_" of the Layer menu, after which the layer entries stand.
MenuEntry* layerMenuSeparator(Editor& editor) {
    MenuEntry* title = findMenu(editor.menus, cmd::Layer);
    if (!title) return nullptr;
    MenuEntry* entry = title->next;
    for (int i = 1; entry && i < 6; ++i) entry = entry->next;
    return entry;
}

// Takes the layer out of the list, whole, and says where it stood.
std::unique_ptr<MapLayer> takeLayer(Editor& editor, const MapLayer* layer, size_t& slot) {
    for (auto it = editor.layers.begin(); it != editor.layers.end(); ++it) {
        if (it->get() == layer) {
            std::unique_ptr<MapLayer> taken = std::move(*it);
            slot = static_cast<size_t>(it - editor.layers.begin());
            editor.layers.erase(it);
            return taken;
        }
    }
    return nullptr;
}

// Layer n is the one named by the setting "Layer<n>", so after a removal the map layers, in
// list order, take the numbers 1, 2, ... and those settings' names: whatever the configured
// names, each layer stays reachable by its number. A number whose setting is empty keeps the
// layer's own name.
void renumberMapLayers(Editor& editor) {
    int number = 1;
    for (const auto& layer : editor.layers) {
        if (!layer->isMapLayer()) continue;
        layer->number = number;
        const std::string name = stringSetting(editor, layerSettingName(number));
        if (!name.empty()) layer->name = name;
        ++number;
    }
}

// The mark goes on the entry of the layer the tools work on, and on no entry when that layer
// does not exist, so the menu never shows another layer as current.
void markCurrentLayerEntry(Editor& editor) {
    MenuEntry* separator = layerMenuSeparator(editor);
    if (!separator) return;
    const MapLayer* current = currentMapLayer(editor);
    editor.menus.selected = nullptr;
    for (MenuEntry* e = separator->next; e && !e->isTitle; e = e->next) {
        e->selected = current && !editor.menus.selected && e->label == current->name;
        if (e->selected) editor.menus.selected = e;
    }
}
}  // namespace

void removeLayer(Editor& editor, const std::string& name) {
    eraseLayer(editor.layers, name, true);
}

void dropLayerEntries(Editor& editor) {
    dropItemsAfter(editor.menus, layerMenuSeparator(editor));
}

void appendLayerEntry(Editor& editor, const std::string& name, bool selected) {
    MenuEntry* last = lastItem(editor.menus, cmd::Layer);
    if (!last) return;
    MenuEntry* entry = addMenuItem(last, 80, 18, name, cmd::LayerChange.text, true, selected);
    if (selected) editor.menus.selected = entry;
}

void rebuildLayerMenu(Editor& editor) {
    dropLayerEntries(editor);
    Window* design = designWindow(editor);
    // Listed from the layers themselves, so that the view, the saved file and the menu name
    // exactly the layers that exist.
    for (const auto& layer : editor.layers) {
        if (!layer->isMapLayer()) continue;
        if (design) design->layerNames.push_back(layer->name);
        appendLayerEntry(editor, layer->name, layer->number == editor.currentLayer);
    }
}

void replaceMapLayers(Editor& editor, LayerList& layers) {
    Window* design = designWindow(editor);
    if (design) {
        for (const std::string& name : design->layerNames) removeLayer(editor, name);
        design->layerNames.clear();
    }
    // Strokes of the map that was open cannot be taken back into another map.
    clearUndo(editor);
    editor.currentLayer = 1;
    dropLayerEntries(editor);
    for (auto& layer : layers) {
        const std::string name = layer->name;
        if (design) design->layerNames.push_back(name);
        appendLayerEntry(editor, name, layer->number == editor.currentLayer);
        editor.layers.push_back(std::move(layer));
    }
    editor.layerCount = static_cast<int>(layers.size());
}

void addLayer(Editor& editor) {
    if (editor.layerCount >= kMaxMapLayers) {
        editor.messageBox->show(kWarningTitle, "No more room for another layer, 9 is the limit");
        return;
    }
    int width = 128, height = 128, offsetX = 0, offsetY = 0;
    if (MapLayer* first = findMapLayer(editor.layers, stringSetting(editor, "Layer1"))) {
        width = first->width;
        height = first->height;
        offsetX = first->offsetX;
        offsetY = first->offsetY;
    }
    // No step: a layer added takes nothing away. Redo no longer fits the map, though.
    editor.history.noteChange();
    editor.layerCount += 1;
    std::string name = stringSetting(editor, layerSettingName(editor.layerCount));
    MapLayer* layer = createLayer(editor.layers, width, height, name, 0, kSeeThroughTile);
    layer->number = editor.layerCount;
    layer->offsetX = offsetX;
    layer->offsetY = offsetY;
    if (Window* design = designWindow(editor)) design->layerNames.push_back(name);
    appendLayerEntry(editor, name, false);
    showLayerStatus(editor);
}

void removeCurrentLayer(Editor& editor) {
    if (editor.currentLayer == 1) {
        editor.messageBox->show(kWarningTitle, "The first layer can not be removed");
        return;
    }
    // A current layer that names no layer is not removed: the count would lose track of the
    // layers that do exist. The current layer is found ignoring letter case, and that very
    // layer is the one destroyed, so the count never drops while the layer stays.
    MapLayer* current = currentMapLayer(editor);
    if (editor.layerCount <= 1 || !current || !current->isMapLayer()) return;
    // The layer goes into the undo step whole, and the names of the layers above it with it:
    // undo steps find their layers by identity, so renaming them needs nothing more.
    UndoStep step;
    step.namesBefore = mapLayerNames(editor);
    step.currentLayerBefore = editor.currentLayer;
    step.removedLayer = takeLayer(editor, current, step.removedSlot);
    pushUndoStep(editor, std::move(step));
    renumberMapLayers(editor);
    if (Window* design = designWindow(editor)) design->layerNames.clear();
    editor.currentLayer = editor.currentLayer > 1 ? editor.currentLayer - 1 : 1;
    editor.layerCount -= 1;
    rebuildLayerMenu(editor);
    showLayerStatus(editor);
}

void changeLayer(Editor& editor, const std::string& name) {
    std::string key;
    for (const auto& [settingName, value] : editor.settings.strings) {
        if (value == name) {
            key = settingName;
            break;
        }
    }
    // Only "Layer" followed by the number of an existing map layer makes it current, so the
    // current layer always names a layer the tools can work on. A click on a layer entry has
    // already moved the menu's mark, so the mark is set again whether the name was taken or not.
    const int number =
        key.size() > 5 && key.compare(0, 5, "Layer") == 0 ? std::atoi(key.c_str() + 5) : 0;
    const MapLayer* layer = findMapLayer(editor.layers, name);
    if (number >= 1 && number <= editor.layerCount && layer && layer->isMapLayer()) {
        editor.currentLayer = number;
        showLayerStatus(editor);
    }
    markCurrentLayerEntry(editor);
}

void setCurrentLayerVisible(Editor& editor, int visible) {
    MapLayer* layer = currentMapLayer(editor);
    if (!layer) return;
    layer->visible = visible < 0 ? !layer->visible : visible != 0;
    showLayerStatus(editor);
}

namespace {
struct ClearedLayer {
    MapLayer* layer;
    uint16_t tile;  // what every cell of the layer becomes
};

// Clears the layers as one undo step that holds only the cells each clear changed: no copy of
// a whole layer is made.
void recordClear(Editor& editor, const std::vector<ClearedLayer>& cleared) {
    UndoStep step;
    for (const ClearedLayer& clear : cleared) {
        MapLayer& layer = *clear.layer;
        UndoRecord record;
        record.layerId = layer.id;
        record.layerWidth = layer.width;
        const size_t n = layer.tiles.size();
        for (size_t i = 0; i < n;) {
            if (layer.tiles[i] == clear.tile) {
                ++i;
                continue;
            }
            size_t end = i;
            while (end < n && layer.tiles[end] != clear.tile) ++end;
            record.cells.note(layer, i, end - i);
            i = end;
        }
        fillTiles(layer, 0, clear.tile);
        step.records.push_back(std::move(record));
    }
    pushUndoStep(editor, std::move(step));
}
}  // namespace

void clearCurrentLayer(Editor& editor) {
    MapLayer* layer = currentMapLayer(editor);
    if (!layer) return;
    recordClear(editor, {ClearedLayer{layer, kSeeThroughTile}});
}

void clearMap(Editor& editor) {
    std::vector<ClearedLayer> cleared;
    for (const auto& layer : editor.layers) {
        if (!layer->isMapLayer()) continue;
        cleared.push_back(
            ClearedLayer{layer.get(), cleared.empty() ? kGroundTile : kSeeThroughTile});
    }
    recordClear(editor, cleared);
}
