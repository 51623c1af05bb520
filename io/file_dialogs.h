// Asking the user for the map file to open or to save.
#pragma once

#include <string>

struct Editor;

// The chosen path, or "" when the dialog was cancelled. Both dialogs open on the path chosen
// last in either of them.
std::string askOpenMapFile(Editor& editor);
std::string askSaveMapFile(Editor& editor);

// Makes both dialogs open in folder until a file is chosen in one of them.
void startDialogsIn(Editor& editor, const std::string& folder);
