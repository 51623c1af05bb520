// Reading "Configuration.xml" into the editor's integer and string settings.
#pragma once

#include <string>

struct Editor;

// Fills the settings from the first top-level "Data" element: every "integer" child first,
// then every "string" child. A missing or malformed file leaves the settings as they are.
void readConfiguration(Editor& editor, const std::string& path);
