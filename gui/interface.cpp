// buildInterface and toggleFullScreen.
#include "gui/interface.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "app/caption.h"
#include "app/command_names.h"
#include "app/editor.h"
#include "app/event_pump.h"
#include "edit/map_size_commands.h"
#include "gui/cursors.h"
#include "io/map_file.h"
#include "io/read_configuration.h"
#include "platform/message_box.h"

namespace {
Uint32 rgb(const Editor& editor, Uint8 r, Uint8 g, Uint8 b) {
    return SDL_MapRGB(editor.screen->format, r, g, b);
}

bool videoDriverAskedFor() {
    const char* asked = std::getenv("SDL_VIDEODRIVER");
    return asked && *asked;
}

// Without a display the classic library would go on to text-mode drivers, which may end the
// process themselves; so a display is looked for before SDL starts.
bool displayExpected() {
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return videoDriverAskedFor() || (x11 && *x11) || (wayland && *wayland);
}

// False when SDL fell back to a driver that shows nothing although nobody asked for one (a
// display that cannot be reached): the editor would run unseen. Tests and headless runs ask for
// the dummy driver by name.
bool videoDriverShows() {
    if (videoDriverAskedFor()) return true;
    char name[32] = "";
    if (!SDL_VideoDriverName(name, sizeof name)) return false;
    return std::strcmp(name, "offscreen") != 0 && std::strcmp(name, "dummy") != 0;
}

const char kNoDisplay[] =
    "There is no display to show the editor on: DISPLAY is not set or cannot be reached.";

// Keeps the screen usable when the video driver hands back a new surface for a new mode.
void setVideoMode(Editor& editor, int w, int h, Uint32 flags) {
    if (SDL_Surface* screen = SDL_SetVideoMode(w, h, 32, flags)) editor.screen = screen;
}
}  // namespace

bool buildInterface(Editor& editor, const std::string& caption) {
    editor.currentLayer = 1;
    editor.layerCount = 1;
    // The editor draws and reads input, nothing more: sound would only add start-up noise and a
    // failure on machines without it. Both SDL 1.2 libraries centre the window when asked.
    setenv("SDL_VIDEO_CENTERED", "1", 0);
    // Should full screen ever be scaled (a desktop size the display cannot take), sdl12-compat
    // scales with crisp pixels rather than blurred ones.
    setenv("SDL12COMPAT_SCALE_METHOD", "nearest", 0);
    if (!displayExpected()) {
        SDL_SetError(kNoDisplay);
        return false;
    }
    if (SDL_Init(SDL_INIT_VIDEO) != 0) return false;
    if (!videoDriverShows()) {
        SDL_SetError(kNoDisplay);
        return false;
    }
    watchForTermination();
    SDL_EnableUNICODE(1);
    readConfiguration(editor, "Configuration.xml");

    // Before the first video mode the library reports the desktop's; after, the window's.
    if (const SDL_VideoInfo* video = SDL_GetVideoInfo()) {
        editor.desktopWidth = std::max(0, video->current_w);
        editor.desktopHeight = std::max(0, video->current_h);
    }
    editor.screen = SDL_SetVideoMode(800, 600, 32, SDL_RESIZABLE);
    if (!editor.screen) return false;
    // Cursors belong to the video mode: the classic library cannot make them before it.
    editor.drawCursor =
        SDL_CreateCursor(editor.drawCursorData, const_cast<Uint8*>(kCrosshairMask), 16, 15, 7, 7);
    editor.defaultCursor = SDL_GetCursor();
    editor.fillCursor =
        SDL_CreateCursor(editor.fillCursorData, const_cast<Uint8*>(kBucketMask), 16, 15, 7, 7);
    enableKeyRepeat(editor, 500, intSetting(editor, "KeyboardScrollSpeed"));

    const int W = editor.screen->w;
    const int H = editor.screen->h;
    Window* separator = createWindow(editor, W - 321, 16, 3, H - 16, kLineSeparatorName, "",
                                     rgb(editor, 188, 188, 188));
    Window* design = createWindow(editor, 0, 16, W - 320, H - 16, kDesignWindowName,
                                  stringSetting(editor, "Layer1"), rgb(editor, 255, 0, 255));
    int mapWidth = std::max(intSetting(editor, "MapWidth"), 0);
    int mapHeight = std::max(intSetting(editor, "MapHeight"), 0);
    // A configured size larger than any layer may be counts as no size at all.
    if (static_cast<long long>(mapWidth) * mapHeight > kMaxLayerCells) {
        editor.messageBox->show(kWarningTitle,
                                "The map size in Configuration.xml, " + std::to_string(mapWidth) +
                                    " x " + std::to_string(mapHeight) + " cells, is too large: " +
                                    layerLimitText() + ". The editor starts with an empty map.");
        mapWidth = mapHeight = 0;
    }
    MapLayer* first = createLayer(editor.layers, mapWidth, mapHeight,
                                  stringSetting(editor, "Layer1"), 0, kGroundTile);
    first->number = 1;
    Window* tiles = createWindow(editor, W - 320, 16, 320, H - 16, kTileWindowName,
                                 kPaletteLayerName, rgb(editor, 0, 0, 0));
    MapLayer* palette = createLayer(editor.layers, 20, 59, kPaletteLayerName, 1, 0);
    palette->number = -1;
    palette->checkerBackground = true;
    palette->entryCount = 1180;
    Window* menuBar =
        createWindow(editor, 0, 0, W, 16, kMenuBarName, "", rgb(editor, 188, 188, 188));

    for (Window* window : {design, tiles, menuBar, separator}) window->visible = true;
    menuBar->showsLayers = 0;
    separator->showsLayers = 0;

    buildMenus(editor);
    buildDialogs(editor);
    setTitle(editor, caption);
    markMapSaved(editor);
    return true;
}

ScreenSize fullScreenSize(const Editor& editor) {
    constexpr Uint32 kFlags = SDL_FULLSCREEN | SDL_RESIZABLE;
    if (editor.desktopWidth > 0 && editor.desktopHeight > 0 &&
        SDL_VideoModeOK(editor.desktopWidth, editor.desktopHeight, 32, kFlags) != 0) {
        return {editor.desktopWidth, editor.desktopHeight};
    }
    // The list comes largest first; (SDL_Rect**)-1 means any size, which says nothing.
    SDL_Rect** modes = SDL_ListModes(nullptr, kFlags);
    if (modes && modes != reinterpret_cast<SDL_Rect**>(-1) && modes[0]) {
        return {modes[0]->w, modes[0]->h};
    }
    return {800, 600};
}

void toggleFullScreen(Editor& editor) {
    if (!editor.windowedSizeKnown) {
        editor.windowedWidth = editor.screen->w;
        editor.windowedHeight = editor.screen->h;
        editor.windowedSizeKnown = true;
    }
    if (editor.fullScreen) {
        setVideoMode(editor, editor.windowedWidth, editor.windowedHeight, SDL_RESIZABLE);
    } else {
        editor.windowedWidth = editor.screen->w;
        editor.windowedHeight = editor.screen->h;
        const ScreenSize size = fullScreenSize(editor);
        setVideoMode(editor, size.w, size.h, SDL_FULLSCREEN | SDL_RESIZABLE);
    }
    editor.fullScreen = !editor.fullScreen;
}
