// The map drawn as the editor draws it, into a PNG picture, one band of pixel rows at a time.
#pragma once

#include "io/byte_sink.h"
#include "map/layer_list.h"
#include "maptool/progress.h"
#include "maptool/tile_sheets.h"

// The longest side of a picture the tool draws, in pixels: a picture of that size is a gigabyte
// of pixels before compression.
constexpr long long kMaxPictureSide = 16384;

// A picture shows the map as the editor's view does at a zoom level from 0 (tiles pixel for
// pixel) down to this one, where a 16-pixel cell takes one pixel.
constexpr int kSmallestPictureLevel = -4;

// The level at which a 16-pixel cell takes `pixels` pixels: false unless that is 16, 8, 4, 2
// or 1.
bool levelOfCellSize(long long pixels, int& level);

struct PictureSize {
    long long width = 0;
    long long height = 0;
};

// The pixels the layers cover at `level`: every cell at its place, each tile from its cell's
// corner (a tile reaches past a cell smaller than it), all scaled as the zoomed-out view scales
// them, 16 x 16 tiles at level 0.
PictureSize pictureSize(const LayerList& layers, int level = 0);

// Draws every layer in order at `level` (0 to kSmallestPictureLevel), hidden ones too: each
// cell's tile, below level 0 reduced as the view reduces it, with its alpha over what is
// below; each layer's markers as the view shows them (the marker tile, white lines joining
// markers of consecutive numbers, a black box on each, 16 x 16 at level 0 and scaled with the
// level but never under 2 x 2). The picture starts transparent. The size must be between 1 and
// kMaxPictureSide each way.
bool writeMapPicture(ByteSink& sink, const LayerList& layers, const TileSheets& sheets,
                     Progress& progress, int level = 0);
