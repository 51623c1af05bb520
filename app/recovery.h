// Recovery of unsaved work: while the map has unsaved changes the editor keeps a copy of it in
// the user's state folder, written in the background at most AutosaveSeconds after a change; at
// start it offers the copies of editors that stopped without saving.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <string>

#include "io/recovery_files.h"
#include "io/recovery_writer.h"

struct Editor;

// How long after a change the copy is written unless Configuration.xml's AutosaveSeconds says
// otherwise; 0 turns copies off.
constexpr int kDefaultAutosaveSeconds = 30;

struct RecoveryState {
    std::string folder;  // "" while recovery is off
    RecoveryCopy own;    // this editor's copy
    RecoveryWriter writer;
    // The history's change count when the editor last looked.
    uint64_t lastSeenChanges = 0;
    // Set, with the time it was first seen, while a change is in no copy and no write.
    bool pending = false;
    Uint32 pendingSince = 0;
    bool failureReported = false;
};

// Turns recovery on for this editor, in the user's state folder, unless AutosaveSeconds is 0.
void startRecovery(Editor& editor);

// At start: asks about each copy that an editor no longer running left ("Recover unsaved
// work"), the copy of `commandLineMap` first. Recover opens the copy as an unsaved map that
// belongs to its original file, and asks no more; Discard removes the copy and asks about the
// next; Escape keeps it for next time and asks no more.
void offerRecovery(Editor& editor, const std::string& commandLineMap);

// Once a frame, before drawing: reaps a finished write (reporting a failure once on the status
// line, to be tried again later) and starts one when a change has waited AutosaveSeconds, in a
// frame without a button held unless one has been held as long again.
void keepRecoveryCopy(Editor& editor, Uint32 now);
// True when keepRecoveryCopy has something to do by `now`: an idle editor wakes for it.
bool recoveryDue(const Editor& editor, Uint32 now);

// The map is as its file holds it (opened, created, saved): no copy is needed.
void recoveryNotNeeded(Editor& editor);
// The user let go of the unsaved changes: the copy goes, but should the map stay (the action
// that discarded them was cancelled after all) a new copy follows.
void discardRecoveryCopy(Editor& editor);

// As the editor stops: a clean exit removes the copy; one forced by a termination signal while
// the map has unsaved changes brings the copy up to date and keeps it.
void finishRecovery(Editor& editor, bool terminated);
