// Writing and reading map files. All integers are little-endian; the file is the layer count
// followed by one record per layer: name length (one byte), name, width, height, offsetX,
// offsetY, cell width, cell height (signed 32-bit each), then width x height 16-bit tiles.
#include "io/map_file.h"

#include <sys/stat.h>

#include <cstdint>
#include <cstdio>
#include <memory>
#include <vector>

#include "app/caption.h"
#include "app/command_names.h"
#include "app/editor.h"
#include "edit/layer_commands.h"
#include "edit/map_size_commands.h"
#include "io/save_file.h"
#include "platform/message_box.h"

namespace {
void putInt32(std::string& out, int32_t value) {
    const auto v = static_cast<uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<char>((v >> shift) & 0xFF));
}

struct FileCloser {
    void operator()(FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<FILE, FileCloser>;

bool readInt32(FILE* file, int32_t& value) {
    unsigned char bytes[4];
    if (std::fread(bytes, 1, 4, file) != 4) return false;
    value = static_cast<int32_t>(
        static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
        static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24);
    return true;
}

long long bytesLeft(FILE* file, long long fileSize) {
    return fileSize - std::ftell(file);
}

// Cell sizes a file may hold that the view cannot draw fall back to the usual 16 pixels.
int sanitisedCellSize(int32_t size) {
    return size >= 1 && size <= 1024 ? size : 16;
}

int clampOffset(int32_t offset, int cells) {
    if (offset < 0) return 0;
    return offset >= cells ? (cells > 0 ? cells - 1 : 0) : offset;
}

enum class Record { Loaded, Skipped, Stop };

// Reads one layer record into a new layer. Stops, with nothing created, at the first short read
// or when the record asks for more cells than the file holds or the editor accepts. A record
// whose name is already taken (the palette, a brush, an earlier record), ignoring letter case,
// is passed over: the editor tells layers apart by name.
Record readLayer(Editor& editor, FILE* file, long long fileSize, int number) {
    unsigned char length = 0;
    if (std::fread(&length, 1, 1, file) != 1) return Record::Stop;
    std::string stored(length, '\0');
    if (length && std::fread(&stored[0], 1, length, file) != length) return Record::Stop;
    const std::string name = stored.substr(0, stored.find('\0'));
    int32_t width = 0, height = 0, offsetX = 0, offsetY = 0, cellWidth = 0, cellHeight = 0;
    if (!readInt32(file, width) || !readInt32(file, height) || !readInt32(file, offsetX) ||
        !readInt32(file, offsetY) || !readInt32(file, cellWidth) || !readInt32(file, cellHeight)) {
        return Record::Stop;
    }
    if (width < 0) width = 0;
    if (height < 0) height = 0;
    // A side longer than a whole layer may hold is damage even when the other side is 0: the
    // view and the scroll limits count in cells along each side.
    if (width > kMaxLayerCells || height > kMaxLayerCells) return Record::Stop;
    const long long cells = static_cast<long long>(width) * height;
    if (cells > kMaxLayerCells || bytesLeft(file, fileSize) < cells * 2) return Record::Stop;

    std::vector<unsigned char> tiles(static_cast<size_t>(cells) * 2);
    if (!tiles.empty() && std::fread(tiles.data(), 1, tiles.size(), file) != tiles.size()) {
        return Record::Stop;
    }
    if (findLayer(editor.layers, name)) return Record::Skipped;
    MapLayer* layer = createLayer(editor.layers, width, height, name, 0, 0);
    layer->offsetX = clampOffset(offsetX, width);
    layer->offsetY = clampOffset(offsetY, height);
    layer->cellWidth = sanitisedCellSize(cellWidth);
    layer->cellHeight = sanitisedCellSize(cellHeight);
    layoutCells(*layer, 0, 0);
    for (size_t i = 0; i < layer->cells.size(); ++i) {
        layer->cells[i].tile = static_cast<uint16_t>(tiles[2 * i] | tiles[2 * i + 1] << 8);
    }
    layer->number = number;
    if (Window* design = findWindow(editor, kDesignWindowName)) design->layerNames.push_back(name);
    appendLayerEntry(editor, name, number == editor.currentLayer);
    return Record::Loaded;
}
}  // namespace

std::string baseName(const std::string& path) {
    size_t slash = path.rfind('/');
    if (slash == std::string::npos) slash = path.rfind('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string encodeMap(Editor& editor) {
    std::string out;
    putInt32(out, editor.layerCount);
    Window* design = findWindow(editor, kDesignWindowName);
    if (!design) return out;
    for (const std::string& name : design->layerNames) {
        const MapLayer* layer = findLayer(editor.layers, name);
        if (!layer) continue;
        out.push_back(static_cast<char>(layer->name.size() & 0xFF));
        out.append(layer->name, 0, layer->name.size() & 0xFF);
        for (int32_t value : {layer->width, layer->height, layer->offsetX, layer->offsetY,
                              layer->cellWidth, layer->cellHeight}) {
            putInt32(out, value);
        }
        out.reserve(out.size() + layer->cells.size() * 2);
        for (const MapCell& cell : layer->cells) {
            out.push_back(static_cast<char>(cell.tile & 0xFF));
            out.push_back(static_cast<char>(cell.tile >> 8));
        }
    }
    return out;
}

void saveMap(Editor& editor, const std::string& path) {
    if (path.empty()) return;
    std::string error;
    if (!writeFileReplacing(path, encodeMap(editor), error)) {
        editor.messageBox->show("Warning deatils",
                                "The map could not be saved to " + path + ": " + error);
    }
}

void loadMap(Editor& editor, const std::string& path) {
    if (path.empty()) return;
    FileHandle file(std::fopen(path.c_str(), "rb"));
    if (!file) return;
    // A folder opens like a file but reads nothing, and a file too short to hold the layer
    // count holds no map: either leaves the current map as it is.
    struct stat info;
    if (fstat(fileno(file.get()), &info) != 0 || !S_ISREG(info.st_mode)) return;
    const long long fileSize = info.st_size;
    int32_t count = 0;
    if (!readInt32(file.get(), count)) return;
    if (count < 0) count = 0;

    Window* design = findWindow(editor, kDesignWindowName);
    if (design) {
        for (const std::string& name : design->layerNames) removeLayer(editor, name, false);
        design->layerNames.clear();
    }
    editor.currentLayer = 1;
    dropLayerEntries(editor);
    int loaded = 0;
    for (int record = 0; record < count; ++record) {
        Record result = readLayer(editor, file.get(), fileSize, loaded + 1);
        if (result == Record::Stop) break;
        if (result == Record::Loaded) ++loaded;
    }
    // The count is what the file really held, so the layer commands stay in step with it.
    editor.layerCount = loaded;
    editor.mapFileName = baseName(path);
    MapLayer* last = nullptr;
    if (design && !design->layerNames.empty())
        last = findLayer(editor.layers, design->layerNames.back());
    setCaption(editor, last, "");
}
