// The editor's command line: what the arguments ask for.
#pragma once

#include <string>
#include <vector>

enum class CommandLineAction { RunEditor, ShowHelp, ShowVersion, Refuse };

struct CommandLine {
    CommandLineAction action = CommandLineAction::RunEditor;
    std::string mapPath;  // the map file to open at start-up, as given; "" for none
    std::string problem;  // why the arguments were refused
};

// Reads the arguments that follow the program's name. Arguments starting with "-" are options
// up to a "--", which makes every later one a file name. A wrong option or more than one map
// file refuses the whole line; otherwise --help comes before --version, and both before
// starting the editor.
CommandLine parseCommandLine(const std::vector<std::string>& arguments);

// How to call the editor, ending in a new line.
std::string usageText();
