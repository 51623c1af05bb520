// Draining SDL's events: quit, mouse focus, keys, the wheel and window resizing.
#pragma once

struct Editor;

// Handles every pending event; returns early, leaving the rest queued, when a dialog's text
// field takes a key.
void pumpEvents(Editor& editor);
