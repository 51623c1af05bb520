// Building map layers from a TiledMap.
#include "maptool/tiled_import.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <mutex>
#include <vector>

#include "map/layer_names.h"
#include "map/tile_storage.h"
#include "maptool/ordered_work.h"
#include "maptool/quoted_text.h"
#include "maptool/tile_data.h"
#include "maptool/tiled_layout.h"

namespace {
const uint32_t kFlipBits = 0xF0000000u;

bool checkTilesets(const TiledMap& map, const TileSheets& sheets, std::string& error) {
    if (map.tilesetCount != 2) {
        error = std::to_string(map.tilesetCount) +
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

// A layer name the map file, the editor and export all take: at most 255 bytes of text without
// control characters, neither a name the editor keeps for itself nor an earlier layer's.
bool checkName(const TiledLayer& layer, const std::vector<std::string>& earlier,
               std::string& error) {
    const std::string where = "layer " + quoted(layer.name);
    if (layer.name.size() > 255) {
        error = where + ": a name longer than the 255 bytes a map holds";
        return false;
    }
    const size_t notText = firstByteNotText(layer.name);
    if (notText != std::string::npos) {
        error = where + ": its name is not text without control characters (byte " +
                std::to_string(notText + 1) + ")";
        return false;
    }
    size_t taker = 0;
    switch (layerNameUse(layer.name, earlier, &taker)) {
        case LayerNameUse::KeptForTools:
            error = where + ": a name the editor keeps for its palette and brushes (" +
                    kPaletteLayerName + ", " + kBrushLeftName + ", " + kBrushRightName +
                    ", in any letter case)";
            return false;
        case LayerNameUse::Taken:
            error = where + ": layer " + std::to_string(taker + 1) + " is named " +
                    quoted(earlier[taker]) +
                    " already, and the editor tells names apart ignoring letter case";
            return false;
        case LayerNameUse::Free:
            break;
    }
    return true;
}

bool planTileLayer(const TiledMap& map, const TiledLayer& layer, LayerPlan& plan,
                   std::string& error) {
    const std::string where = "layer " + quoted(layer.name);
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
    std::vector<std::string> names;
    for (const TiledLayer& layer : map.layers) {
        plans.emplace_back();
        if (!checkName(layer, names, error) || !planTileLayer(map, layer, plans.back(), error)) {
            return false;
        }
        names.push_back(layer.name);
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
    const TiledLayer& source = *plan.source;
    for (const TiledObject& o : source.objects) {
        const std::string where =
            "object " + quoted(o.number >= 0 ? std::to_string(o.number) : source.unnumberedName) +
            " in layer " + quoted(source.groupNames[o.group]);
        if (o.shape != ObjectShape::Point) {
            error = where + " is a " + shapeName(o.shape) +
                    " (points, the markers, and the path joining them can be read)";
            return false;
        }
        if (o.number < 1 || o.number > highest) {
            error = where + ": a marker's name is its number, 1 to " + std::to_string(highest);
            return false;
        }
        const double column = std::floor(o.x / plan.cellWidth);
        const double row = std::floor(o.y / plan.cellHeight);
        if (!(column >= 0 && row >= 0 && column < layer.width && row < layer.height)) {
            error = where + ": the point lies outside layer " + quoted(layer.name);
            return false;
        }
        const size_t cell = static_cast<size_t>(row) * layer.width + static_cast<size_t>(column);
        if (!empty[cell]) {
            error = where + ": its cell (" + std::to_string(static_cast<long long>(column)) + ", " +
                    std::to_string(static_cast<long long>(row)) +
                    ") holds a tile or another marker";
            return false;
        }
        empty[cell] = false;
        layer.tiles[cell] = static_cast<uint16_t>(tileCount + o.number - 1);
    }
    return true;
}

// Gives the whole pages of [begin, end) back to the system: they read as zeros from then on.
void letGo(const char* begin, const char* end) {
    const auto page = static_cast<uintptr_t>(sysconf(_SC_PAGESIZE));
    const uintptr_t first = (reinterpret_cast<uintptr_t>(begin) + page - 1) & ~(page - 1);
    const uintptr_t last = reinterpret_cast<uintptr_t>(end) & ~(page - 1);
    if (last > first) madvise(reinterpret_cast<void*>(first), last - first, MADV_DONTNEED);
}

// A layer made from its plan, its tiles decoded from the data, and the cells its markers may
// take noted in `empty` (only when it has markers to place). False with `error` naming the cell
// or what is wrong with the data.
bool decodeLayer(const LayerPlan& plan, int tileCount, MapLayer& layer, std::vector<bool>& empty,
                 std::string& error, Progress& progress) {
    const TiledLayer& source = *plan.source;
    const long long cells = source.width * source.height;
    reserveTiles(layer.tiles, static_cast<size_t>(cells));
    if (!source.objects.empty()) empty.assign(static_cast<size_t>(cells), false);
    const std::string where = "layer " + quoted(source.name);
    std::string cellError;
    const auto cellName = [&](long long index) {
        const long long width = source.width > 0 ? source.width : 1;
        return where + ", cell (" + std::to_string(index % width) + ", " +
               std::to_string(index / width) + ")";
    };
    uint16_t run[4096];
    const auto put = [&](long long first, const uint32_t* gids, size_t count) {
        // A flipped tile's flags make its gid larger than any the sheets hold.
        uint32_t highestGid = 0;
        for (size_t i = 0; i < count; ++i) highestGid = std::max(highestGid, gids[i]);
        if (highestGid > static_cast<uint32_t>(tileCount)) {
            size_t i = 0;
            while (gids[i] <= static_cast<uint32_t>(tileCount)) ++i;
            cellError = cellName(first + static_cast<long long>(i)) +
                        ((gids[i] & kFlipBits) ? ": a flipped or rotated tile"
                                               : ": gid " + std::to_string(gids[i]) +
                                                     " lies beyond the tile sheets' " +
                                                     std::to_string(tileCount) + " tiles");
            return false;
        }
        // An empty cell is see-through unless a marker takes it.
        for (size_t done = 0; done < count;) {
            const size_t n = std::min(count - done, sizeof run / sizeof run[0]);
            for (size_t i = 0; i < n; ++i) {
                const uint32_t gid = gids[done + i];
                run[i] = gid == 0 ? kSeeThroughTile : static_cast<uint16_t>(gid - 1);
            }
            layer.tiles.insert(layer.tiles.end(), run, run + n);
            done += n;
        }
        if (!empty.empty()) {
            for (size_t i = 0; i < count; ++i) {
                if (gids[i] == 0) empty[static_cast<size_t>(first) + i] = true;
            }
        }
        progress.advance(static_cast<long long>(count));
        return true;
    };
    std::string dataError;
    if (!decodeTileData(source.data, source.dataEnd, source.encoding, source.compression, cells,
                        put, dataError)) {
        error = cellError.empty() ? where + ": " + dataError : cellError;
        return false;
    }
    return true;
}
}  // namespace

bool planImport(const TiledMap& map, const TileSheets& sheets, ImportPlan& plan,
                std::string& error) {
    if (map.orientation != "orthogonal") {
        error = "orientation " + quoted(map.orientation) + " (orthogonal maps can be read)";
        return false;
    }
    if (map.infinite) {
        error = "an infinite map (maps of a fixed size can be read)";
        return false;
    }
    plan.tileCount = sheets.tileCount;
    return checkTilesets(map, sheets, error) && planLayers(map, plan.layers, error);
}

long long ImportPlan::cells() const {
    long long cells = 0;
    for (const LayerPlan& layer : layers) cells += layer.source->width * layer.source->height;
    return cells;
}

bool makeLayers(const ImportPlan& plan, const std::function<bool(std::unique_ptr<MapLayer>&)>& take,
                std::string& error, Progress& progress) {
    const size_t count = plan.layers.size();
    // The layer being taken and the two made next; the first failure in the order of the
    // layers is the one reported, as if they were made one by one.
    std::array<std::unique_ptr<MapLayer>, 3> made;
    std::vector<std::string> errors(count);
    // The tile memory of layers let go, for the layers made after them: memory the process has
    // used already costs nothing to fill again.
    std::mutex spareMutex;
    std::vector<std::vector<uint16_t>> spare;
    const bool ok = makeAndUseInOrder(
        count, made.size() - 1,
        [&](size_t i) {
            const LayerPlan& layerPlan = plan.layers[i];
            auto layer = std::make_unique<MapLayer>();
            layer->name = layerPlan.source->name;
            layer->width = static_cast<int>(layerPlan.source->width);
            layer->height = static_cast<int>(layerPlan.source->height);
            layer->number = static_cast<int>(i) + 1;
            layer->cellWidth = layerPlan.cellWidth;
            layer->cellHeight = layerPlan.cellHeight;
            layer->offsetX = layerPlan.scrollColumn;
            layer->offsetY = layerPlan.scrollRow;
            {
                std::lock_guard<std::mutex> lock(spareMutex);
                if (!spare.empty()) {
                    layer->tiles.swap(spare.back());
                    spare.pop_back();
                    layer->tiles.clear();
                }
            }
            std::vector<bool> empty;
            if (!decodeLayer(layerPlan, plan.tileCount, *layer, empty, errors[i], progress) ||
                !placeMarkers(layerPlan, plan.tileCount, *layer, empty, errors[i])) {
                return false;
            }
            if (plan.letDataGo) letGo(layerPlan.source->data, layerPlan.source->dataEnd);
            made[i % made.size()] = std::move(layer);
            return true;
        },
        [&](size_t i) {
            std::unique_ptr<MapLayer>& layer = made[i % made.size()];
            const bool taken = take(layer);
            if (layer) {
                std::lock_guard<std::mutex> lock(spareMutex);
                spare.push_back(std::move(layer->tiles));
                layer.reset();
            }
            return taken;
        });
    for (const std::string& e : errors) {
        if (!e.empty()) {
            error = e;
            return false;
        }
    }
    return ok;
}

bool buildLayers(const TiledMap& map, const TileSheets& sheets, LayerList& layers,
                 std::string& error, Progress& progress) {
    ImportPlan plan;
    if (!planImport(map, sheets, plan, error)) return false;
    const auto keep = [&](std::unique_ptr<MapLayer>& layer) {
        layers.push_back(std::move(layer));
        return true;
    };
    return makeLayers(plan, keep, error, progress);
}
