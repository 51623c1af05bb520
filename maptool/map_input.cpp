// Reading .map files for the map tool.
#include "maptool/map_input.h"

#include "io/map_codec.h"
#include "io/mapped_file.h"

bool readMapFile(const std::string& path, LayerList& layers, std::string& error,
                 std::string& warning) {
    MappedFile file;
    if (!file.open(path, error)) return false;
    DecodedMap map = decodeMap(file.data(), file.size());
    switch (map.kind) {
        case MapFileKind::NotAMap:
            error = "not a map file";
            return false;
        case MapFileKind::NoLayers:
            error = "the map holds no layers";
            return false;
        case MapFileKind::TooManyLayers:
            error = "the map states " + std::to_string(map.statedLayers) +
                    " layers, more than the " + std::to_string(kMaxMapLayers) +
                    " the editor works with";
            return false;
        case MapFileKind::Map:
            break;
    }
    if (static_cast<long long>(map.layers.size()) < map.statedLayers) {
        warning = "damaged: cut short after " + std::to_string(map.layers.size()) + " of its " +
                  std::to_string(map.statedLayers) + " layers";
    }
    layers = std::move(map.layers);
    return true;
}

std::vector<const MapLayer*> layerPointers(const LayerList& layers) {
    std::vector<const MapLayer*> pointers;
    for (const auto& layer : layers) pointers.push_back(layer.get());
    return pointers;
}
