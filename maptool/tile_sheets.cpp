// Reading the configuration's tile sheets into RGBA pixels.
#include "maptool/tile_sheets.h"

#include <SDL.h>
#include <SDL_image.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <filesystem>

#include "io/configuration.h"
#include "io/mapped_file.h"
#include "map/tile_count.h"

namespace fs = std::filesystem;

namespace {
// SDL surfaces of any depth, palette or colour key, read pixel by pixel into RGBA.
bool readSheet(const std::string& path, SheetPixels& sheet, std::string& error) {
    // Read as any file the tool reads, so that a FIFO or a sheet cut short while it is read is
    // refused rather than waited on or half read.
    MappedFile file;
    if (!file.open(path, error, INT_MAX)) {
        error = path + ": " + error;
        return false;
    }
    // The type is taken from the name first, as loading by name does: some formats have no
    // signature to be told by.
    const size_t dot = path.rfind('.');
    std::string type = dot == std::string::npos ? "" : path.substr(dot + 1);
    SDL_Surface* surface = IMG_LoadTyped_RW(
        SDL_RWFromConstMem(file.data(), static_cast<int>(file.size())), 1, type.data());
    if (!surface) {
        error = path + ": " + IMG_GetError();
        return false;
    }
    sheet.path = path;
    sheet.width = surface->w;
    sheet.height = surface->h;
    sheet.rgba.assign(static_cast<size_t>(surface->w) * surface->h * 4, 0);
    SDL_LockSurface(surface);
    const SDL_PixelFormat* f = surface->format;
    const bool keyed = (surface->flags & SDL_SRCCOLORKEY) != 0;
    for (int y = 0; y < surface->h; ++y) {
        const Uint8* row = static_cast<const Uint8*>(surface->pixels) + y * surface->pitch;
        for (int x = 0; x < surface->w; ++x) {
            const Uint8* p = row + x * f->BytesPerPixel;
            Uint32 pixel = 0;
            switch (f->BytesPerPixel) {
                case 1:
                    pixel = p[0];
                    break;
                case 2:
                    pixel = static_cast<Uint32>(p[0] | p[1] << 8);
                    break;
                case 3:
                    pixel = static_cast<Uint32>(p[0] | p[1] << 8 | p[2] << 16);
                    break;
                default:
                    pixel = static_cast<Uint32>(p[0] | p[1] << 8 | p[2] << 16) |
                            static_cast<Uint32>(p[3]) << 24;
                    break;
            }
            Uint8* out = &sheet.rgba[(static_cast<size_t>(y) * surface->w + x) * 4];
            SDL_GetRGBA(pixel, surface->format, &out[0], &out[1], &out[2], &out[3]);
            if (keyed && pixel == f->colorkey) out[3] = 0;
        }
    }
    SDL_UnlockSurface(surface);
    SDL_FreeSurface(surface);
    return true;
}

// A sheet named relative to the configuration is found beside it, as the editor, started in
// the configuration's folder, finds it.
std::string besideConfiguration(const std::string& configPath, const std::string& name) {
    fs::path sheet(name);
    if (sheet.is_absolute()) return name;
    return (fs::path(configPath).parent_path() / sheet).lexically_normal().string();
}
}  // namespace

void cutTiles(TileSheets& sheets) {
    sheets.tiles.clear();
    for (const SheetPixels& sheet : sheets.sheets) {
        for (int y = 0; y < sheet.height; y += kTileEdge) {
            for (int x = 0; x < sheet.width; x += kTileEdge) {
                sheets.tiles.push_back(TilePixels{&sheet, x, y,
                                                  std::min(kTileEdge, sheet.width - x),
                                                  std::min(kTileEdge, sheet.height - y)});
            }
        }
    }
    sheets.tileCount =
        tileCountOf(sheets.sheets[0].height, sheets.sheets[1].height, sheets.sheets[1].width);
}

bool readTileSheets(const std::string& configPath, TileSheets& sheets, std::string& error) {
    Settings settings;
    std::string reason;
    if (access(configPath.c_str(), F_OK) != 0) reason = std::strerror(errno);
    if (!reason.empty() || !loadConfiguration(settings, configPath, reason)) {
        error = configPath + ": cannot be read (" + reason + ")";
        return false;
    }
    const char* names[2] = {"TileImages", "BaseImages"};
    for (int i = 0; i < 2; ++i) {
        const std::string name = settings.strings[names[i]];
        if (name.empty()) {
            error = configPath + ": names no " + names[i];
            return false;
        }
        if (!readSheet(besideConfiguration(configPath, name), sheets.sheets[i], error)) {
            return false;
        }
    }
    cutTiles(sheets);
    return true;
}
