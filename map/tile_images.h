// The tile images: 16 x 16 surfaces cut from the two tile sheets, indexed by tile number.
#pragma once

#include <SDL.h>
#include <SDL_ttf.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "map/scaled_tiles.h"

struct TileImage {
    SDL_Surface* surface = nullptr;  // shares the pixels of its sheet
    // Every pixel is fully transparent (the see-through tile): drawing it changes nothing, so
    // the view passes it over. Upper layers are mostly made of it.
    bool invisible = false;
};

struct TileImageStore {
    std::vector<TileImage*> images;  // index = tile number
    int sheetWidth = 0;              // pixels, of the sheet loaded last (and the tile window)
    int sheetHeight = 0;
    std::vector<SDL_Surface*> sheets;  // kept alive while their tiles point into them
    // The images at other zoom levels, by level, made when a level is first drawn.
    std::map<int, std::unique_ptr<ScaledTiles>> scaled;
};

// The sheet converted for the display with its alpha, or, when it cannot be loaded, a picture
// of the error text rendered in `font`. Null only when even the picture cannot be made.
SDL_Surface* loadImage(const std::string& path, TTF_Font* font);

// Appends the sheet's 16 x 16 tiles, row by row. Every tile lies inside the sheet's pixels.
void cutSheet(std::vector<TileImage*>& images, SDL_Surface* sheet);

// Loads and cuts one sheet, records its size in the store and returns its height in pixels.
int loadTileSheet(TileImageStore& store, const std::string& path, TTF_Font* font);

// Frees every tile surface, its record and the sheets.
void freeTileImages(TileImageStore& store);
