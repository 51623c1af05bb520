// The rule for the names of map layers.
#include "map/layer_names.h"

#include "map/layer_list.h"

bool isToolLayerName(const std::string& name) {
    for (const std::string* kept : {&kPaletteLayerName, &kBrushLeftName, &kBrushRightName}) {
        if (sameNameIgnoringCase(name, *kept)) return true;
    }
    return false;
}

LayerNameUse layerNameUse(const std::string& name, const std::vector<std::string>& earlier,
                          size_t* taker) {
    if (isToolLayerName(name)) return LayerNameUse::KeptForTools;
    for (size_t i = 0; i < earlier.size(); ++i) {
        if (sameNameIgnoringCase(name, earlier[i])) {
            if (taker) *taker = i;
            return LayerNameUse::Taken;
        }
    }
    return LayerNameUse::Free;
}
