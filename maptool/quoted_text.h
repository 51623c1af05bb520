// Text from a file as a message quotes it: a message stays one short line, whatever the file
// holds.
#pragma once

#include <string>

// The longest part of a text a message quotes, in the bytes the message shows.
constexpr size_t kMostQuoted = 40;

// `text` in double quotes: as much of it as shows in kMostQuoted bytes (whole UTF-8 characters),
// then "..." when there is more; control characters and bytes that are not UTF-8 text shown as
// \xNN.
std::string quoted(const std::string& text);

// A word from a file (an encoding, a kind of layer) as a message names it: as it is when it is
// a short word of letters and digits, else quoted.
std::string named(const std::string& word);
