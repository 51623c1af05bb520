// Gathering what a TMX file holds.
#include "maptool/tiled_map.h"

#include <cerrno>
#include <cstdlib>

#include "map/map_layer.h"
#include "maptool/quoted_text.h"

namespace {
// Tilesets kept: a map uses two, a third shows there are too many.
constexpr size_t kTilesetsKept = 3;
}  // namespace

const char* shapeName(ObjectShape shape) {
    switch (shape) {
        case ObjectShape::Point:
            return "point";
        case ObjectShape::Polyline:
            return "polyline";
        case ObjectShape::Polygon:
            return "polygon";
        case ObjectShape::Ellipse:
            return "ellipse";
        case ObjectShape::Text:
            return "text";
        case ObjectShape::Tile:
            return "tile";
        case ObjectShape::Rectangle:
            break;
    }
    return "rectangle";
}

void addTileset(TiledMap& map, const TiledTileset& tileset) {
    if (map.tilesets.size() < kTilesetsKept) map.tilesets.push_back(tileset);
    ++map.tilesetCount;
}

bool addLayer(TiledMap& map, TiledLayer&& layer, std::string& error) {
    if (layer.type == "tilelayer") {
        if (map.layers.size() == static_cast<size_t>(kMaxMapLayers)) {
            error =
                "more than " + std::to_string(kMaxMapLayers) + " tile layers, the most a map holds";
            return false;
        }
        map.layers.push_back(std::move(layer));
        return true;
    }
    if (layer.type == "objectgroup") {
        if (map.layers.empty()) {
            error = "object layer " + quoted(layer.name) +
                    " comes before any tile layer its markers could belong to";
            return false;
        }
        if (layer.objects.empty()) return true;
        TiledLayer& owner = map.layers.back();
        const auto group = static_cast<uint32_t>(owner.groupNames.size());
        owner.groupNames.push_back(std::move(layer.name));
        if (layer.hasUnnumbered && !owner.hasUnnumbered) {
            owner.unnumberedName = std::move(layer.unnumberedName);
            owner.hasUnnumbered = true;
        }
        // Moved one at a time, so that the objects are never held twice.
        for (; !layer.objects.empty(); layer.objects.pop_front()) {
            owner.objects.push_back(layer.objects.front());
            owner.objects.back().group = group;
        }
        return true;
    }
    error = "layer " + quoted(layer.name) + " is a " +
            (layer.type.empty() ? std::string("layer of unknown kind") : named(layer.type)) +
            " (tile layers and object layers of markers can be read)";
    return false;
}

void addObject(TiledLayer& layer, TiledObject object, const std::string& name, bool whole) {
    // A whole number as strtoll reads one, and nothing after it.
    char* stop = nullptr;
    errno = 0;
    const long long number = std::strtoll(name.c_str(), &stop, 10);
    const bool numbered =
        whole && !name.empty() && errno == 0 && stop == name.c_str() + name.size() && number >= 0;
    object.number = numbered ? number : -1;
    if (!numbered && !layer.hasUnnumbered) {
        layer.unnumberedName = name;
        layer.hasUnnumbered = true;
    }
    layer.objects.push_back(object);
}
