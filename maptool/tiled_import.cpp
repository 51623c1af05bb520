// Building map layers from a TiledMap.
#include "maptool/tiled_import.h"

#include <cmath>
#include <vector>

#include "map/cell_access.h"
#include "maptool/tile_data.h"
#include "maptool/tiled_layout.h"

namespace {
const uint32_t kFlipBits = 0xF0000000u;

std::string quoted(const std::string& name) {
    return "\"" + name + "\"";
}

struct LayerPlan {
    const TiledLayer* source = nullptr;
    int cellWidth = kTileEdge, cellHeight = kTileEdge, scrollColumn = 0, scrollRow = 0;
    std::vector<const TiledLayer*> markerGroups;
};

bool checkTilesets(const TiledMap& map, const TileSheets& sheets, std::string& error) {
    if (map.tilesets.size() != 2) {
        error = std::to_string(map.tilesets.size()) +
                " tilesets, where the map must use the two tile sheets";
        return false;
    }
    long long firstGid = 1;
    for (size_t i = 0; i < 2; ++i) {
        const TiledTileset& t = map.tilesets[i];
        const SheetPixels& sheet = sheets.sheets[i];
        const std::string which = "tileset " + std::to_string(i + 1);
        if (t.external) {
            error = which + " is kept in a separate file, where it must be the sheet " + sheet.path;
            return false;
        }
        const bool sameSize = t.tileWidth == kTileEdge && t.tileHeight == kTileEdge &&
                              (t.imageWidth < 0 || t.imageWidth == sheet.width) &&
                              (t.imageHeight < 0 || t.imageHeight == sheet.height);
        const bool sameTiles =
            t.firstGid == firstGid && (t.tileCount < 0 || t.tileCount == sheet.wholeTiles());
        if (!sameSize || !sameTiles) {
            error = which + " does not match the sheet " + sheet.path + " (" +
                    std::to_string(sheet.wholeTiles()) + " tiles of " + std::to_string(kTileEdge) +
                    " x " + std::to_string(kTileEdge) + " from gid " + std::to_string(firstGid) +
                    ")";
            return false;
        }
        firstGid += sheet.wholeTiles();
    }
    return true;
}

bool cellSize(const TiledLayer& layer, const char* property, long long otherwise, int& size,
              std::string& error) {
    auto found = layer.properties.find(property);
    const long long value = found == layer.properties.end() ? otherwise : found->second;
    if (value < 1 || value > 1024) {
        error = "layer " + quoted(layer.name) + ": a cell size of " + std::to_string(value) +
                " pixels (1 to 1024 can be drawn)";
        return false;
    }
    size = static_cast<int>(value);
    return true;
}

bool scroll(const TiledLayer& layer, const char* property, long long cells, int& position,
            std::string& error) {
    auto found = layer.properties.find(property);
    const long long value = found == layer.properties.end() ? 0 : found->second;
    if (value < 0 || value > (cells > 0 ? cells - 1 : 0)) {
        error = "layer " + quoted(layer.name) + ": scroll position " + std::to_string(value) +
                " lies outside the layer";
        return false;
    }
    position = static_cast<int>(value);
    return true;
}

bool planTileLayer(const TiledMap& map, const TiledLayer& layer, LayerPlan& plan,
                   std::string& error) {
    const std::string where = "layer " + quoted(layer.name);
    if (layer.name.size() > 255 || layer.name.find('\0') != std::string::npos) {
        error = where + ": a name a map cannot hold (at most 255 bytes, no zero byte)";
        return false;
    }
    if (!layer.badProperty.empty()) {
        error = where + ": property " + layer.badProperty + " is not a whole number";
        return false;
    }
    if (layer.width < 0 || layer.height < 0 || layer.width > kMaxLayerCells ||
        layer.height > kMaxLayerCells || layer.width * layer.height > kMaxLayerCells) {
        error = where + ": size " + std::to_string(layer.width) + " x " +
                std::to_string(layer.height) + " (a layer holds at most " +
                std::to_string(kMaxLayerCells) + " cells)";
        return false;
    }
    if (layer.dataInChunks) {
        error = where + ": tile data in chunks, as infinite maps keep it";
        return false;
    }
    if (layer.encoding == "xml") {
        error = where + ": tile data as XML elements (CSV and base64 can be read)";
        return false;
    }
    if (!layer.data) {
        error = where + ": no tile data";
        return false;
    }
    plan.source = &layer;
    return cellSize(layer, kCellWidthProperty, map.tileWidth, plan.cellWidth, error) &&
           cellSize(layer, kCellHeightProperty, map.tileHeight, plan.cellHeight, error) &&
           scroll(layer, kScrollColumnProperty, layer.width, plan.scrollColumn, error) &&
           scroll(layer, kScrollRowProperty, layer.height, plan.scrollRow, error);
}

bool planLayers(const TiledMap& map, std::vector<LayerPlan>& plans, std::string& error) {
    for (const TiledLayer& layer : map.layers) {
        if (layer.type == "tilelayer") {
            if (plans.size() == static_cast<size_t>(kMaxMapLayers)) {
                error = "more than " + std::to_string(kMaxMapLayers) +
                        " tile layers, the most a map holds";
                return false;
            }
            plans.emplace_back();
            if (!planTileLayer(map, layer, plans.back(), error)) return false;
        } else if (layer.type == "objectgroup") {
            if (plans.empty()) {
                error = "object layer " + quoted(layer.name) +
                        " comes before any tile layer its markers could belong to";
                return false;
            }
            plans.back().markerGroups.push_back(&layer);
        } else {
            error = "layer " + quoted(layer.name) + " is a " +
                    (layer.type.empty() ? std::string("layer of unknown kind") : layer.type) +
                    " (tile layers and object layers of markers can be read)";
            return false;
        }
    }
    if (plans.empty()) {
        error = "no tile layers";
        return false;
    }
    return true;
}

bool placeMarkers(const LayerPlan& plan, int tileCount, MapLayer& layer, std::vector<bool>& empty,
                  std::string& error) {
    const long long highest = 65536 - static_cast<long long>(tileCount);
    for (const TiledLayer* group : plan.markerGroups) {
        for (const TiledObject& o : group->objects) {
            const std::string where =
                "object " + quoted(o.name) + " in layer " + quoted(group->name);
            if (o.shape == "polyline") continue;  // the path joining the markers
            if (o.shape != "point") {
                error = where + " is a " + o.shape +
                        " (points, the markers, and the path joining them can be read)";
                return false;
            }
            long long number = 0;
            size_t used = 0;
            try {
                number = std::stoll(o.name, &used);
            } catch (...) {
                used = 0;
            }
            if (used == 0 || used != o.name.size() || number < 1 || number > highest) {
                error = where + ": a marker's name is its number, 1 to " + std::to_string(highest);
                return false;
            }
            const double column = std::floor(o.x / plan.cellWidth);
            const double row = std::floor(o.y / plan.cellHeight);
            if (!(column >= 0 && row >= 0 && column < layer.width && row < layer.height)) {
                error = where + ": the point lies outside layer " + quoted(layer.name);
                return false;
            }
            const size_t cell =
                static_cast<size_t>(row) * layer.width + static_cast<size_t>(column);
            if (!empty[cell]) {
                error = where + ": its cell (" + std::to_string(static_cast<long long>(column)) +
                        ", " + std::to_string(static_cast<long long>(row)) +
                        ") holds a tile or another marker";
                return false;
            }
            empty[cell] = false;
            setTile(layer, static_cast<int>(column), static_cast<int>(row),
                    static_cast<uint16_t>(tileCount + number - 1));
        }
    }
    return true;
}
}  // namespace

