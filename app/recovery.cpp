// Keeping, offering and removing the recovery copy.
#include "app/recovery.h"

#include <cstdio>

#include "app/caption.h"
#include "app/editor.h"
#include "app/main_loop.h"
#include "io/map_file.h"
#include "io/save_file.h"
#include "platform/question_box.h"

namespace {
const char kQuestionTitle[] = "Recover unsaved work";

int autosaveSeconds(const Editor& editor) {
    const auto setting = editor.settings.integers.find("AutosaveSeconds");
    if (setting == editor.settings.integers.end()) return kDefaultAutosaveSeconds;
    return setting->second > 0 ? setting->second : 0;
}

Uint32 autosaveMs(const Editor& editor) {
    return static_cast<Uint32>(autosaveSeconds(editor)) * 1000u;
}

std::string timeText(std::time_t time) {
    std::tm local{};
    char text[64] = "";
    if (localtime_r(&time, &local)) std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &local);
    return text;
}

void reportFailure(Editor& editor, const std::string& reason) {
    RecoveryState& recovery = editor.recovery;
    if (recovery.failureReported) return;
    recovery.failureReported = true;
    setCaption(editor, currentMapLayer(editor),
               "the recovery copy could not be written (" + reason + "); it is tried again later");
}

// A write that failed is tried again after AutosaveSeconds, as a change would be.
void tryAgainLater(Editor& editor, Uint32 now, const std::string& reason) {
    editor.recovery.pending = true;
    editor.recovery.pendingSince = now;
    reportFailure(editor, reason);
}

RecoveryNote noteNow(Editor& editor) {
    RecoveryNote note;
    note.mapPath = editor.mapFilePath;
    note.writtenAt = std::time(nullptr);
    note.process = editor.recovery.own.note.process;
    return note;
}

void startWrite(Editor& editor, Uint32 now) {
    RecoveryState& recovery = editor.recovery;
    recovery.pending = false;
    std::string error;
    if (!makeRecoveryFolder(recovery.folder, error)) {
        tryAgainLater(editor, now, error);
        return;
    }
    if (!recovery.writer.start(mapLayersInOrder(editor), editor.savedMapFingerprint,
                               recovery.own.mapFile, recovery.own.noteFile,
                               noteText(noteNow(editor)))) {
        tryAgainLater(editor, now, recovery.writer.error());
    }
}

// Opens the copy as the unsaved map of its original file, and makes it this editor's copy.
void recover(Editor& editor, const RecoveryCopy& copy) {
    if (!loadMap(editor, copy.mapFile)) return;
    editor.mapFilePath = copy.note.mapPath;
    editor.mapFileName = copy.note.mapPath.empty() ? "" : baseName(copy.note.mapPath);
    // The Save dialog offers the original file, which it then replaces without asking.
    if (!copy.note.mapPath.empty()) editor.lastMapPath = copy.note.mapPath;
    markMapUnsaved(editor);
    setCaption(editor, currentMapLayer(editor), "");
    RecoveryState& recovery = editor.recovery;
    RecoveryNote note = copy.note;
    note.process = recovery.own.note.process;
    std::string error;
    if (std::rename(copy.mapFile.c_str(), recovery.own.mapFile.c_str()) == 0 &&
        writeFileReplacing(recovery.own.noteFile, noteText(note), error)) {
        std::remove(copy.noteFile.c_str());
        return;
    }
    // Another editor took the copy first: this one writes its own at once.
    recovery.pending = true;
    recovery.pendingSince = SDL_GetTicks() - autosaveMs(editor);
}
}  // namespace

void startRecovery(Editor& editor) {
    RecoveryState& recovery = editor.recovery;
    recovery.folder = recoveryFolder();
    if (recovery.folder.empty()) return;
    recovery.own = copyOf(recovery.folder, thisProcess());
    recovery.lastSeenChanges = editor.history.changes();
}

