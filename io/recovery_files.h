// Recovery copies: where they live, how they are named, and the note beside each that says whose
// map it is, when it was written and by which editor.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

// A running process, told apart from any later one that reuses its number: its number, when it
// started (in clock ticks since the machine started) and the machine's boot.
struct ProcessIdentity {
    long pid = 0;
    unsigned long long started = 0;
    std::string boot;
};

// The process of that number as it is now (started 0 when there is none), and this process.
ProcessIdentity processIdentity(long pid);
ProcessIdentity thisProcess();
// True while that very process runs.
bool processRunning(const ProcessIdentity& process);

// The folder recovery copies live in: $XDG_STATE_HOME/velloran/recovery, or
// ~/.local/state/velloran/recovery when XDG_STATE_HOME is not set (or not absolute). "" when
// neither can be told.
std::string recoveryFolder();
// Makes the folder and the ones above it, private to the user; false (and why) when it cannot.
bool makeRecoveryFolder(const std::string& folder, std::string& error);

// What the note beside a copy says.
struct RecoveryNote {
    std::string mapPath;  // the map's own file; "" for an untitled map
    std::time_t writtenAt = 0;
    ProcessIdentity process;  // the editor that wrote the copy
};

std::string noteText(const RecoveryNote& note);
// False for text that is no note.
bool readNoteText(const std::string& text, RecoveryNote& note);

// The copy of one editor: its map file and the note beside it.
struct RecoveryCopy {
    std::string mapFile;
    std::string noteFile;
    RecoveryNote note;
};

// The copy the process keeps in the folder.
RecoveryCopy copyOf(const std::string& folder, const ProcessIdentity& process);

// The copies in the folder whose editors are no longer running, with a map file and a note:
// those of the map `firstFor` names (when not "") first, then the newest first. The temporary
// files of writes those editors did not finish are removed on the way.
std::vector<RecoveryCopy> orphanedCopies(const std::string& folder, const std::string& firstFor);

// Removes the copy's map file and note, and what an unfinished write of either left behind.
void removeCopy(const RecoveryCopy& copy);
