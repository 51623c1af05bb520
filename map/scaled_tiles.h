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
    // Bytes rather than bits: the view reads them for every cell it paints.
    std::vector<uint8_t> clear;
    std::vector<uint8_t> opaque;

    // The reduced pixels packed for the 32-bit screen they were last drawn on (see
    // map/reduced_view.cpp), kept so that a frame does not pack them again: each pixel's screen
    // colour, its colour spread out for blending, and its alpha; one more pixel, clear, ends
    // them. At one pixel a tile, `shown` gives the pixel each of the 65,536 stored values
    // shows: markers their box, unknown tiles the ground, the see-through tile the clear one.
    struct Packed {
        Uint32 rmask = 0, gmask = 0, bmask = 0;
        int tileCount = -1;
        std::vector<Uint32> colour;
        std::vector<uint64_t> lanes;
        std::vector<uint8_t> alpha;
        std::vector<uint16_t> shown;
    };
    mutable Packed packed;

    const uint8_t* reducedTile(size_t tile) const {
        return &reduced[tile * static_cast<size_t>(side) * side * 4];
    }
};

// The tiles at `level` (not 0), made on first use and kept until the images are freed.
const ScaledTiles& scaledTiles(TileImageStore& store, int level);

// Frees the scaled tiles of every level.
void freeScaledTiles(TileImageStore& store);
