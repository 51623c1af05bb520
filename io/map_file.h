// Saving the editor's map to a map file and opening one into it.
#pragma once

#include <string>
#include <vector>

struct Editor;
struct MapLayer;

// The text after the last "/", else after the last backslash, else the whole path.
std::string baseName(const std::string& path);

// The map layers in the design window's order, as a map file holds them.
std::vector<const MapLayer*> mapLayersInOrder(Editor& editor);
// The same as the bytes of a map file.
std::string encodeMap(Editor& editor);

// Saves the map; an empty path does nothing. A failed save shows a warning and leaves any old
// file as it was. True when the map was saved: the file is the map's file from then on.
bool saveMap(Editor& editor, const std::string& path);

// Remembers the map as it is now as the map's saved state.
void markMapSaved(Editor& editor);
// Counts the map as changed since it was saved, whatever it holds (a recovered map).
void markMapUnsaved(Editor& editor);
// True when the map differs from its state when it was last opened, created or saved.
bool mapChangedSinceSaved(Editor& editor);

// Opens a map file: the whole file is read and checked before the map is touched. A file that
// cannot be read, is no map, holds no layers or more than the editor works with is refused
// with a warning, and the map, the undo stack, the caption and the file name stay as they
// were. A damaged file opens the layers it holds in full, with a warning that says how many
// were read and which records were passed over. True when the map was replaced; an empty path
// (a cancelled dialog) does nothing.
bool loadMap(Editor& editor, const std::string& path);
