// The number of tile images two tile sheets give; tile numbers from it up are numbered markers.
#pragma once

// The sheets are cut into 16 x 16 tiles, and the width of the sheet loaded last stands for both:
// (tilesHeight + baseHeight) * sheetWidth / 256, counted wide enough for any sheet and held to
// the 16-bit tile numbers a cell can name.
inline int tileCountOf(int tilesHeight, int baseHeight, int sheetWidth) {
    const long long count = (static_cast<long long>(tilesHeight) + baseHeight) * sheetWidth / 256;
    if (count < 0) return 0;
    return count > 65536 ? 65536 : static_cast<int>(count);
}