void offerRecovery(Editor& editor, const std::string& commandLineMap) {
    const RecoveryState& recovery = editor.recovery;
    if (recovery.folder.empty()) return;
    for (const RecoveryCopy& copy : orphanedCopies(recovery.folder, commandLineMap)) {
        const std::string map = copy.note.mapPath.empty()
                                    ? "The untitled map"
                                    : "The map " + baseName(copy.note.mapPath);
        const int answer = editor.questionBox->choose(
            kQuestionTitle,
            map + " had changes that were not saved when the editor stopped at " +
                timeText(copy.note.writtenAt) + ". Recover them?",
            {"_Recover", "_Discard"});
        if (answer == 0) {
            recover(editor, copy);
            return;
        }
        if (answer != 1) return;
        removeCopy(copy);
    }
}

void keepRecoveryCopy(Editor& editor, Uint32 now) {
    RecoveryState& recovery = editor.recovery;
    if (recovery.folder.empty()) return;
    switch (recovery.writer.poll()) {
        case RecoveryWriter::Outcome::Written:
        case RecoveryWriter::Outcome::Removed:
            recovery.failureReported = false;
            break;
        case RecoveryWriter::Outcome::Failed:
            tryAgainLater(editor, now, recovery.writer.error());
            break;
        case RecoveryWriter::Outcome::Writing:
        case RecoveryWriter::Outcome::Idle:
            break;
    }
    const uint64_t changes = editor.history.changes();
    if (changes != recovery.lastSeenChanges) {
        recovery.lastSeenChanges = changes;
        if (!recovery.pending) recovery.pendingSince = now;
        recovery.pending = true;
    }
    const Uint32 wait = autosaveMs(editor);
    if (wait == 0 || !recovery.pending || recovery.writer.busy()) return;
    // The first writes to each page after the fork cost the frame that makes them (the screen
    // is redrawn whole), so the write starts in a frame between strokes, while nothing is
    // painted; a button held on and on waits at most as long again.
    const Uint32 waited = now - recovery.pendingSince;
    if (waited >= wait && (!buttonHeld(editor.mouseButtons) || waited >= 2 * wait))
        startWrite(editor, now);
}

bool recoveryDue(const Editor& editor, Uint32 now) {
    const RecoveryState& recovery = editor.recovery;
    if (recovery.folder.empty()) return false;
    if (recovery.writer.busy()) return recovery.writer.ended();
    return autosaveMs(editor) > 0 &&
           (editor.history.changes() != recovery.lastSeenChanges ||
            (recovery.pending && now - recovery.pendingSince >= autosaveMs(editor)));
}

void recoveryNotNeeded(Editor& editor) {
    RecoveryState& recovery = editor.recovery;
    if (recovery.folder.empty()) return;
    recovery.writer.stop();
    removeCopy(recovery.own);
    recovery.lastSeenChanges = editor.history.changes();
    recovery.pending = false;
    recovery.failureReported = false;
}

void discardRecoveryCopy(Editor& editor) {
    RecoveryState& recovery = editor.recovery;
    if (recovery.folder.empty()) return;
    recovery.writer.stop();
    removeCopy(recovery.own);
    recovery.pending = true;
    recovery.pendingSince = SDL_GetTicks();
}

void finishRecovery(Editor& editor, bool terminated) {
    RecoveryState& recovery = editor.recovery;
    if (recovery.folder.empty()) return;
    if (terminated && autosaveMs(editor) > 0 && mapChangedSinceSaved(editor)) {
        // Told to quit at once with work unsaved: the copy is brought up to date and kept.
        if (recovery.writer.poll(true) == RecoveryWriter::Outcome::Failed) recovery.pending = true;
        std::string error;
        const bool behind =
            recovery.pending || editor.history.changes() != recovery.lastSeenChanges;
        if (behind && makeRecoveryFolder(recovery.folder, error)) {
            writeRecoveryCopy(mapLayersInOrder(editor), editor.savedMapFingerprint,
                              recovery.own.mapFile, recovery.own.noteFile,
                              noteText(noteNow(editor)), error);
        }
        return;
    }
    recovery.writer.stop();
    removeCopy(recovery.own);
}
