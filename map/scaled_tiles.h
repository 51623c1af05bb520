// The tile images at zoom levels other than 1, made from the images once per level, when that
// level is first drawn.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <vector>

struct TileImageStore;

struct ScaledTiles {
    // Levels above 1: each tile's image scaled up pixel for pixel, blending as the image does.
    std::vector<SDL_Surface*> enlarged;
    // Levels below 1: each tile reduced to `side` x `side` pixels of straight-alpha RGBA
    // (1 x 1, its average, from 1/16 down), and whether all of its pixels are transparent.
    int side = 0;
    std::vector<uint8_t> reduced;
    std::vector<bool> clear;

    const uint8_t* reducedTile(size_t tile) const {
        return &reduced[tile * static_cast<size_t>(side) * side * 4];
    }
};

// The tiles at `level` (not 0), made on first use and kept until the images are freed.
const ScaledTiles& scaledTiles(TileImageStore& store, int level);

// Frees the scaled tiles of every level.
void freeScaledTiles(TileImageStore& store);
