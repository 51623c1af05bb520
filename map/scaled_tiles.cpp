// Scaling the tile images up pixel for pixel and down by averaging.
#include "map/scaled_tiles.h"

#include <algorithm>

#include "map/map_layer.h"
#include "map/tile_images.h"
#include "map/tile_reduction.h"

namespace {
// The image's pixels as straight-alpha RGBA on a tile-sized square, as blitting it shows them:
// a colour key is transparent, and a surface that does not blend by alpha is opaque. A smaller
// image (the end of a sheet's strip) leaves the rest transparent.
std::vector<uint8_t> imageRgba(SDL_Surface* surface) {
    std::vector<uint8_t> rgba(kTileEdge * kTileEdge * 4, 0);
    if (!surface || (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0)) return rgba;
    const SDL_PixelFormat* f = surface->format;
    const bool blends = (surface->flags & SDL_SRCALPHA) && f->Amask != 0;
    const bool keyed = (surface->flags & SDL_SRCCOLORKEY) != 0;
    for (int y = 0; y < std::min(surface->h, kTileEdge); ++y) {
        const Uint8* row = static_cast<const Uint8*>(surface->pixels) + y * surface->pitch;
        for (int x = 0; x < std::min(surface->w, kTileEdge); ++x) {
            Uint32 pixel = 0;
            const Uint8* p = row + x * f->BytesPerPixel;
            std::copy(p, p + f->BytesPerPixel, reinterpret_cast<Uint8*>(&pixel));
            uint8_t* to = &rgba[(y * kTileEdge + x) * 4];
            SDL_GetRGBA(pixel, surface->format, &to[0], &to[1], &to[2], &to[3]);
            if (!blends) to[3] = 255;
            if (keyed && pixel == f->colorkey) to[3] = 0;
        }
    }
    if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
    return rgba;
}

// The image `factor` times larger each way, with the same format and blending.
SDL_Surface* enlarge(SDL_Surface* image, int factor) {
    if (!image) return nullptr;
    const SDL_PixelFormat* f = image->format;
    SDL_Surface* big = SDL_CreateRGBSurface(image->flags & (SDL_SRCALPHA | SDL_SRCCOLORKEY),
                                            image->w * factor, image->h * factor, f->BitsPerPixel,
                                            f->Rmask, f->Gmask, f->Bmask, f->Amask);
    if (!big) return nullptr;
    if (image->flags & SDL_SRCCOLORKEY) SDL_SetColorKey(big, SDL_SRCCOLORKEY, f->colorkey);
    SDL_SetAlpha(big, image->flags & SDL_SRCALPHA, f->alpha);
    if (SDL_MUSTLOCK(image) && SDL_LockSurface(image) != 0) return big;
    const int bytes = f->BytesPerPixel;
    for (int y = 0; y < big->h; ++y) {
        const Uint8* from = static_cast<const Uint8*>(image->pixels) + (y / factor) * image->pitch;
        Uint8* to = static_cast<Uint8*>(big->pixels) + y * big->pitch;
        for (int x = 0; x < big->w; ++x) {
            std::copy(from + (x / factor) * bytes, from + (x / factor + 1) * bytes, to + x * bytes);
        }
    }
    if (SDL_MUSTLOCK(image)) SDL_UnlockSurface(image);
    return big;
}

ScaledTiles* makeScaledTiles(const TileImageStore& store, int level) {
    auto* tiles = new ScaledTiles;
    if (level > 0) {
        for (const TileImage* image : store.images) {
            tiles->enlarged.push_back(enlarge(image->surface, 1 << level));
        }
        return tiles;
    }
    const int factor = std::min(kTileEdge, 1 << -level);
    tiles->side = kTileEdge / factor;
    for (const TileImage* image : store.images) {
        const std::vector<uint8_t> rgba = imageRgba(image->surface);
        const std::vector<uint8_t> small =
            reduceTile(rgba.data(), kTileEdge, kTileEdge * 4, factor);
        tiles->reduced.insert(tiles->reduced.end(), small.begin(), small.end());
        bool clear = true;
        bool opaque = true;
        for (size_t i = 3; i < small.size(); i += 4) {
            clear = clear && small[i] == 0;
            opaque = opaque && small[i] == 255;
        }
        tiles->clear.push_back(clear);
        tiles->opaque.push_back(opaque);
    }
    return tiles;
}
}  // namespace

const ScaledTiles& scaledTiles(TileImageStore& store, int level) {
    // Below 1/16 a tile is one pixel of its average at every level.
    const int key = std::max(level, -4);
    auto& kept = store.scaled[key];
    if (!kept) kept.reset(makeScaledTiles(store, key));
    return *kept;
}

void freeScaledTiles(TileImageStore& store) {
    for (auto& [level, tiles] : store.scaled) {
        for (SDL_Surface* surface : tiles->enlarged) {
            if (surface) SDL_FreeSurface(surface);
        }
    }
    store.scaled.clear();
}
