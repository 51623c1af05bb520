// Tile sheets: loading, cutting, numbering across both sheets and the error picture.
#include <gtest/gtest.h>

#include <cstring>

#include "app/startup.h"
#include "tests/support/test_editor.h"

namespace {
const char kTwoSheetConfiguration[] = R"(<Data>
  <integer Name="MapWidth" Value="20"/><integer Name="MapHeight" Value="20"/>
  <string Name="TileImages" Value="first.bmp"/><string Name="BaseImages" Value="second.bmp"/>
  <string Name="Layer1" Value="Map1"/>
</Data>)";

// A sheet whose tile n (counted from `firstTile`) is filled with the colour (n, 255 - n, 77).
void writeSheet(const std::string& path, int width, int height, int firstTile) {
    SDL_Surface* sheet =
        SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, 24, 0xFF0000, 0x00FF00, 0x0000FF, 0);
    int n = firstTile;
    for (int y = 0; y < height; y += 16) {
        for (int x = 0; x < width; x += 16, ++n) {
            SDL_Rect r{static_cast<Sint16>(x), static_cast<Sint16>(y), 16, 16};
            SDL_FillRect(sheet, &r, SDL_MapRGB(sheet->format, n & 0xFF, 255 - (n & 0xFF), 77));
        }
    }
    SDL_SaveBMP(sheet, path.c_str());
    SDL_FreeSurface(sheet);
}

TestEditorOptions sheetsNotLoaded(const std::string& configuration) {
    TestEditorOptions options;
    options.configuration = configuration;
    options.loadTileSheets = false;
    return options;
}
}  // namespace

TEST(TileImages, TilesAreNumberedAcrossBothSheets) {
    TestEditor t(sheetsNotLoaded(kTwoSheetConfiguration));
    writeSheet("first.bmp", 256, 64, 0);
    writeSheet("second.bmp", 256, 32, 64);
    loadTileSheets(t.editor());
    const auto& images = t.editor().tileImages->images;
    ASSERT_EQ(images.size(), 96u);
    EXPECT_EQ(t.editor().tileCount, 96);
    EXPECT_EQ(t.editor().nextMarkerTile, 96);
    for (int tile : {0, 17, 63, 64, 95}) {
        EXPECT_EQ(pixelAt(images[tile]->surface, 0, 0), (Rgb{tile, 255 - tile, 77})) << tile;
        EXPECT_EQ(pixelAt(images[tile]->surface, 15, 15), (Rgb{tile, 255 - tile, 77})) << tile;
    }
}

TEST(TileImages, PaletteBecomesOneCellPerTile) {
    TestEditor t;
    const MapLayer* palette = findLayer(t.editor().layers, "Tile01");
    ASSERT_NE(palette, nullptr);
    EXPECT_EQ(t.editor().tileCount, 576);
    EXPECT_EQ(palette->width, 16);
    EXPECT_EQ(palette->height, 36);
    EXPECT_EQ(palette->entryCount, 576);
    EXPECT_EQ(palette->tiles[0], 0);
    EXPECT_EQ(palette->tiles[575], 575);
}

TEST(TileImages, BundledSheetsHaveGroundTransparentAndMarkerTiles) {
    TestEditor t;
    const auto& images = t.editor().tileImages->images;
    ASSERT_EQ(images.size(), 576u);
    SDL_Surface* ground = images[0]->surface;
    SDL_Surface* clear = images[1]->surface;
    SDL_Surface* marker = images[2]->surface;
    ASSERT_NE(ground->format->Amask, 0u);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            Uint32 g = 0, c = 0, m = 0;
            std::memcpy(&g, static_cast<Uint8*>(ground->pixels) + y * ground->pitch + x * 4, 4);
            std::memcpy(&c, static_cast<Uint8*>(clear->pixels) + y * clear->pitch + x * 4, 4);
            std::memcpy(&m, static_cast<Uint8*>(marker->pixels) + y * marker->pitch + x * 4, 4);
            EXPECT_EQ(g & ground->format->Amask, ground->format->Amask);
            EXPECT_EQ(c & clear->format->Amask, 0u);
            EXPECT_EQ(m & marker->format->Amask, marker->format->Amask);
        }
    }
    // The marker is a target on a dark plate, unlike the ground.
    EXPECT_EQ(pixelAt(marker, 0, 0), (Rgb{88, 98, 132}));
    EXPECT_FALSE(pixelAt(marker, 8, 8) == pixelAt(ground, 8, 8));
    // Only the see-through tile is passed over when drawing; every other bundled tile has
    // pixels to draw.
    for (size_t tile = 0; tile < images.size(); ++tile) {
        EXPECT_EQ(images[tile]->invisible, tile == 1) << tile;
    }
}

