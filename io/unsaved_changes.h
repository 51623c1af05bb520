// Asking before a changed map is left: by Exit, closing the window, File > New or File > Open.
#pragma once

struct Editor;

// True when the action that leaves the map may go on: the map has not changed since it was
// opened, created or saved, or the user chose Discard, or Save and the save succeeded. Save
// writes to the map's file, or asks for one when the map has none yet; a cancelled or failed
// save, Cancel, Escape and closing the question all keep the map and cancel the action.
bool mayLeaveMap(Editor& editor);
