// Settings: the integer and string settings by name, as Configuration.xml gives them.
#pragma once

#include <map>
#include <string>

struct Settings {
    std::map<std::string, int> integers;
    std::map<std::string, std::string> strings;
};
