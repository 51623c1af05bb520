// The names a map layer may not take: those the editor keeps for its palette and brushes, and
// those an earlier layer of the map has. A map file is opened passing over a layer of such a
// name; the map tool refuses to write one.
#pragma once

#include <string>
#include <vector>

// The palette and the two brushes, one for each mouse button.
const std::string kPaletteLayerName = "Tile01";
const std::string kBrushLeftName = "BrushLeft";
const std::string kBrushRightName = "BrushRight";

// True for the names the palette and the brushes go by (ignoring letter case): a map layer
// never takes one of them.
bool isToolLayerName(const std::string& name);

enum class LayerNameUse {
    Free,
    KeptForTools,  // the palette's or a brush's
    Taken,         // an earlier layer's, ignoring letter case
};

// Whether a map layer named `name` may follow layers named `earlier` in a map. When the name is
// taken, `taker` (when given) is set to the index of the earlier layer that has it.
LayerNameUse layerNameUse(const std::string& name, const std::vector<std::string>& earlier,
                          size_t* taker = nullptr);
