// The layer commands: add, remove, hide, show, clear, choose, and the Layer menu's upkeep.
#pragma once

#include <string>

#include "map/layer_list.h"

struct Editor;

// Destroys the first map layer named exactly `name`; the others keep their names and numbers.
void removeLayer(Editor& editor, const std::string& name);

// Drops the Layer menu's layer entries (everything after its separator).
void dropLayerEntries(Editor& editor);
// Appends a layer entry below the Layer menu's last item; a selected entry takes the mark.
void appendLayerEntry(Editor& editor, const std::string& name, bool selected);
// After a removal: the design window's layer list and the Layer menu, from the map layers.
void rebuildLayerMenu(Editor& editor);
// Puts `layers` (numbered from 1, in drawing order) in the place of the map's layers, with
// their design window list and Layer menu entries, the first layer current, and forgets the
// undo history of the map they replace. Open and New both go through it.
void replaceMapLayers(Editor& editor, LayerList& layers);

void addLayer(Editor& editor);
void removeCurrentLayer(Editor& editor);
// Makes the map layer named `name` current; a name that is no existing map layer is ignored.
// Either way the Layer menu's mark ends on the current layer's entry.
void changeLayer(Editor& editor, const std::string& name);
void setCurrentLayerVisible(Editor& editor, int visible);  // 0, 1, or -1 to invert
void clearCurrentLayer(Editor& editor);
void clearMap(Editor& editor);
