// The binary map file: the map layers' names, sizes, scroll positions, cell sizes and tiles.
#pragma once

#include <string>

struct Editor;

// The text after the last "/", else after the last backslash, else the whole path.
std::string baseName(const std::string& path);

// The map layers in the design window's order, as the bytes of a map file.
std::string encodeMap(Editor& editor);

// Saves the map; an empty path does nothing. A failed save shows a warning and leaves any old
// file as it was.
void saveMap(Editor& editor, const std::string& path);

// Replaces the map layers by those of the file. An empty path or a file that cannot be opened
// leaves the map untouched. A damaged file gives the layers it holds in full.
void loadMap(Editor& editor, const std::string& path);
