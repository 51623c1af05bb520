// Layer commands and the lists that name the layers: the layer list, the design window's
// drawing order and the Layer menu.
#include "edit/layer_commands.h"

#include <cstdlib>

#include "app/command_names.h"
#include "app/editor.h"
#include "platform/message_box.h"

namespace {
const int kMaxLayers = 9;
const char kWarningTitle[] = "Warning deatils";

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
}  // namespace

void removeLayer(Editor& editor, const std::string& name, bool renumber) {
    for (auto it = editor.layers.begin(); it != editor.layers.end(); ++it) {
        if ((*it)->name == name) {
            editor.layers.erase(it);
            break;
        }
    }
    if (!renumber) return;
    int counter = 1;
    for (const auto& layer : editor.layers) {
        if (layer->name.rfind("Map", 0) != 0) continue;
        layer->number = counter;
        layer->name = "Map" + std::to_string(counter);
        ++counter;
    }
}

void dropLayerEntries(Editor& editor) {
    dropItemsAfter(editor.menus, layerMenuSeparator(editor));
}

void appendLayerEntry(Editor& editor, const std::string& name, bool selected) {
    MenuEntry* last = lastItem(editor.menus, cmd::Layer);
    if (!last) return;
    MenuEntry* entry = addMenuItem(last, 80, 18, name, "Layer Change", true, selected);
    if (selected) editor.menus.selected = entry;
}

void rebuildLayerMenu(Editor& editor) {
    dropLayerEntries(editor);
    Window* design = designWindow(editor);
    for (int i = 1; i <= editor.layerCount; ++i) {
        std::string name = stringSetting(editor, layerSettingName(i));
        if (design) design->layerNames.push_back(name);
        appendLayerEntry(editor, name, i == editor.currentLayer);
    }
}

void addLayer(Editor& editor) {
    if (editor.layerCount >= kMaxLayers) {
        editor.messageBox->show(kWarningTitle, "No more room for another layer, 9 is the limit");
        return;
    }
    int width = 128, height = 128, offsetX = 0, offsetY = 0;
    if (MapLayer* first = findLayer(editor.layers, stringSetting(editor, "Layer1"))) {
        width = first->width;
        height = first->height;
        offsetX = first->offsetX;
        offsetY = first->offsetY;
    }
    editor.layerCount += 1;
    std::string name = stringSetting(editor, layerSettingName(editor.layerCount));
    MapLayer* layer = createLayer(editor.layers, width, height, name, 0, 1);
    layer->number = editor.layerCount;
    layer->offsetX = offsetX;
    layer->offsetY = offsetY;
    if (Window* design = designWindow(editor)) design->layerNames.push_back(name);
    appendLayerEntry(editor, name, false);
}

void removeCurrentLayer(Editor& editor) {
    if (editor.currentLayer == 1) {
        editor.messageBox->show(kWarningTitle, "The first layer can not be removed");
        return;
    }
    // A current layer that names no layer is not removed: the count would lose track of the
    // layers that do exist.
    if (editor.layerCount <= 1 || !currentMapLayer(editor)) return;
    removeLayer(editor, currentLayerName(editor), true);
    if (Window* design = designWindow(editor)) design->layerNames.clear();
    editor.currentLayer = editor.currentLayer > 1 ? editor.currentLayer - 1 : 1;
    editor.layerCount -= 1;
    rebuildLayerMenu(editor);
}

void changeLayer(Editor& editor, const std::string& name) {
    std::string key;
    for (const auto& [settingName, value] : editor.stringSettings) {
        if (value == name) {
            key = settingName;
            break;
        }
    }
    // Only "Layer" followed by the number of an existing map layer makes it current, so the
    // current layer always names a layer the tools can work on.
    if (key.size() <= 5 || key.compare(0, 5, "Layer") != 0) return;
    int number = std::atoi(key.c_str() + 5);
    if (number < 1 || number > editor.layerCount) return;
    MapLayer* layer = findLayer(editor.layers, name);
    if (!layer || layer->number == -1) return;
    editor.currentLayer = number;

    MenuEntry* title = findMenu(editor.menus, cmd::Layer);
    if (!title) return;
    bool listed = false;
    for (MenuEntry* e = title->next; e && !e->isTitle; e = e->next) listed |= e->label == name;
    if (!listed) return;
    for (MenuEntry* e = title->next; e && !e->isTitle; e = e->next) e->selected = e->label == name;
}

void setCurrentLayerVisible(Editor& editor, int visible) {
    MapLayer* layer = currentMapLayer(editor);
    if (!layer) return;
    layer->visible = visible < 0 ? !layer->visible : static_cast<uint8_t>(visible);
}

void clearCurrentLayer(Editor& editor) {
    if (MapLayer* layer = currentMapLayer(editor)) layoutCells(*layer, 0, 1);
}

void clearMap(Editor& editor) {
    bool first = true;
    for (const auto& layer : editor.layers) {
        if (layer->number == -1) continue;
        layoutCells(*layer, 0, first ? 0 : 1);
        first = false;
    }
}
