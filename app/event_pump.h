// Draining SDL's events: quit, mouse focus, keys, the wheel and window resizing.
#pragma once

struct Editor;

// Handles every pending event; returns early, leaving the rest queued, when a dialog's text
// field takes a key.
void pumpEvents(Editor& editor);

// After SDL has started: remembers a termination signal (SIGTERM, SIGINT) before SDL turns it
// into its quit event, so that the quit it causes skips the unsaved-changes question.
void watchForTermination();
bool terminationRequested();
