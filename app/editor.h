// Editor: the single object that holds the editor's state, and its settings accessors.
#pragma once

#include <SDL.h>
#include <SDL_ttf.h>

#include <bitset>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/held_arrows.h"
#include "app/recovery.h"
#include "edit/command_queue.h"
#include "edit/tool_mode.h"
#include "edit/undo_history.h"
#include "gui/dialog.h"
#include "gui/menu.h"
#include "gui/window.h"
#include "io/settings.h"
#include "map/cell_access.h"
#include "map/layer_list.h"
#include "map/marker_index.h"
#include "map/marker_layout.h"
#include "map/sampled_tiles.h"
#include "map/tile_images.h"
#include "map/view_cache.h"

struct MessageBox;
struct FileChooser;
struct QuestionBox;

// One reading of the mouse: position and SDL button mask (1 left, 4 right).
struct MouseSample {
    int x = 0;
    int y = 0;
    uint8_t buttons = 0;
};

struct CellPosition {
    int column = 0;
    int row = 0;
};

// The brush pick being dragged; kept by the frame loop from one frame to the next.
struct PickState {
    bool pickInProgress = false;
    CellPosition pickAnchor;
    CellPosition current;
    CellBlock block;
};

// A middle-button drag: where it started and the design window's scroll positions then.
struct PanState {
    bool active = false;
    int startX = 0;
    int startY = 0;
    std::vector<std::pair<int, int>> startOffsets;
};

// A zoom from one level to another, with the design window's scroll positions before and after.
struct ZoomStep {
    int from = 0;
    int to = 0;
    std::vector<std::pair<int, int>> before;
    std::vector<std::pair<int, int>> after;
};

struct Editor {
    // The editor of the running program, built on first use and destroyed at exit.
    static Editor& instance();

    Editor();
    ~Editor();
    Editor(const Editor&) = delete;
    Editor& operator=(const Editor&) = delete;

    int tileCount = 0;       // tile numbers from here up are numbered markers
    int nextMarkerTile = 0;  // the number the next placed marker gets
    int heldMarkerTile = 0;  // marker lifted with 'e'; 0 = none
    SDL_Cursor* defaultCursor = nullptr;
    SDL_Cursor* drawCursor = nullptr;
    SDL_Cursor* fillCursor = nullptr;
    std::string title;
    std::string mapFileName;     // base name of the map file loaded last
    bool mouseReleased = false;  // in the frame the last held button was let go
    Settings settings;
    int currentLayer = 0;  // 1-based
    int layerCount = 0;
    // What Undo can take back and Redo do again.
    UndoHistory history;
    // The copy of the map kept against a crash.
    RecoveryState recovery;
    MenuList menus;
    std::unique_ptr<TileImageStore> tileImages;
    TTF_Font* font = nullptr;  // the interface font, "GOTHIC.TTF" at size 11
    CommandQueue commandQueue;
    DialogList dialogs;
    std::vector<std::unique_ptr<Window>> windows;
    LayerList layers;
    SDL_Surface* screen = nullptr;
    bool pickBrushArmed = false;
    bool quitRequested = false;
    ToolMode toolMode = ToolMode::Draw;
    std::string focusName;  // "Focus Lost", "Dead Area" or the name of a window
    uint8_t mouseButtons = 0;
    uint8_t previousMouseButtons = 0;
    // Button edges (SDL masks) the event pump saw since the last frame. A tap can press and
    // release a button between two frames, where reading the button state alone misses it.
    uint8_t buttonsPressed = 0;
    uint8_t buttonsReleased = 0;
    // Keys seen coming up since they last went down, and the key that went down last: SDL may
    // go on repeating a key after its key-up (see the event pump).
    std::bitset<SDLK_LAST> releasedKeys;
    SDLKey lastPressedKey = SDLK_UNKNOWN;
    HeldArrows heldArrows;
    std::string activeBrushSide;  // "Left" or "Right"
    int mouseX = 0;
    int mouseY = 0;
    uint8_t drawCursorData[32] = {};
    uint8_t fillCursorData[32] = {};

    // Frames still to draw before the loop may sleep: the window system may clear or show the
    // window some time after a video mode change, and nothing else would draw it again.
    int framesToRedraw = 0;

    // Full-screen switch: the windowed size to return to.
    bool fullScreen = false;
    bool windowedSizeKnown = false;
    int windowedWidth = 0;
    int windowedHeight = 0;
    // The desktop's own size as the library saw it at start, 0 x 0 when it could not say.
    int desktopWidth = 0;
    int desktopHeight = 0;

    // The frame loop's brush pick.
    PickState pick;
    // Where the numbered markers of the layer drawn last were painted.
    MarkerLayout shownMarkers;
    // The zoom steps that zooming back would undo, latest last (see edit/zoom_commands.cpp).
    std::vector<ZoomStep> zoomSteps;
    PanState pan;
    // The zoomed-out design window's last picture.
    ViewCache viewCache;
    // Where each layer's markers are and its sampled cells, by layer id, for the views of whole
    // big layers; a layer's go with it when the view next draws.
    std::map<uint64_t, MarkerIndex> markerIndexes;
    std::map<uint64_t, SampledTiles> sampledTiles;
    // Cells waiting to be filled; kept between fills for its capacity.
    std::vector<CellPosition> fillStack;
    // Set by a Fill Random, whose press then paints nothing more; valid while the history's
    // press has filled (a Fill Random always opens a fill step, a release ends the press).
    bool fillRandomThisPress = false;
    // The map file path chosen last in either file dialog.
    std::string lastMapPath;

    // The desktop's dialogs; tests put scripted ones here.
    MessageBox* messageBox = nullptr;
    FileChooser* fileChooser = nullptr;
    QuestionBox* questionBox = nullptr;

    // The map's file (the full path opened or saved last; "" for an untitled map) and a
    // fingerprint of the map as it was then, to tell whether it has changed since.
    std::string mapFilePath;
    uint64_t savedMapFingerprint = 0;
    // Reads the mouse once a frame (SDL's state unless a test supplies another).
    std::function<MouseSample()> readMouse;
};

// The integer setting of that name; a missing name is inserted as 0.
int& intSetting(Editor& editor, const std::string& name);
// The string setting of that name; a missing name is inserted as "".
std::string stringSetting(Editor& editor, const std::string& name);

// The name of the current map layer: the setting "Layer" followed by its number.
std::string currentLayerName(Editor& editor);
MapLayer* currentMapLayer(Editor& editor);
