// Draining SDL's events: quit, mouse focus, keys, the wheel and window resizing.
#pragma once

struct Editor;

// Handles every pending event; returns early, leaving the rest queued, when a dialog's text
// field takes a key.
void pumpEvents(Editor& editor);

// Turns on SDL's key repeat: the first repeat delayMs after a key goes down, then one every
// intervalMs while it stays down. No key counts as released before its first key-up.
void enableKeyRepeat(Editor& editor, int delayMs, int intervalMs);

// After SDL has started: remembers a termination signal (SIGTERM, SIGINT) before SDL turns it
// into its quit event, so that the quit it causes skips the unsaved-changes question.
void watchForTermination();
bool terminationRequested();
