// Window: a named rectangle of the screen, optionally showing map layers, and the registry's
// lookups and layout.
#pragma once

#include <SDL.h>

#include <string>
#include <vector>

struct Editor;
struct MapLayer;

struct Window {
    SDL_Rect rect{0, 0, 0, 0};
    std::string name;
    std::string layerName;  // the layer mouse actions over this window address
    Uint32 colour = 0;      // mapped for the screen; fills a window without layers
    bool visible = false;
    int showsLayers = 1;                  // 0 for the menu bar and the separator
    std::vector<std::string> layerNames;  // drawn bottom to top
    bool captured = false;                // holds the mouse while a drag is in progress
    // The zoom level its layers are drawn at (see map/zoom.h); only the design window zooms.
    int zoomLevel = 0;
};

Window* createWindow(Editor& editor, int x, int y, int w, int h, const std::string& name,
                     const std::string& layerName, Uint32 colour);

// Case-insensitive lookup by name; the first match in creation order.
Window* findWindow(const Editor& editor, const std::string& name);

// The first window (in creation order) whose rectangle contains the point; visibility is not
// consulted.
Window* windowAt(const Editor& editor, int x, int y);

// The captured window if there is one, else the window under the sampled mouse position.
Window* mouseWindow(const Editor& editor);

bool rectContains(const SDL_Rect& rect, int x, int y);

// The layer of that name that the window shows: the palette for the tile window, a map layer
// for the others.
MapLayer* findWindowLayer(const Editor& editor, const Window& window, const std::string& name);

// Lays the four windows out from the screen size and the tile-window width, then re-centres
// the open dialogs.
void layoutWindows(Editor& editor);

// Follows a drag of the separator; true when the tile window changed width.
bool dragSeparator(Editor& editor);

// Chooses the painting cursor for a window that shows layers, else the system's cursor.
void setCursorForWindow(Editor& editor, const Window& window);
