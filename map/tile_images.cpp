// Loading the tile sheets, the error picture that stands in for a missing sheet, and cutting.
#include "map/tile_images.h"

#include <SDL_image.h>

#include <algorithm>
#include <cstring>

#include "map/map_layer.h"

namespace {

// A surface with the screen's depth and channel masks (32-bit RGB when no screen is open).
SDL_Surface* createScreenLikeSurface(int width, int height) {
    const SDL_Surface* screen = SDL_GetVideoSurface();
    if (screen) {
        const SDL_PixelFormat* f = screen->format;
        return SDL_CreateRGBSurface(SDL_HWSURFACE, width, height, f->BitsPerPixel, f->Rmask,
                                    f->Gmask, f->Bmask, f->Amask);
    }
    return SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, 32, 0x00FF0000, 0x0000FF00,
                                0x000000FF, 0);
}

SDL_Surface* errorPicture(TTF_Font* font) {
    if (!font) return nullptr;
    std::string text = "      " + std::string(SDL_GetError()) + "      ";
    SDL_Color white{255, 255, 255, 0};
    SDL_Color black{0, 0, 0, 0};
    SDL_Surface* rendered = TTF_RenderText_Shaded(font, text.c_str(), white, black);
    if (!rendered) return nullptr;
    SDL_Surface* converted = SDL_GetVideoSurface() ? SDL_DisplayFormat(rendered) : nullptr;
    SDL_Surface* source = converted ? converted : rendered;
    int width = source->w / kTileEdge * kTileEdge;
    int height = (source->h + kTileEdge - 1) / kTileEdge * kTileEdge;
    SDL_Surface* picture = nullptr;
    if (width > 0 && height > 0) {
        picture = createScreenLikeSurface(width, height);
        if (picture) {
            SDL_FillRect(picture, nullptr, 0);
            SDL_Rect whole{0, 0, static_cast<Uint16>(source->w), static_cast<Uint16>(source->h)};
            SDL_BlitSurface(source, &whole, picture, nullptr);
        }
    }
    if (converted) SDL_FreeSurface(converted);
    SDL_FreeSurface(rendered);
    return picture;
}
// True when the surface blends by its pixels' alpha and every pixel's alpha is 0.
bool whollyTransparent(SDL_Surface* surface) {
    const SDL_PixelFormat* f = surface->format;
    if (f->Amask == 0 || !(surface->flags & SDL_SRCALPHA)) return false;
    if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0) return false;
    bool transparent = true;
    for (int y = 0; y < surface->h && transparent; ++y) {
        const Uint8* row = static_cast<const Uint8*>(surface->pixels) + y * surface->pitch;
        for (int x = 0; x < surface->w && transparent; ++x) {
            Uint32 pixel = 0;
            std::memcpy(&pixel, row + x * f->BytesPerPixel, f->BytesPerPixel);
            transparent = (pixel & f->Amask) == 0;
        }
    }
    if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
    return transparent;
}
}  // namespace

SDL_Surface* loadImage(const std::string& path, TTF_Font* font) {
    SDL_Surface* loaded = IMG_Load(path.c_str());
    if (loaded) {
        SDL_Surface* converted = SDL_GetVideoSurface() ? SDL_DisplayFormatAlpha(loaded) : nullptr;
        if (converted) {
            SDL_FreeSurface(loaded);
            return converted;
        }
        SDL_FreeSurface(loaded);
        SDL_SetError("Couldn't convert %s for the display", path.c_str());
    }
    return errorPicture(font);
}

void cutSheet(std::vector<TileImage*>& images, SDL_Surface* sheet) {
    if (!sheet) return;
    const SDL_PixelFormat* f = sheet->format;
    const int bytesPerPixel = f->BytesPerPixel;
    for (int y = 0; y < sheet->h; y += kTileEdge) {
        for (int x = 0; x < sheet->w; x += kTileEdge) {
            // Tiles of a partial strip at the right or bottom edge are cut smaller, so no tile
            // reaches past the sheet's pixel memory.
            int w = std::min(kTileEdge, sheet->w - x);
            int h = std::min(kTileEdge, sheet->h - y);
            Uint8* pixels =
                static_cast<Uint8*>(sheet->pixels) + y * sheet->pitch + x * bytesPerPixel;
            auto* image = new TileImage;
            image->surface = SDL_CreateRGBSurfaceFrom(pixels, w, h, f->BitsPerPixel, sheet->pitch,
                                                      f->Rmask, f->Gmask, f->Bmask, f->Amask);
            image->invisible = image->surface && whollyTransparent(image->surface);
            images.push_back(image);
        }
    }
}

int loadTileSheet(TileImageStore& store, const std::string& path, TTF_Font* font) {
    SDL_Surface* sheet = loadImage(path, font);
    if (!sheet) {
        store.sheetWidth = 0;
        store.sheetHeight = 0;
        return 0;
    }
    store.sheets.push_back(sheet);
    store.sheetWidth = sheet->w;
    store.sheetHeight = sheet->h;
    cutSheet(store.images, sheet);
    return sheet->h;
}

void freeTileImages(TileImageStore& store) {
    freeScaledTiles(store);
    for (TileImage* image : store.images) {
        if (image->surface) SDL_FreeSurface(image->surface);
        delete image;
    }
    store.images.clear();
    for (SDL_Surface* sheet : store.sheets) SDL_FreeSurface(sheet);
    store.sheets.clear();
}
