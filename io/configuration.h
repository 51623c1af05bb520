// Reading "Configuration.xml" into a Settings value, and finding the data installed with the
// editor.
#pragma once

#include <string>

#include "io/settings.h"

// Fills the settings from the first top-level "Data" element: every "integer" child first,
// then every "string" child. A missing or malformed file leaves the settings as they are. So
// does a file that is refused, which returns false with `reason`: one that is not a regular
// file or cannot be read, holds more than 1 MiB, nests elements more than 64 deep or gives an
// element more than 64 attributes.
bool loadConfiguration(Settings& settings, const std::string& path, std::string& reason);

// Fills the settings from configuration text, as loadConfiguration does from a file.
bool parseConfiguration(Settings& settings, const std::string& text, std::string& reason);

// The installed data folder (configuration, font and sheets) of the program at programPath:
// dataFromProgram taken from the program's folder, when it holds a Configuration.xml; else "".
std::string installedDataFolder(const std::string& programPath, const std::string& dataFromProgram);

// The relative path from the installed program's folder to its data folder ("../share/velloran"
// in a standard install).
extern const char kDataFromProgram[];

// The running program's file, or "" when the system does not say.
std::string runningProgramPath();
