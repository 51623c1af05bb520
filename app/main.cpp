// The program's entry point: the command line, the data folder, then the editor.
#include <SDL.h>
#include <unistd.h>

#include <cstdlib>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/editor.h"
#include "app/startup.h"
#include "io/configuration.h"
#include "io/file_dialogs.h"

namespace {
std::string currentFolder() {
    std::vector<char> buffer(4096);
    return getcwd(buffer.data(), buffer.size()) ? std::string(buffer.data()) : std::string();
}

// Relative names on the command line mean the folder the editor was started from, even after
// it has moved into its data folder.
std::string fromFolder(const std::string& folder, const std::string& path) {
    if (path.empty() || path[0] == '/' || folder.empty()) return path;
    return folder + "/" + path;
}
}  // namespace

int main(int argc, char** argv) {
    const CommandLine line = parseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    switch (line.action) {
        case CommandLineAction::ShowHelp:
            std::cout << usageText();
            return 0;
        case CommandLineAction::ShowVersion:
            std::cout << kEditorTitle << "\n";
            return 0;
        case CommandLineAction::Refuse:
            std::cerr << "velloran: " << line.problem << "\n" << usageText();
            return 2;
        case CommandLineAction::RunEditor:
            break;
    }

    // The editor reads its configuration, font and sheets from the working directory. Started
    // from a folder without a configuration, an installed editor reads the data installed with
    // it instead, and its file dialogs open in the folder it was started from.
    const std::string startFolder = currentFolder();
    const std::string mapPath = fromFolder(startFolder, line.mapPath);
    bool movedToData = false;
    if (access("Configuration.xml", F_OK) != 0) {
        const std::string data = installedDataFolder(runningProgramPath(), kDataFromProgram);
        movedToData = !data.empty() && chdir(data.c_str()) == 0;
    }

    Editor& editor = Editor::instance();
    if (movedToData && !startFolder.empty()) startDialogsIn(editor, startFolder);
    int status = 1;
    try {
        status = runEditor(editor, mapPath);
    } catch (const std::exception& failure) {
        // Nothing the editor reads may end it this way; should anything still do so, it says
        // what, instead of leaving the C++ runtime to abort.
        std::cerr << "velloran: stopped by an unexpected failure: " << failure.what() << "\n";
    }
    // The editor's destructor runs at exit, after SDL has been shut down.
    std::exit(status);
}
