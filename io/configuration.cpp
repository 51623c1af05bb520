// The configuration reader.
#include "io/configuration.h"

#include <tinyxml.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include "app/editor.h"

namespace {
// atoi's reading of a number (leading blanks, a sign, the digits up to the first other
// character, 0 without digits), with values beyond an int held at its limits instead of
// overflowing.
int leadingInteger(const char* text) {
    long value = std::strtol(text, nullptr, 10);
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

// The value of the attribute whose name matches exactly, or null.
const char* attributeNamed(const TiXmlElement* element, const char* name) {
    for (const TiXmlAttribute* a = element->FirstAttribute(); a; a = a->Next()) {
        if (std::strcmp(a->Name(), name) == 0) return a->Value();
    }
    return nullptr;
}

void readIntegers(Editor& editor, const TiXmlElement* data) {
    for (const TiXmlElement* e = data->FirstChildElement("integer"); e;
         e = e->NextSiblingElement()) {
        if (std::strcmp(e->Value(), "integer") != 0) continue;
        const char* name = attributeNamed(e, "Name");
        if (!name) continue;
        const char* value = attributeNamed(e, "Value");
        intSetting(editor, name) = value ? leadingInteger(value) : 0;
    }
}

void readStrings(Editor& editor, const TiXmlElement* data) {
    for (const TiXmlElement* e = data->FirstChildElement("string"); e;
         e = e->NextSiblingElement()) {
        if (std::strcmp(e->Value(), "string") != 0) continue;
        const char* name = attributeNamed(e, "Name");
        const char* value = attributeNamed(e, "Value");
        if (!name || !value) continue;
        editor.stringSettings[name] = value;
    }
}
}  // namespace

std::string readConfigurationFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return {};
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    // Line ends are read as the XML reader's own file loading reads them.
    std::string normalised;
    normalised.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            normalised.push_back('\n');
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            normalised.push_back(text[i]);
        }
    }
    return normalised;
}

void parseConfiguration(Editor& editor, const std::string& text) {
    // TinyXML steps over a multi-byte UTF-8 character by its lead byte without looking for the
    // end of the text, so a file cut inside one would be read past its end. Zero bytes beyond
    // the longest such step end the parse wherever it lands.
    const size_t padding = 8;
    std::vector<char> padded(text.size() + padding, '\0');
    std::copy(text.begin(), text.end(), padded.begin());
    TiXmlDocument document;
    document.Parse(padded.data());
    if (document.Error()) return;
    const TiXmlElement* data = document.FirstChildElement("Data");
    if (!data) return;
    readIntegers(editor, data);
    readStrings(editor, data);
}

void readConfiguration(Editor& editor, const std::string& path) {
    std::ifstream probe(path, std::ios::binary);
    if (!probe) return;
    parseConfiguration(editor, readConfigurationFile(path));
}

#ifndef VELLORAN_DATA_FROM_PROGRAM
#define VELLORAN_DATA_FROM_PROGRAM "../share/velloran"
#endif
const char kDataFromProgram[] = VELLORAN_DATA_FROM_PROGRAM;

std::string installedDataFolder(const std::string& programPath,
                                const std::string& dataFromProgram) {
    const std::string::size_type slash = programPath.rfind('/');
    if (slash == std::string::npos) return {};
    const std::string folder = programPath.substr(0, slash + 1) + dataFromProgram;
    std::ifstream probe(folder + "/Configuration.xml", std::ios::binary);
    return probe ? folder : std::string();
}

std::string runningProgramPath() {
    std::vector<char> buffer(4096);
    const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (length <= 0 || static_cast<size_t>(length) >= buffer.size()) return {};
    return std::string(buffer.data(), static_cast<size_t>(length));
}
