// Reading the editor's command line.
#include "app/command_line.h"

CommandLine parseCommandLine(const std::vector<std::string>& arguments) {
    CommandLine line;
    bool help = false;
    bool version = false;
    bool optionsEnded = false;
    int files = 0;
    for (const std::string& argument : arguments) {
        if (!optionsEnded && argument == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && argument.size() > 1 && argument[0] == '-') {
            if (argument == "--help" || argument == "-h") {
                help = true;
            } else if (argument == "--version") {
                version = true;
            } else if (line.problem.empty()) {
                line.problem = "unknown option '" + argument + "'";
            }
        } else if (++files == 1) {
            line.mapPath = argument;
        } else if (line.problem.empty()) {
            line.problem = "only one map file can be opened, '" + argument + "' is one too many";
        }
    }
    if (!line.problem.empty()) {
        line.action = CommandLineAction::Refuse;
        line.mapPath.clear();
    } else if (help) {
        line.action = CommandLineAction::ShowHelp;
    } else if (version) {
        line.action = CommandLineAction::ShowVersion;
    }
    return line;
}

std::string usageText() {
    return "Usage: velloran [FILE.map]\n"
           "       velloran --help | --version\n"
           "\n"
           "Starts the Velloran tile-map editor, opening FILE.map when one is given.\n"
           "\n"
           "  -h, --help     print this help and exit\n"
           "      --version  print the version and exit\n";
}
