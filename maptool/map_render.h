// The map drawn as the editor draws it, into a PNG picture, one band of pixel rows at a time.
#pragma once

#include "io/byte_sink.h"
#include "map/layer_list.h"
#include "maptool/progress.h"
#include "maptool/tile_sheets.h"

// The longest side of a picture the tool draws, in pixels: a picture of that size is a gigabyte
// of pixels before compression.
constexpr long long kMaxPictureSide = 16384;

struct PictureSize {
    long long width = 0;
    long long height = 0;
};

// The pixels the layers cover: every cell at its place, each tile 16 x 16 from its cell's
// corner (a tile reaches past a cell smaller than it).
PictureSize pictureSize(const LayerList& layers);

// Draws every layer in order, hidden ones too: each cell's tile with its alpha over what is
// below, each layer's markers as the editor shows them (the marker tile, white lines joining
// markers of consecutive numbers, a black 16 x 16 box on each). The picture starts
// transparent. The size must be between 1 and kMaxPictureSide each way.
bool writeMapPicture(ByteSink& sink, const LayerList& layers, const TileSheets& sheets,
                     Progress& progress);
