// The band renderer behind PNG export.
#include "maptool/map_render.h"

#include <algorithm>
#include <vector>

#include "map/cell_access.h"
#include "map/line_points.h"
#include "map/marker_layout.h"
#include "map/zoom.h"
#include "maptool/picture_tiles.h"
#include "maptool/png_stream.h"

namespace {
// Pixel rows drawn at a time.
const int kBandRows = 64;

// One band of the picture: rows [top, top + rows) of the whole, `width` pixels each.
struct Band {
    std::vector<uint8_t> rgba;
    long long width = 0;
    long long top = 0;
    int rows = 0;

    uint8_t* at(long long x, long long y) {
        return &rgba[(static_cast<size_t>(y - top) * width + x) * 4];
    }
    bool holds(long long x, long long y) const {
        return x >= 0 && x < width && y >= top && y < top + rows;
    }
};

// Source over destination, both with straight alpha.
void blend(uint8_t* to, const uint8_t* from) {
    const unsigned a = from[3];
    if (a == 0) return;
    if (a == 255 || to[3] == 0) {
        to[0] = from[0];
        to[1] = from[1];
        to[2] = from[2];
        to[3] = from[3];
        return;
    }
    const unsigned below = to[3] * (255 - a) / 255;
    const unsigned out = a + below;
    for (int c = 0; c < 3; ++c) to[c] = static_cast<uint8_t>((from[c] * a + to[c] * below) / out);
    to[3] = static_cast<uint8_t>(out);
}

void drawTile(Band& band, const TileView& tile, long long x, long long y) {
    const long long first = std::max(y, band.top);
    const long long last = std::min(y + tile.height, band.top + band.rows);
    for (long long row = first; row < last; ++row) {
        const uint8_t* from = tile.rgba + static_cast<size_t>(row - y) * tile.stride;
        for (int i = 0; i < tile.width && x + i < band.width; ++i) {
            blend(band.at(x + i, row), from + i * 4);
        }
    }
}

// A layer's markers at `level`, as the zoomed-out view shows them: each box at its cell's
// scaled corner, the tile's scaled size but never under two pixels.
MarkerLayout scaledMarkers(const MapLayer& layer, int tileCount, int level) {
    const MarkerLayout layout = layerMarkers(layer, tileCount);
    MarkerLayout scaled(markerBoxSide(level));
    for (const auto& [index, place] : layout.places()) {
        scaled.note(tileCount + index, tileCount, place.column, place.row, toScreen(place.x, level),
                    toScreen(place.y, level));
    }
    return scaled;
}

// One layer's markers, handed out band by band: the lines by the first row they reach, the
// boxes by their top row, so that a band draws only what reaches into it.
class BandMarkers {
public:
    BandMarkers(const MapLayer& layer, int tileCount, int level) {
        const MarkerLayout layout = scaledMarkers(layer, tileCount, level);
        side_ = layout.boxSide();
        lines_ = layout.lines();
        std::sort(lines_.begin(), lines_.end(),
                  [](const MarkerLine& a, const MarkerLine& b) { return a.top() < b.top(); });
        for (const auto& entry : layout.places()) boxes_.push_back(entry.second);
        std::sort(boxes_.begin(), boxes_.end(),
                  [](const MarkerPlace& a, const MarkerPlace& b) { return a.y < b.y; });
    }

