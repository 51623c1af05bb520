// The recovery folder, the copies' names and notes, and telling whose editor still runs.
#include "io/recovery_files.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

#include "io/mapped_file.h"

namespace {
constexpr char kNoteHeading[] = "velloran recovery note 1";
// A note is a few lines; anything longer is no note.
constexpr size_t kLargestNote = 64 * 1024;

// The first line of a small file of the system's, without its line end; "" when unreadable.
std::string firstLine(const std::string& path) {
    std::ifstream in(path);
    std::string line;
    std::getline(in, line);
    return line.substr(0, 256);
}

// When the process started, in clock ticks after the machine did: field 22 of its stat line.
// 0 when it does not exist.
unsigned long long startOf(long pid) {
    const std::string stat = firstLine("/proc/" + std::to_string(pid) + "/stat");
    // The command name in field 2 may hold spaces and parentheses: count from its end.
    const size_t nameEnd = stat.rfind(')');
    if (nameEnd == std::string::npos) return 0;
    std::istringstream fields(stat.substr(nameEnd + 1));
    std::string field;
    for (int i = 3; i <= 22 && fields >> field; ++i) {
        if (i == 22) return std::strtoull(field.c_str(), nullptr, 10);
    }
    return 0;
}

std::string bootId() {
    return firstLine("/proc/sys/kernel/random/boot_id");
}

// A path on one line: backslashes and line ends escaped.
std::string escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\\') {
            out += "\\\\";
        } else if (c == '\n') {
            out += "\\n";
        } else {
            out += c;
        }
    }
    return out;
}

std::string unescaped(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size()) {
            out += text[++i] == 'n' ? '\n' : text[i];
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string baseOf(const ProcessIdentity& process) {
    return std::to_string(process.pid) + "-" + std::to_string(process.started);
}

bool readNoteFile(const std::string& path, RecoveryNote& note) {
    MappedFile file;
    std::string error;
    if (!file.open(path, error, kLargestNote)) return false;
    return readNoteText(std::string(reinterpret_cast<const char*>(file.data()), file.size()), note);
}

bool isFile(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

// Removes the temporary files an unfinished write of `name` in `folder` left: the save writer
// names them "." + name + "~" and six characters.
void removeUnfinished(const std::string& folder, const std::string& name) {
    DIR* dir = opendir(folder.c_str());
    if (!dir) return;
    const std::string prefix = "." + name + "~";
    while (const dirent* entry = readdir(dir)) {
        const std::string found = entry->d_name;
        if (found.size() == prefix.size() + 6 && found.compare(0, prefix.size(), prefix) == 0)
            unlink((folder + "/" + found).c_str());
    }
    closedir(dir);
}

std::string folderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : path.substr(0, slash);
}

std::string nameOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The same file, for a copy's map and the map named on the command line.
bool sameFile(const std::string& a, const std::string& b) {
    struct stat first {
    }, second{};
    return stat(a.c_str(), &first) == 0 && stat(b.c_str(), &second) == 0 &&
           first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}
}  // namespace

ProcessIdentity processIdentity(long pid) {
    return ProcessIdentity{pid, startOf(pid), bootId()};
}

ProcessIdentity thisProcess() {
    return processIdentity(static_cast<long>(getpid()));
}

bool processRunning(const ProcessIdentity& process) {
    if (process.pid <= 0 || process.boot != bootId()) return false;
    const unsigned long long started = startOf(process.pid);
    return started != 0 && started == process.started;
}

std::string recoveryFolder() {
    const char* state = std::getenv("XDG_STATE_HOME");
    if (state && state[0] == '/') return std::string(state) + "/velloran/recovery";
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/') return std::string(home) + "/.local/state/velloran/recovery";
    return "";
}

bool makeRecoveryFolder(const std::string& folder, std::string& error) {
    for (size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
        const std::string part = folder.substr(0, slash);
        if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) {
            error = part + ": " + std::strerror(errno);
            return false;
        }
        if (slash == std::string::npos) break;
    }
    struct stat info {};
    if (stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
        error = folder + ": not a folder";
        return false;
    }
    return true;
}

std::string noteText(const RecoveryNote& note) {
    return std::string(kNoteHeading) + "\nmap=" + escaped(note.mapPath) +
           "\ntime=" + std::to_string(static_cast<long long>(note.writtenAt)) +
           "\npid=" + std::to_string(note.process.pid) +
           "\nstarted=" + std::to_string(note.process.started) + "\nboot=" + note.process.boot +
           "\n";
}

bool readNoteText(const std::string& text, RecoveryNote& note) {
    std::istringstream lines(text);
    std::string line;
    if (!std::getline(lines, line) || line != kNoteHeading) return false;
    int found = 0;
    while (std::getline(lines, line)) {
        const size_t equals = line.find('=');
        if (equals == std::string::npos) continue;
        const std::string key = line.substr(0, equals), value = line.substr(equals + 1);
        if (key == "map") {
            note.mapPath = unescaped(value);
        } else if (key == "time") {
            note.writtenAt = static_cast<std::time_t>(std::strtoll(value.c_str(), nullptr, 10));
        } else if (key == "pid") {
            note.process.pid = std::strtol(value.c_str(), nullptr, 10);
        } else if (key == "started") {
            note.process.started = std::strtoull(value.c_str(), nullptr, 10);
        } else if (key == "boot") {
            note.process.boot = value;
        } else {
            continue;
        }
        ++found;
    }
    return found == 5;
}

RecoveryCopy copyOf(const std::string& folder, const ProcessIdentity& process) {
    RecoveryCopy copy;
    copy.mapFile = folder + "/" + baseOf(process) + ".map";
    copy.noteFile = folder + "/" + baseOf(process) + ".note";
    copy.note.process = process;
    return copy;
}

std::vector<RecoveryCopy> orphanedCopies(const std::string& folder, const std::string& firstFor) {
    std::vector<RecoveryCopy> copies;
    DIR* dir = opendir(folder.c_str());
    if (!dir) return copies;
    std::vector<std::string> notes;
    while (const dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.size() > 5 && name[0] != '.' && name.compare(name.size() - 5, 5, ".note") == 0)
            notes.push_back(name);
    }
    closedir(dir);
    for (const std::string& name : notes) {
        RecoveryNote note;
        if (!readNoteFile(folder + "/" + name, note) || processRunning(note.process)) continue;
        // Only the writer's own copy counts: a note names the editor, and its name says so too.
        RecoveryCopy copy = copyOf(folder, note.process);
        if (nameOf(copy.noteFile) != name) continue;
        copy.note = note;
        removeUnfinished(folder, nameOf(copy.mapFile));
        removeUnfinished(folder, nameOf(copy.noteFile));
        if (isFile(copy.mapFile)) {
            copies.push_back(copy);
        } else {
            unlink(copy.noteFile.c_str());  // its copy was removed, the note was not yet
        }
    }
    std::stable_sort(
        copies.begin(), copies.end(), [&](const RecoveryCopy& a, const RecoveryCopy& b) {
            const bool aFirst = !firstFor.empty() && sameFile(a.note.mapPath, firstFor);
            const bool bFirst = !firstFor.empty() && sameFile(b.note.mapPath, firstFor);
            if (aFirst != bFirst) return aFirst;
            return a.note.writtenAt > b.note.writtenAt;
        });
    return copies;
}

void removeCopy(const RecoveryCopy& copy) {
    for (const std::string& file : {copy.mapFile, copy.noteFile}) {
        unlink(file.c_str());
        removeUnfinished(folderOf(file), nameOf(file));
    }
}
