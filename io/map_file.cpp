// Putting a decoded map file into the editor, and the editor's map into a file.
#include "io/map_file.h"

#include <algorithm>

#include "app/caption.h"
#include "app/command_names.h"
#include "app/editor.h"
#include "app/hashed_name.h"
#include "app/recovery.h"
#include "edit/layer_commands.h"
#include "edit/undo.h"
#include "io/file_reader.h"
#include "io/map_codec.h"
#include "io/map_fingerprint.h"
#include "io/save_file.h"
#include "map/layer_names.h"
#include "platform/message_box.h"

namespace {

void refuse(Editor& editor, const std::string& path, const std::string& reason) {
    editor.messageBox->show(kWarningTitle, "The map file " + path + " was not opened: " + reason +
                                               ". The map was not changed.");
}

// A map file's bytes read a piece at a time into a buffer that stays in the cache, so that
// opening holds no copy of the file beside the layers it fills. What stopped the reading
// is kept for the refusal.
class FileMapBytes : public MapBytes {
public:
    explicit FileMapBytes(FileReader& file) : file_(file), buffer_(kBufferBytes) {}

    size_t left() const override { return file_.left() + (end_ - at_); }

    const unsigned char* next(size_t count) override {
        if (end_ - at_ < count) {
            if (count > left() || !error.empty()) return nullptr;
            std::copy(buffer_.begin() + at_, buffer_.begin() + end_, buffer_.begin());
            end_ -= at_;
            at_ = 0;
            const size_t more = std::min(buffer_.size() - end_, file_.left());
            if (!file_.read(buffer_.data() + end_, more, error)) return nullptr;
            end_ += more;
        }
        at_ += count;
        return buffer_.data() + at_ - count;
    }

    std::string error;

private:
    static constexpr size_t kBufferBytes = 4 * kMapBytesPiece;
    FileReader& file_;
    std::vector<unsigned char> buffer_;
    size_t at_ = 0;
    size_t end_ = 0;
};

// Drops the records whose name the editor keeps for the palette or a brush (whether or not that
// brush exists yet), or an earlier record took (names are told apart ignoring letter case), and
// lists them.
std::string passOverTakenNames(DecodedMap& map) {
    std::string passedOver;
    LayerList kept;
    std::vector<std::string> keptNames;
    std::vector<TileFacts> keptFacts;
    for (size_t i = 0; i < map.layers.size(); ++i) {
        auto& record = map.layers[i];
        if (layerNameUse(record->name, keptNames) != LayerNameUse::Free) {
            passedOver += (passedOver.empty() ? "" : ", ") + std::string("record ") +
                          std::to_string(i + 1) + " '" + record->name + "'";
            continue;
        }
        record->number = static_cast<int>(kept.size()) + 1;
        keptNames.push_back(record->name);
        kept.push_back(std::move(record));
        keptFacts.push_back(map.facts.at(i));
    }
    map.layers = std::move(kept);
    map.facts = std::move(keptFacts);
    return passedOver;
}

// Replaces the map layers with the records; new markers are numbered after the highest in them.
void replaceMap(Editor& editor, LayerList& records, const std::vector<TileFacts>& facts) {
    // Tiles from tileCount up are the numbered markers: new ones go on after the highest.
    editor.nextMarkerTile = editor.tileCount;
    for (size_t i = 0; i < records.size(); ++i) {
        if (records[i]->tiles.empty()) continue;
        const int highest = facts[i].highestTile;
        if (highest >= editor.nextMarkerTile) editor.nextMarkerTile = highest + 1;
    }
    replaceMapLayers(editor, records);
}
}  // namespace

