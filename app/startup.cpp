// Start-up, the palette sized from the tile sheets, and shut-down.
#include "app/startup.h"

#include "app/command_names.h"
#include "app/editor.h"
#include "app/event_pump.h"
#include "app/main_loop.h"
#include "app/recovery.h"
#include "gui/interface.h"
#include "io/map_file.h"
#include "map/tile_count.h"
#include "platform/message_box.h"

void loadTileSheets(Editor& editor) {
    TileImageStore& store = *editor.tileImages;
    const int tilesHeight = loadTileSheet(store, stringSetting(editor, "TileImages"), editor.font);
    const int baseHeight = loadTileSheet(store, stringSetting(editor, "BaseImages"), editor.font);
    // The width of the sheet loaded last stands for both sheets.
    const int width = store.sheetWidth;
    editor.tileCount = tileCountOf(tilesHeight, baseHeight, width);
    editor.nextMarkerTile = editor.tileCount;
    if (!(editor.screen->w * 0.75 > width)) return;
    layoutWindows(editor);
    Window* tiles = findWindow(editor, kTileWindowName);
    MapLayer* palette = tiles ? findToolLayer(editor.layers, tiles->layerName) : nullptr;
    if (!palette) return;
    const int columns = width / kTileEdge;
    const int rows = (tilesHeight + baseHeight) / kTileEdge;
    palette->tiles.resize(static_cast<size_t>(columns) * rows);
    palette->width = columns;
    palette->height = rows;
    fillTiles(*palette, 1, 0);
    palette->entryCount = palette->cellCount();
}

void shutDown(Editor& editor) {
    editor.layers.clear();
    editor.windows.clear();
    if (editor.defaultCursor) SDL_SetCursor(editor.defaultCursor);
    if (editor.drawCursor) SDL_FreeCursor(editor.drawCursor);
    if (editor.fillCursor) SDL_FreeCursor(editor.fillCursor);
    editor.drawCursor = editor.fillCursor = editor.defaultCursor = nullptr;
    // The screen belongs to SDL, which frees it in SDL_Quit; freeing it here crashes the
    // classic library once another editor in the process has quit SDL in between.
    editor.screen = nullptr;
    SDL_Quit();
}

void openMapAtStart(Editor& editor, const std::string& path) {
    if (path.empty()) return;
    // The Open dialog remembers what it was given, whether it opened or not.
    editor.lastMapPath = path;
    // The open sets the caption itself, as File > Open does; the start-up request would put
    // the configured first layer's caption back over it.
    if (loadMap(editor, path)) dropCommands(editor.commandQueue, cmd::SetCaptionSizeDimensions);
}

int runEditor(Editor& editor, const std::string& mapPath) {
    if (!editor.font) {
        editor.messageBox->show(kErrorTitle, SDL_GetError());
        return 1;
    }
    if (!buildInterface(editor, kEditorTitle)) {
        editor.messageBox->show(kErrorTitle, SDL_GetError());
        SDL_Quit();
        return 1;
    }
    loadTileSheets(editor);
    // Start-up clears the configured map's first layer; a map named on the command line opens
    // after that, so that it arrives exactly as File > Open would bring it.
    prepareMainLoop(editor);
    startRecovery(editor);
    openMapAtStart(editor, mapPath);
    offerRecovery(editor, mapPath);
    runMainLoop(editor);
    finishRecovery(editor, terminationRequested());
    shutDown(editor);
    return 0;
}
