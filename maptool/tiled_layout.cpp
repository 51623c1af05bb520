// The TMX layout of a map: tilesets, sizes and property names.
#include "maptool/tiled_layout.h"

#include <algorithm>
#include <filesystem>

namespace fs = std::filesystem;

const char* const kCellWidthProperty = "cellwidth";
const char* const kCellHeightProperty = "cellheight";
const char* const kScrollColumnProperty = "scrollcolumn";
const char* const kScrollRowProperty = "scrollrow";
const char* const kMarkerPathName = "path";

std::string markerLayerName(const std::string& layerName) {
    return layerName + " markers";
}

namespace {
// The sheet named from the output file's folder, so the map and its sheets can move together.
std::string imageReference(const std::string& sheet, const std::string& outputPath) {
    std::error_code error;
    const fs::path target = fs::weakly_canonical(fs::absolute(sheet, error), error);
    const fs::path folder =
        fs::weakly_canonical(fs::absolute(fs::path(outputPath), error).parent_path(), error);
    if (error) return sheet;
    const fs::path relative = target.lexically_relative(folder);
    return relative.empty() ? target.string() : relative.string();
}

}  // namespace

size_t utf8Length(const std::string& text, size_t at) {
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    size_t length = 0;
    unsigned int value = 0;
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        value = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        value = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        value = lead & 0x07;
    } else {
        return 0;
    }
    if (at + length > text.size()) return 0;
    for (size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80) return 0;
        value = value << 6 | (byte(at + i) & 0x3F);
    }
    // Overlong forms, surrogates and values past U+10FFFF are not text.
    const unsigned int least[5] = {0, 0, 0x80, 0x800, 0x10000};
    if (value < least[length] || (value >= 0xD800 && value <= 0xDFFF) || value > 0x10FFFF) {
        return 0;
    }
    return length;
}

size_t firstByteNotText(const std::string& text) {
    for (size_t at = 0; at < text.size();) {
        const size_t length = utf8Length(text, at);
        if (length == 0 || static_cast<unsigned char>(text[at]) < 0x20 || text[at] == 0x7F) {
            return at;
        }
        at += length;
    }
    return std::string::npos;
}

TiledLayout tiledLayout(const LayerList& layers, const TileSheets& sheets,
                        const std::string& outputPath) {
    TiledLayout layout;
    for (const auto& layer : layers) {
        layout.width = std::max(layout.width, layer->width);
        layout.height = std::max(layout.height, layer->height);
    }
    if (!layers.empty()) {
        layout.tileWidth = layers.front()->cellWidth;
        layout.tileHeight = layers.front()->cellHeight;
    }
    long long firstGid = 1;
    for (const SheetPixels& sheet : sheets.sheets) {
        TilesetLayout tileset;
        tileset.name = fs::path(sheet.path).stem().string();
        tileset.image = imageReference(sheet.path, outputPath);
        tileset.imageWidth = sheet.width;
        tileset.imageHeight = sheet.height;
        tileset.columns = sheet.columns();
        tileset.tileCount = sheet.wholeTiles();
        tileset.firstGid = firstGid;
        firstGid += tileset.tileCount;
        layout.tilesets.push_back(tileset);
    }
    return layout;
}

bool namesAreText(const LayerList& layers, std::string& error) {
    for (size_t i = 0; i < layers.size(); ++i) {
        const size_t at = firstByteNotText(layers[i]->name);
        if (at != std::string::npos) {
            error = "layer " + std::to_string(i + 1) +
                    ": its name is not text the format can carry (byte " + std::to_string(at + 1) +
                    ")";
            return false;
        }
    }
    return true;
}
