// Building and setting the caption.
#include "app/caption.h"

#include <SDL.h>

#include "app/editor.h"
#include "app/main_loop.h"

std::string captionText(const Editor& editor, const MapLayer* layer, const std::string& status) {
    std::string caption = editor.title + " / ";
    if (!status.empty()) caption += status;
    if (layer) {
        caption += " / map:" + std::to_string(layer->width) + "x" + std::to_string(layer->height);
    }
    if (!editor.mapFileName.empty()) caption += " -- " + editor.mapFileName;
    return caption;
}

void setCaption(Editor& editor, const MapLayer* layer, const std::string& status) {
    SDL_WM_SetCaption(captionText(editor, layer, status).c_str(), nullptr);
}

std::string layerStatus(Editor& editor) {
    std::string status;
    if (const MapLayer* brush =
            findToolLayer(editor.layers, brushLayerName(editor.activeBrushSide))) {
        status =
            "brush: " + std::to_string(brush->width) + "x" + std::to_string(brush->height) + " / ";
    }
    return status + "layer:'" + currentLayerName(editor) + "'";
}

void showLayerStatus(Editor& editor) {
    setCaption(editor, currentMapLayer(editor), layerStatus(editor));
}

void setTitle(Editor& editor, const std::string& title) {
    if (!title.empty()) editor.title = title;
    setCaption(editor, nullptr, "");
}
