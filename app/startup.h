// Start-up after the interface is built, and shut-down.
#pragma once

struct Editor;

// Loads the two tile sheets, counts the tiles and, when the sheets are narrower than three
// quarters of the screen, lays the palette out as one cell per tile.
void loadTileSheets(Editor& editor);

// Frees the layers and windows, the cursors and the screen, and quits SDL.
void shutDown(Editor& editor);

// The whole program: start-up, the frame loop and shut-down. Returns the exit status.
int runEditor(Editor& editor);