bool buildLayers(const TiledMap& map, const TileSheets& sheets, LayerList& layers,
                 std::string& error, Progress& progress) {
    if (map.orientation != "orthogonal") {
        error = "orientation " + quoted(map.orientation) + " (orthogonal maps can be read)";
        return false;
    }
    if (map.infinite) {
        error = "an infinite map (maps of a fixed size can be read)";
        return false;
    }
    if (!checkTilesets(map, sheets, error)) return false;
    std::vector<LayerPlan> plans;
    if (!planLayers(map, plans, error)) return false;
    const int tileCount = sheets.tileCount;
    for (const LayerPlan& plan : plans) {
        const TiledLayer& source = *plan.source;
        const int width = static_cast<int>(source.width);
        MapLayer* layer =
            createLayer(layers, width, static_cast<int>(source.height), source.name, 0, 0);
        layer->number = static_cast<int>(layers.size());
        layer->cellWidth = plan.cellWidth;
        layer->cellHeight = plan.cellHeight;
        layer->offsetX = plan.scrollColumn;
        layer->offsetY = plan.scrollRow;
        std::vector<bool> empty(static_cast<size_t>(width) * source.height, false);
        const std::string where = "layer " + quoted(source.name);
        std::string cellError;
        const auto put = [&](long long index, uint32_t gid) {
            const int column = static_cast<int>(index % (width > 0 ? width : 1));
            const int row = static_cast<int>(index / (width > 0 ? width : 1));
            if (gid & kFlipBits) {
                cellError = where + ", cell (" + std::to_string(column) + ", " +
                            std::to_string(row) + "): a flipped or rotated tile";
                return false;
            }
            if (gid > static_cast<uint32_t>(tileCount)) {
                cellError = where + ", cell (" + std::to_string(column) + ", " +
                            std::to_string(row) + "): gid " + std::to_string(gid) +
                            " lies beyond the tile sheets' " + std::to_string(tileCount) + " tiles";
                return false;
            }
            if (gid == 0) {
                empty[static_cast<size_t>(index)] = true;
            } else {
                setTile(*layer, column, row, static_cast<uint16_t>(gid - 1));
            }
            if (column == width - 1) progress.advance(width);
            return true;
        };
        std::string dataError;
        if (!decodeTileData(source.data, source.dataEnd, source.encoding, source.compression,
                            source.width * source.height, put, dataError)) {
            error = cellError.empty() ? where + ": " + dataError : cellError;
            return false;
        }
        if (!placeMarkers(plan, tileCount, *layer, empty, error)) return false;
        for (size_t i = 0; i < empty.size(); ++i) {
            if (empty[i]) {
                setTile(*layer, static_cast<int>(i % width), static_cast<int>(i / width),
                        kSeeThroughTile);
            }
        }
    }
    return true;
}