TEST(TileImages, SheetWiderThanThreeQuartersOfTheScreenKeepsThePalette) {
    TestEditor t(sheetsNotLoaded(kTwoSheetConfiguration));
    writeSheet("first.bmp", 608, 32, 0);
    writeSheet("second.bmp", 608, 16, 0);
    loadTileSheets(t.editor());
    const MapLayer* palette = findLayer(t.editor().layers, "Tile01");
    EXPECT_EQ(t.editor().tileCount, (32 + 16) * 608 / 256);
    EXPECT_EQ(palette->width, 20);
    EXPECT_EQ(palette->height, 59);
    EXPECT_EQ(palette->entryCount, 1180);
}

TEST(TileImages, MissingSheetIsReplacedByAPictureOfTheError) {
    TestEditor t(sheetsNotLoaded(R"(<Data><string Name="TileImages" Value="first.bmp"/>
      <string Name="Layer1" Value="Map1"/></Data>)"));
    writeSheet("first.bmp", 256, 64, 0);
    loadTileSheets(t.editor());
    const TileImageStore& store = *t.editor().tileImages;
    // The second sheet, named by no setting, is a picture of SDL's error text.
    ASSERT_GT(store.sheetWidth, 0);
    EXPECT_EQ(store.sheetWidth % 16, 0);
    EXPECT_EQ(store.sheetHeight % 16, 0);
    const size_t pictureTiles = (store.sheetWidth / 16) * (store.sheetHeight / 16);
    EXPECT_EQ(store.images.size(), 64 + pictureTiles);
    EXPECT_EQ(t.editor().tileCount, (64 + store.sheetHeight) * store.sheetWidth / 256);
    // The picture is white text on black: some tile holds a white pixel.
    bool white = false;
    for (size_t i = 64; i < store.images.size() && !white; ++i) {
        for (int y = 0; y < 16 && !white; ++y) {
            for (int x = 0; x < 16 && !white; ++x) {
                white = pixelAt(store.images[i]->surface, x, y) == (Rgb{255, 255, 255});
            }
        }
    }
    EXPECT_TRUE(white);
}

TEST(TileImages, PartialStripsAreCutInsideTheSheet) {
    TestEditor t(sheetsNotLoaded(kTwoSheetConfiguration));
    writeSheet("first.bmp", 40, 20, 0);
    writeSheet("second.bmp", 40, 16, 0);
    loadTileSheets(t.editor());
    const auto& images = t.editor().tileImages->images;
    // 3 columns by 2 rows from the first sheet, 3 by 1 from the second.
    ASSERT_EQ(images.size(), 9u);
    SDL_Surface* corner = images[5]->surface;
    EXPECT_EQ(corner->w, 8);
    EXPECT_EQ(corner->h, 4);
    SDL_Surface* sheet = t.editor().tileImages->sheets[0];
    const Uint8* end = static_cast<Uint8*>(sheet->pixels) + sheet->pitch * sheet->h;
    const Uint8* last = static_cast<Uint8*>(corner->pixels) + corner->pitch * (corner->h - 1) +
                        corner->w * corner->format->BytesPerPixel;
    EXPECT_LE(last, end);
}
