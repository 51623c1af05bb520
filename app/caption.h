// The window caption, which serves as the editor's status line.
#pragma once

#include <string>

struct Editor;
struct MapLayer;

// The caption: title, " / ", the status when not empty, the layer's size when a layer is given,
// and the map file's name when one was loaded.
std::string captionText(const Editor& editor, const MapLayer* layer, const std::string& status);

void setCaption(Editor& editor, const MapLayer* layer, const std::string& status);

// Keeps the old title when `title` is empty; rebuilds the caption either way.
void setTitle(Editor& editor, const std::string& title);