std::string baseName(const std::string& path) {
    size_t slash = path.rfind('/');
    if (slash == std::string::npos) slash = path.rfind('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::vector<const MapLayer*> mapLayersInOrder(Editor& editor) {
    std::vector<const MapLayer*> layers;
    if (Window* design = findWindow(editor, kDesignWindowName)) {
        for (const std::string& name : design->layerNames) {
            if (const MapLayer* layer = findMapLayer(editor.layers, name)) layers.push_back(layer);
        }
    }
    return layers;
}

std::string encodeMap(Editor& editor) {
    return encodeMapLayers(mapLayersInOrder(editor));
}

void markMapSaved(Editor& editor) {
    editor.savedMapFingerprint = mapFingerprint(mapLayersInOrder(editor));
}

void markMapUnsaved(Editor& editor) {
    // One bit away from the map's own fingerprint: the map counts as changed until it is saved.
    editor.savedMapFingerprint = mapFingerprint(mapLayersInOrder(editor)) ^ 1;
}

bool mapChangedSinceSaved(Editor& editor) {
    // What a file would hold is what counts: every tool, command and undo that changes a tile,
    // a layer or a size changes these bytes, and putting things back makes them equal again.
    // They are fingerprinted from the layers, without a copy of the file.
    return mapFingerprint(mapLayersInOrder(editor)) != editor.savedMapFingerprint;
}

bool saveMap(Editor& editor, const std::string& path) {
    if (path.empty()) return false;
    std::string error;
    const std::vector<const MapLayer*> layers = mapLayersInOrder(editor);
    const bool saved = writeFileReplacing(
        path, [&](ByteSink& file) { return writeMapLayers(file, layers); }, error);
    if (!saved) {
        editor.messageBox->show(kWarningTitle,
                                "The map could not be saved to " + path + ": " + error);
        return false;
    }
    editor.mapFilePath = path;
    markMapSaved(editor);
    recoveryNotNeeded(editor);
    // The saved file is the map's file now, in the caption as after opening it.
    editor.mapFileName = baseName(path);
    setCaption(editor, currentMapLayer(editor), "");
    return true;
}

bool loadMap(Editor& editor, const std::string& path) {
    if (path.empty()) return false;
    FileReader file;
    std::string error;
    if (!file.open(path, error)) {
        refuse(editor, path, "it cannot be read (" + error + ")");
        return false;
    }
    FileMapBytes bytes(file);
    DecodedMap map = decodeMap(bytes);
    if (!bytes.error.empty() || !file.unchanged(error)) {
        refuse(editor, path,
               "it cannot be read (" + (bytes.error.empty() ? error : bytes.error) + ")");
        return false;
    }
    switch (map.kind) {
        case MapFileKind::NotAMap:
            refuse(editor, path, "it is not a map file");
            return false;
        case MapFileKind::NoLayers:
            refuse(editor, path, "it holds no layers");
            return false;
        case MapFileKind::TooManyLayers:
            refuse(editor, path,
                   "it holds " + std::to_string(map.statedLayers) +
                       " layers, more than the editor works with (" +
                       std::to_string(kMaxMapLayers) + ")");
            return false;
        case MapFileKind::Map:
            break;
    }
    const size_t readInFull = map.layers.size();
    const std::string passedOver = passOverTakenNames(map);
    if (map.layers.empty()) {
        refuse(editor, path,
               "every layer it holds has a name the editor already uses (" + passedOver + ")");
        return false;
    }
    // The map as opened is the saved state; its tiles' fingerprints were taken while reading.
    std::vector<const MapLayer*> opened;
    std::vector<uint64_t> tileFingerprints;
    for (size_t i = 0; i < map.layers.size(); ++i) {
        opened.push_back(map.layers[i].get());
        tileFingerprints.push_back(map.facts[i].fingerprint);
    }
    const uint64_t openedFingerprint = mapFingerprint(opened, tileFingerprints);
    replaceMap(editor, map.layers, map.facts);
    editor.mapFileName = baseName(path);
    editor.mapFilePath = path;
    editor.savedMapFingerprint = openedFingerprint;
    recoveryNotNeeded(editor);
    const MapLayer* last = nullptr;
    if (Window* design = findWindow(editor, kDesignWindowName)) {
        if (!design->layerNames.empty())
            last = findMapLayer(editor.layers, design->layerNames.back());
    }
    setCaption(editor, last, "");

    std::string warning;
    if (static_cast<long long>(readInFull) < map.statedLayers) {
        warning = "The map file " + path + " is damaged: " + std::to_string(readInFull) +
                  " of its " + std::to_string(map.statedLayers) + " layers were read in full.";
    }
    if (!passedOver.empty()) {
        warning += std::string(warning.empty() ? "" : " ") + "Passed over in " + path +
                   ", because the editor already uses their names: " + passedOver + ".";
    }
    if (!warning.empty()) editor.messageBox->show(kWarningTitle, warning);
    return true;
}
