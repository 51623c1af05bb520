// PNG export draws what the editor shows: tiles with their alpha over the layers below, markers
// as black boxes joined by white lines, big cells with the tile in their corner only.
#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>

#include "maptool/map_render.h"
#include "tests/map_tool/map_tool_support.h"

namespace {
using Rgba = std::array<int, 4>;

Rgba pixelAt(SDL_Surface* s, int x, int y) {
    Uint32 pixel = 0;
    const Uint8* p =
        static_cast<const Uint8*>(s->pixels) + y * s->pitch + x * s->format->BytesPerPixel;
    std::memcpy(&pixel, p, s->format->BytesPerPixel);
    Uint8 r, g, b, a;
    SDL_GetRGBA(pixel, s->format, &r, &g, &b, &a);
    return {r, g, b, a};
}

Rgba tileColour(int tile) {
    return {tile * 20, 255 - tile * 20, 7, 255};
}

// The picture of the layers at `level`, decoded and locked.
SDL_Surface* picture(const LayerList& layers, const TileSheets& sheets, int level = 0) {
    StringSink png;
    Progress progress("", 1);
    if (!writeMapPicture(png, layers, sheets, progress, level)) return nullptr;
    SDL_Surface* s =
        IMG_Load_RW(SDL_RWFromConstMem(png.bytes.data(), static_cast<int>(png.bytes.size())), 1);
    if (s) SDL_LockSurface(s);
    return s;
}
}  // namespace

TEST(MapToolPicture, LayersMarkersAndBigCellsAreDrawnAsTheEditorDrawsThem) {
    const TileSheets sheets = testSheets();
    LayerList layers;
    addLayer(layers, "Ground", 4, 2, {0, 4, 0, 0, 0, 0, 0, 0});
    addLayer(layers, "Marks", 4, 2, {1, 3, 1, 10, 11, 1, 1, 1});
    addLayer(layers, "Big", 3, 1, {5, 1, 5}, 32, 32);
    EXPECT_EQ(pictureSize(layers).width, 96);
    EXPECT_EQ(pictureSize(layers).height, 32);
    SDL_Surface* picture = ::picture(layers, sheets);
    ASSERT_NE(picture, nullptr) << IMG_GetError();
    ASSERT_EQ(picture->w, 96);
    ASSERT_EQ(picture->h, 32);
    EXPECT_EQ(pixelAt(picture, 5, 5), tileColour(5)) << "the top layer covers the ground";
    // Tile 3 at half alpha over tile 4: (60 * 128 + 80 * 127) / 255 and so on.
    EXPECT_EQ(pixelAt(picture, 21, 5), (Rgba{69, 185, 7, 255})) << "alpha over the layer below";
    EXPECT_EQ(pixelAt(picture, 40, 5), tileColour(0)) << "the see-through tile shows the ground";
    EXPECT_EQ(pixelAt(picture, 50, 5), (Rgba{0, 0, 0, 255})) << "marker 1's box";
    EXPECT_EQ(pixelAt(picture, 5, 20), (Rgba{0, 0, 0, 255})) << "marker 2's box";
    bool lineCrosses = false;
    for (int y = 8; y <= 24; ++y)
        lineCrosses |= pixelAt(picture, 32, y) == Rgba{255, 255, 255, 255};
    EXPECT_TRUE(lineCrosses) << "the white line from marker 1 to marker 2";
    EXPECT_EQ(pixelAt(picture, 70, 5), tileColour(5)) << "a big cell's tile sits in its corner";
    EXPECT_EQ(pixelAt(picture, 85, 5)[3], 0) << "the rest of a big cell stays empty";
    EXPECT_EQ(pixelAt(picture, 70, 20)[3], 0) << "the rest of a big cell stays empty";
    SDL_UnlockSurface(picture);
    SDL_FreeSurface(picture);
}

TEST(MapToolPicture, SmallerCellSizesDrawTheMapAsTheZoomedOutViewDoes) {
    TileSheets sheets = testSheets();
    // Tile 6 a checkerboard of its colour and transparent white.
    for (int y = 16; y < 32; ++y) {
        for (int x = (y + 1) % 2; x < 16; x += 2) {
            std::fill_n(&sheets.sheets[1].rgba[(y * 32 + x) * 4], 3, 255);
            sheets.sheets[1].rgba[(y * 32 + x) * 4 + 3] = 0;
        }
    }
    LayerList layers;
    addLayer(layers, "Ground", 6, 3, {6, 0, 0, 0, 0, 0, 10, 0, 0, 0, 0, 11});
    addLayer(layers, "Tall", 5, 1, {1, 1, 5, 1, 1}, 24, 60);
    const struct {
        int cellSize, width, height;
    } rows[] = {{1, 7, 3}, {2, 15, 7}, {4, 30, 15}, {8, 60, 30}, {16, 120, 60}};
    for (const auto& row : rows) {
        const int n = row.cellSize, box = std::max(2, n);
        int level = 1;
        ASSERT_TRUE(levelOfCellSize(n, level)) << n;
        SDL_Surface* p = picture(layers, sheets, level);
        ASSERT_NE(p, nullptr) << n;
        EXPECT_EQ(p->w, row.width) << n << ": the last tile reaches past its scaled cell";
        EXPECT_EQ(p->h, row.height) << n;
        EXPECT_EQ(pixelAt(p, 0, 0), (Rgba{120, 135, 7, n == 16 ? 255 : 128}))
            << n << ": the tile's alpha-weighted average, not its corner";
        EXPECT_EQ(pixelAt(p, 3 * n, 0), tileColour(5)) << n << ": 24-pixel cells scaled";
        EXPECT_EQ(pixelAt(p, 5 * n + box - 1, n + box - 1), (Rgba{0, 0, 0, 255}))
            << n << ": marker 2's box, never under 2 pixels";
        EXPECT_EQ(pixelAt(p, 2 * n, n + box / 2), (Rgba{255, 255, 255, 255}))
            << n << ": the line between the scaled boxes' centres";
        SDL_FreeSurface(p);
    }
}
