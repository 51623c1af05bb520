// Reading "Configuration.xml" into the settings, and finding the data installed with the editor.
#pragma once

#include <string>

struct Editor;

// Fills the settings from the first top-level "Data" element: every "integer" child first,
// then every "string" child. A missing or malformed file leaves the settings as they are.
void readConfiguration(Editor& editor, const std::string& path);

// The file's bytes with CR LF and lone CR line ends read as LF; "" when it cannot be read.
std::string readConfigurationFile(const std::string& path);

// Fills the settings from configuration text, as readConfiguration does from a file.
void parseConfiguration(Editor& editor, const std::string& text);

// The installed data folder (configuration, font and sheets) of the program at programPath:
// dataFromProgram taken from the program's folder, when it holds a Configuration.xml; else "".
std::string installedDataFolder(const std::string& programPath, const std::string& dataFromProgram);

// The relative path from the installed program's folder to its data folder ("../share/velloran"
// in a standard install).
extern const char kDataFromProgram[];

// The running program's file, or "" when the system does not say.
std::string runningProgramPath();
