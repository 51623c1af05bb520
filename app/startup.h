// Start-up after the interface is built, and shut-down.
#pragma once

#include <string>

struct Editor;

#include "app/version.h"

// Loads the two tile sheets, counts the tiles and, when the sheets are narrower than three
// quarters of the screen, lays the palette out as one cell per tile.
void loadTileSheets(Editor& editor);

// Frees the layers and windows, the cursors and the screen, and quits SDL.
void shutDown(Editor& editor);

// Opens the map named on the command line as File > Open would: a file that cannot be opened
// shows the warning and the configured map stays. An empty path does nothing.
void openMapAtStart(Editor& editor, const std::string& path);

// The whole program: start-up, opening mapPath when it is not empty, the frame loop and
// shut-down. Returns the exit status.
int runEditor(Editor& editor, const std::string& mapPath = "");
