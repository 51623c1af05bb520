// The band renderer behind PNG export.
#include "maptool/map_render.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>
#include <vector>

#include "map/cell_access.h"
#include "map/line_points.h"
#include "maptool/markers.h"
#include "maptool/png_stream.h"

namespace {
// The tile the editor shows under a marker's box.
const int kMarkerTile = 2;
// Pixel rows drawn at a time.
const int kBandRows = 64;

struct Point {
    long long x = 0;
    long long y = 0;
};

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

void drawTile(Band& band, const TilePixels& tile, long long x, long long y) {
    const long long first = std::max(y, band.top);
    const long long last = std::min(y + tile.height, band.top + band.rows);
    for (long long row = first; row < last; ++row) {
        const SheetPixels& sheet = *tile.sheet;
        const uint8_t* from =
            &sheet.rgba[(static_cast<size_t>(tile.y + (row - y)) * sheet.width + tile.x) * 4];
        for (int i = 0; i < tile.width && x + i < band.width; ++i) {
            blend(band.at(x + i, row), from + i * 4);
        }
    }
}

// The editor's line: the same steps, plotted only where the band is.
void drawLine(Band& band, float x1, float y1, float x2, float y2) {
    static const uint8_t white[4] = {255, 255, 255, 255};
    forEachLinePoint(x1, y1, x2, y2, [&band](long long x, long long y) {
        if (band.holds(x, y)) std::copy(white, white + 4, band.at(x, y));
    });
}

// Where each marker index (number - 1) shows: the last of its cells in row-major order, as the
// editor's drawing leaves it.
std::map<int, Point> markerPlaces(const MapLayer& layer, int tileCount) {
    std::map<int, Point> places;
    for (const MarkerCell& m : markersOf(layer, tileCount)) {
        places[m.number - 1] = Point{static_cast<long long>(m.column) * layer.cellWidth,
                                     static_cast<long long>(m.row) * layer.cellHeight};
    }
    return places;
}

void drawLayer(Band& band, const MapLayer& layer, const TileSheets& sheets,
               const std::map<int, Point>& markers) {
    const long long cw = layer.cellWidth;
    const long long ch = layer.cellHeight;
    if (cw <= 0 || ch <= 0 || layer.width <= 0 || layer.height <= 0) return;
    // The rows whose 16 pixel rows of tile reach into the band.
    const long long firstRow = band.top < 16 ? 0 : (band.top - 16) / ch + 1;
    const long long lastRow =
        std::min<long long>(layer.height - 1, (band.top + band.rows - 1) / ch);
    for (long long row = firstRow; row <= lastRow; ++row) {
        for (int column = 0; column < layer.width; ++column) {
            int tile = tileAt(layer, column, static_cast<int>(row));
            if (tile >= sheets.tileCount) tile = kMarkerTile;
            if (static_cast<size_t>(tile) >= sheets.tiles.size()) tile = 0;
            if (sheets.tiles.empty()) return;
            drawTile(band, sheets.tiles[tile], column * cw, row * ch);
        }
    }
    const Point* previous = nullptr;
    int previousIndex = 0;
    for (const auto& [index, point] : markers) {
        if (previous && index == previousIndex + 1) {
            drawLine(band, static_cast<float>(previous->x + 8), static_cast<float>(previous->y + 8),
                     static_cast<float>(point.x + 8), static_cast<float>(point.y + 8));
        }
        previous = &point;
        previousIndex = index;
    }
    static const uint8_t black[4] = {0, 0, 0, 255};
    for (const auto& entry : markers) {
        const Point& p = entry.second;
        for (long long y = std::max(p.y, band.top); y < std::min(p.y + 16, band.top + band.rows);
             ++y) {
            for (long long x = p.x; x < std::min(p.x + 16, band.width); ++x) {
                std::copy(black, black + 4, band.at(x, y));
            }
        }
    }
}
}  // namespace

PictureSize pictureSize(const LayerList& layers) {
    PictureSize size;
    for (const auto& layer : layers) {
        if (layer->width <= 0 || layer->height <= 0) continue;
        const long long right = static_cast<long long>(layer->width - 1) * layer->cellWidth +
                                std::max(layer->cellWidth, 16);
        const long long bottom = static_cast<long long>(layer->height - 1) * layer->cellHeight +
                                 std::max(layer->cellHeight, 16);
        size.width = std::max(size.width, right);
        size.height = std::max(size.height, bottom);
    }
    return size;
}

bool writeMapPicture(ByteSink& sink, const LayerList& layers, const TileSheets& sheets,
                     Progress& progress) {
    const PictureSize size = pictureSize(layers);
    if (size.width < 1 || size.height < 1 || size.width > kMaxPictureSide ||
        size.height > kMaxPictureSide) {
        return false;
    }
    std::vector<std::map<int, Point>> markers;
    for (const auto& layer : layers) markers.push_back(markerPlaces(*layer, sheets.tileCount));
    PngStream png(sink, static_cast<int>(size.width), static_cast<int>(size.height));
    Band band;
    band.width = size.width;
    band.rgba.resize(static_cast<size_t>(size.width) * kBandRows * 4);
    for (band.top = 0; band.top < size.height; band.top += kBandRows) {
        band.rows = static_cast<int>(std::min<long long>(kBandRows, size.height - band.top));
        std::fill(band.rgba.begin(), band.rgba.end(), 0);
        for (size_t i = 0; i < layers.size(); ++i) {
            drawLayer(band, *layers[i], sheets, markers[i]);
        }
        for (int row = 0; row < band.rows; ++row) {
            if (!png.row(&band.rgba[static_cast<size_t>(row) * size.width * 4])) return false;
        }
        progress.advance(band.rows);
    }
    return png.finish();
}
