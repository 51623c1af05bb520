// The configuration reader.
#include "io/configuration.h"

#include <sys/stat.h>
#include <tinyxml.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "io/mapped_file.h"

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

void readIntegers(Settings& settings, const TiXmlElement* data) {
    for (const TiXmlElement* e = data->FirstChildElement("integer"); e;
         e = e->NextSiblingElement()) {
        if (std::strcmp(e->Value(), "integer") != 0) continue;
        const char* name = attributeNamed(e, "Name");
        if (!name) continue;
        const char* value = attributeNamed(e, "Value");
        settings.integers[name] = value ? leadingInteger(value) : 0;
    }
}

void readStrings(Settings& settings, const TiXmlElement* data) {
    for (const TiXmlElement* e = data->FirstChildElement("string"); e;
         e = e->NextSiblingElement()) {
        if (std::strcmp(e->Value(), "string") != 0) continue;
        const char* name = attributeNamed(e, "Name");
        const char* value = attributeNamed(e, "Value");
        if (!name || !value) continue;
        settings.strings[name] = value;
    }
}

// TinyXML reads nested elements by recursion, so a file that nests thousands deep exhausts
// the stack; and it checks each attribute against every earlier one of its element, so
// hundreds of thousands of them take minutes. A real configuration nests two deep and gives
// each element two attributes, and holds a few kilobytes.
constexpr int kDeepestNesting = 64;
constexpr int kMostAttributes = 64;
constexpr size_t kLargestConfiguration = size_t{1} << 20;

bool isBlank(char c) {
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

// Where TinyXML sees an element's name begin: a letter, '_' or any byte from 127 up.
bool startsName(unsigned char c) {
    return c >= 127 || std::isalpha(c) || c == '_';
}

bool startsWithAnyCase(const std::string& text, size_t at, const char* word) {
    for (size_t i = 0; word[i]; ++i) {
        if (at + i >= text.size() ||
            std::tolower(static_cast<unsigned char>(text[at + i])) != word[i]) {
            return false;
        }
    }
    return true;
}

// The end of the XML declaration that starts at `at`. TinyXML reads the quoted values of its
// version, encoding and standalone attributes, where a '>' does not end it, and steps over
// anything else up to a blank or a '>'.
size_t declarationEnd(const std::string& text, size_t at) {
    size_t i = at + 5;
    while (i < text.size() && text[i] != '>') {
        while (i < text.size() && isBlank(text[i])) ++i;
        if (startsWithAnyCase(text, i, "version") || startsWithAnyCase(text, i, "encoding") ||
            startsWithAnyCase(text, i, "standalone")) {
            while (i < text.size() && text[i] != '=' && text[i] != '>') ++i;
            if (i < text.size() && text[i] == '=') ++i;
            while (i < text.size() && isBlank(text[i])) ++i;
            if (i < text.size() && (text[i] == '"' || text[i] == '\'')) {
                const size_t close = text.find(text[i], i + 1);
                i = close == std::string::npos ? text.size() : close + 1;
            }
            continue;
        }
        while (i < text.size() && text[i] != '>' && !isBlank(text[i])) ++i;
    }
    return i;
}

// What makes `text` unsafe for TinyXML, or "". The markup is divided as TinyXML divides it
// (comments, character data, declarations, other "<!" and "<?" nodes, end tags and element
// tags with their quoted values) far enough to count how deep elements nest and how many
// attributes each has. Where the division could part from TinyXML's, the markup is
// malformed, and TinyXML stops reading there.
std::string markupProblem(const std::string& text) {
    int depth = 0;
    size_t i = 0;
    const auto skipPast = [&](const char* end) {
        const size_t at = text.find(end, i);
        i = at == std::string::npos ? text.size() : at + std::strlen(end);
    };
    while ((i = text.find('<', i)) != std::string::npos) {
        if (startsWithAnyCase(text, i, "<?xml")) {
            i = declarationEnd(text, i);
        } else if (text.compare(i, 4, "<!--") == 0) {
            i += 4;  // "<!-->" does not end the comment it starts
            skipPast("-->");
        } else if (text.compare(i, 9, "<![CDATA[") == 0) {
            i += 9;
            skipPast("]]>");
        } else if (text.compare(i, 2, "</") == 0) {
            // At the top level an end tag is a node of its own, which closes nothing.
            depth = std::max(depth - 1, 0);
            skipPast(">");
        } else if (i + 1 < text.size() && startsName(static_cast<unsigned char>(text[i + 1]))) {
            int attributes = 0;
            char quote = 0;
            for (++i; i < text.size() && (quote || text[i] != '>'); ++i) {
                if (quote) {
                    if (text[i] == quote) quote = 0;
                } else if (text[i] == '"' || text[i] == '\'') {
                    quote = text[i];
                } else if (text[i] == '=' && ++attributes > kMostAttributes) {
                    return "an element has more than " + std::to_string(kMostAttributes) +
                           " attributes";
                }
            }
            // An empty element is read one level down too, though nothing nests inside it.
            if (depth + 1 > kDeepestNesting) {
                return "its elements nest more than " + std::to_string(kDeepestNesting) + " deep";
            }
            if (i < text.size() && text[i - 1] != '/') ++depth;
        } else {
            skipPast(">");
        }
    }
    return {};
}

// The file's bytes with CR LF and lone CR line ends read as LF, or false with the reason it
// cannot be read. A missing file is not read, without a reason.
bool readConfigurationFile(const std::string& path, std::string& text, std::string& reason) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0 && errno == ENOENT) return false;
    MappedFile file;
    if (!file.open(path, reason, kLargestConfiguration)) return false;
    // Line ends are read as the XML reader's own file loading reads them.
    const char* bytes = reinterpret_cast<const char*>(file.data());
    text.reserve(file.size());
    for (size_t i = 0; i < file.size(); ++i) {
        if (bytes[i] == '\r') {
            text.push_back('\n');
            if (i + 1 < file.size() && bytes[i + 1] == '\n') ++i;
        } else {
            text.push_back(bytes[i]);
        }
    }
    return true;
}
}  // namespace

bool parseConfiguration(Settings& settings, const std::string& text, std::string& reason) {
    reason = markupProblem(text);
    if (!reason.empty()) return false;
    // TinyXML steps over a multi-byte UTF-8 character by its lead byte without looking for the
    // end of the text, so a file cut inside one would be read past its end. Zero bytes beyond
    // the longest such step end the parse wherever it lands.
    const size_t padding = 8;
    std::vector<char> padded(text.size() + padding, '\0');
    std::copy(text.begin(), text.end(), padded.begin());
    TiXmlDocument document;
    document.Parse(padded.data());
    if (document.Error()) return true;
    const TiXmlElement* data = document.FirstChildElement("Data");
    if (!data) return true;
    readIntegers(settings, data);
    readStrings(settings, data);
    return true;
}

bool loadConfiguration(Settings& settings, const std::string& path, std::string& reason) {
    std::string text;
    if (!readConfigurationFile(path, text, reason)) return reason.empty();
    return parseConfiguration(settings, text, reason);
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
    // Only looked at, not opened: a FIFO in its place would keep the open waiting.
    struct stat info {};
    return stat((folder + "/Configuration.xml").c_str(), &info) == 0 ? folder : std::string();
}

std::string runningProgramPath() {
    std::vector<char> buffer(4096);
    const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (length <= 0 || static_cast<size_t>(length) >= buffer.size()) return {};
    return std::string(buffer.data(), static_cast<size_t>(length));
}
