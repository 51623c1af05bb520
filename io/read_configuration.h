// Reading "Configuration.xml" into the editor's settings, telling the user when it is refused.
#pragma once

#include <string>

struct Editor;

// As loadConfiguration, with a refused file named, with its reason, in a warning box.
void readConfiguration(Editor& editor, const std::string& path);
