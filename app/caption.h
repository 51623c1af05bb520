// The window caption, which serves as the editor's status line.
#pragma once

#include <string>

struct Editor;
struct MapLayer;

// The caption: title, " / ", the status when not empty, the layer's size when a layer is given,
// and the map file's name when one was loaded.
std::string captionText(const Editor& editor, const MapLayer* layer, const std::string& status);

void setCaption(Editor& editor, const MapLayer* layer, const std::string& status);

// The status a stroke shows: the active brush's size (when there is a brush) and the current
// layer's name, as "brush: 3x3 / layer:'Map1'".
std::string layerStatus(Editor& editor);

// Shows the layer status and the current layer's size: the caption says which layer the tools
// work on as soon as it changes, not only once the user paints.
void showLayerStatus(Editor& editor);

// Keeps the old title when `title` is empty; rebuilds the caption either way.
void setTitle(Editor& editor, const std::string& title);
