// MapLayer: the one grid type for map layers, brushes and the palette.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_set>
#include <vector>

// The largest layer the editor accepts, in cells (4096 x 4096), and the most map layers it
// works with.
constexpr int kMaxLayerSide = 4096;
constexpr long long kMaxLayerCells = static_cast<long long>(kMaxLayerSide) * kMaxLayerSide;
constexpr int kMaxMapLayers = 9;

// "a layer may hold at most ... cells (... x ...)", for the messages that refuse a size.
std::string layerLimitText();

// The tiles of the sheets are square, this many pixels a side, and so is a cell at the usual
// scale.
constexpr int kTileEdge = 16;

// The tiles the editor itself puts down: the opaque ground a new map and the first layer start
// with, the see-through tile that fills the layers above (and the only tile a marker may be put
// on), and the box drawn for a numbered marker.
constexpr uint16_t kGroundTile = 0;
constexpr uint16_t kSeeThroughTile = 1;
constexpr uint16_t kMarkerBoxTile = 2;

// A number no other layer made in this run of the program has: undo steps find their layer by
// it, whatever the layer is called or numbered by then.
uint64_t newLayerId();

// The bounding block of the cells written since the view last caught up with a layer: what the
// view keeps of a layer between frames (where its markers are) follows the layer's changes
// without reading every cell again.
struct ChangedBlock {
    int left = 0, top = 0, right = 0, bottom = 0;  // columns [left, right), rows [top, bottom)

    bool empty() const { return right <= left || bottom <= top; }
    void add(int column, int row, int width, int height) {
        if (width <= 0 || height <= 0) return;
        if (empty()) {
            left = column;
            top = row;
            right = column + width;
            bottom = row + height;
            return;
        }
        left = column < left ? column : left;
        top = row < top ? row : top;
        right = column + width > right ? column + width : right;
        bottom = row + height > bottom ? row + height : bottom;
    }
};

// A layer holds only what its cells mean: a tile number each. A tile below the editor's tile
// count is an image; from the tile count up it is a numbered marker. Where a cell is drawn
// follows from its column, its row and the layer's cell size.
struct MapLayer {
    uint64_t id = newLayerId();
    int entryCount = 0;  // palette entries; the tile window re-flows this many cells
    std::string name;
    int number = -1;  // 1-based position of a map layer; -1 for palette, brushes, fresh layers
    int cellWidth = kTileEdge, cellHeight = kTileEdge;  // pixels
    int width = 0, height = 0;                          // cells
    int offsetX = 0, offsetY = 0;                       // scroll position
    bool visible = true;
    bool checkerBackground = false;
    std::vector<uint16_t> tiles;  // row-major, width * height
    // The cells a brush pick has selected, by index: each is shaded the next time the view
    // draws it, and forgotten then.
    std::unordered_set<int> highlighted;
    // Written cells that the marker index, the sampled cells and the zoomed-out view's picture
    // have not caught up with: every write of tiles notes its cells through noteWritten.
    ChangedBlock unseenByMarkers;
    ChangedBlock unseenBySamples;
    ChangedBlock unseenByView;

    int cellCount() const { return static_cast<int>(tiles.size()); }
    bool isMapLayer() const { return number != -1; }
    void noteWritten(int column, int row, int width, int height) {
        unseenByMarkers.add(column, row, width, height);
        unseenBySamples.add(column, row, width, height);
        unseenByView.add(column, row, width, height);
    }
};

// Sets every cell's tile to a running value that starts at `start` and grows by `step` per
// cell, row by row (kept to its low 16 bits).
void fillTiles(MapLayer& layer, int step, uint16_t start);