    // Bands must come top to bottom.
    void draw(Band& band) {
        static const uint8_t white[4] = {255, 255, 255, 255};
        static const uint8_t black[4] = {0, 0, 0, 255};
        const long long bottom = band.top + band.rows;
        while (nextLine_ < lines_.size() && lines_[nextLine_].top() < bottom) {
            crossing_.push_back(lines_[nextLine_++]);
        }
        crossing_.erase(
            std::remove_if(crossing_.begin(), crossing_.end(),
                           [&](const MarkerLine& line) { return line.bottom() < band.top; }),
            crossing_.end());
        for (const MarkerLine& line : crossing_) {
            const LineSteps steps(line.x1, line.y1, line.x2, line.y2);
            const auto [first, last] = steps.stepsInRows(band.top, bottom);
            steps.plot(first, last, [&band](long long x, long long y) {
                if (band.holds(x, y)) std::copy(white, white + 4, band.at(x, y));
            });
        }
        while (nextBox_ < boxes_.size() && boxes_[nextBox_].y + side_ <= band.top) ++nextBox_;
        for (size_t i = nextBox_; i < boxes_.size() && boxes_[i].y < bottom; ++i) {
            const MarkerPlace& p = boxes_[i];
            for (long long y = std::max(p.y, band.top); y < std::min(p.y + side_, bottom); ++y) {
                for (long long x = p.x; x < std::min(p.x + side_, band.width); ++x) {
                    std::copy(black, black + 4, band.at(x, y));
                }
            }
        }
    }

private:
    long long side_ = kTileEdge;
    std::vector<MarkerLine> lines_;
    size_t nextLine_ = 0;
    std::vector<MarkerLine> crossing_;
    std::vector<MarkerPlace> boxes_;
    size_t nextBox_ = 0;
};

// The first row of cells whose tiles, `side` pixels tall at `level`, reach below pixel row `top`.
long long firstRowReaching(long long top, int cellHeight, int side, int level) {
    // Row r starts at toScreen(r * cellHeight), rounded down: it reaches below `top` once that
    // is top - side + 1 or more.
    const long long from = top - side + 1;
    if (from <= 0) return 0;
    return (fromScreen(from, level) + cellHeight - 1) / cellHeight;
}

void drawLayer(Band& band, const MapLayer& layer, const PictureTiles& tiles, int tileCount,
               int level, BandMarkers& markers) {
    const long long cw = layer.cellWidth;
    const long long ch = layer.cellHeight;
    if (cw <= 0 || ch <= 0 || layer.width <= 0 || layer.height <= 0 || tiles.size() == 0) return;
    const int side = static_cast<int>(toScreen(kTileEdge, level));
    // The rows whose tiles reach into the band.
    const long long firstRow = firstRowReaching(band.top, layer.cellHeight, side, level);
    const long long lastRow =
        std::min<long long>(layer.height - 1, (fromScreen(band.top + band.rows, level) - 1) / ch);
    for (long long row = firstRow; row <= lastRow; ++row) {
        const long long y = cellStart(row, layer.cellHeight, level);
        for (int column = 0; column < layer.width; ++column) {
            int tile = shownTile(tileAt(layer, column, static_cast<int>(row)), tileCount);
            if (static_cast<size_t>(tile) >= tiles.size()) tile = kGroundTile;
            if (tiles.clear(tile)) continue;
            drawTile(band, tiles[tile], cellStart(column, layer.cellWidth, level), y);
        }
    }
    markers.draw(band);
}

// Where a layer's cells and tiles end one way: past its last cell or past the tile in that
// cell's corner, whichever lies further.
long long layerEnd(int cells, int cellSize, int level) {
    return std::max(cellStart(cells, cellSize, level),
                    cellStart(cells - 1, cellSize, level) + toScreen(kTileEdge, level));
}
}  // namespace

bool levelOfCellSize(long long pixels, int& level) {
    for (int at = 0; at >= kSmallestPictureLevel; --at) {
        if (pixels == toScreen(kTileEdge, at)) {
            level = at;
            return true;
        }
    }
    return false;
}

PictureSize pictureSize(const LayerList& layers, int level) {
    PictureSize size;
    for (const auto& layer : layers) {
        if (layer->width <= 0 || layer->height <= 0) continue;
        size.width = std::max(size.width, layerEnd(layer->width, layer->cellWidth, level));
        size.height = std::max(size.height, layerEnd(layer->height, layer->cellHeight, level));
    }
    return size;
}

bool writeMapPicture(ByteSink& sink, const LayerList& layers, const TileSheets& sheets,
                     Progress& progress, int level) {
    const PictureSize size = pictureSize(layers, level);
    if (level > 0 || level < kSmallestPictureLevel || size.width < 1 || size.height < 1 ||
        size.width > kMaxPictureSide || size.height > kMaxPictureSide) {
        return false;
    }
    const PictureTiles tiles(sheets, level);
    std::vector<BandMarkers> markers;
    for (const auto& layer : layers) markers.emplace_back(*layer, sheets.tileCount, level);
    PngStream png(sink, static_cast<int>(size.width), static_cast<int>(size.height));
    Band band;
    band.width = size.width;
    band.rgba.resize(static_cast<size_t>(size.width) * kBandRows * 4);
    for (band.top = 0; band.top < size.height; band.top += kBandRows) {
        band.rows = static_cast<int>(std::min<long long>(kBandRows, size.height - band.top));
        std::fill(band.rgba.begin(), band.rgba.end(), 0);
        for (size_t i = 0; i < layers.size(); ++i) {
            drawLayer(band, *layers[i], tiles, sheets.tileCount, level, markers[i]);
        }
        for (int row = 0; row < band.rows; ++row) {
            if (!png.row(&band.rgba[static_cast<size_t>(row) * size.width * 4])) return false;
        }
        progress.advance(band.rows);
    }
    return png.finish();
}
