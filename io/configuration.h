// Reading "Configuration.xml" into the editor's integer and string settings.
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
