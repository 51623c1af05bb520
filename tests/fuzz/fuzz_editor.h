// The editor the fuzz targets feed: built once, on SDL's dummy video driver, in a scratch
// folder holding the bundled font, tile sheets and configuration.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "app/editor.h"

// The editor, built on first use; its message box only records what it was asked to show.
Editor& fuzzEditor();

// A path that reads back exactly `size` bytes of `data`, valid until the next call.
std::string pathHolding(const uint8_t* data, size_t size);

// Aborts, so the fuzzer keeps the input, when the map layers break a rule the editor relies
// on: every layer's cells fill its grid, the layer count matches the design window, every
// scroll position lies inside its layer, and every cell size can be drawn.
void checkMapInvariants(Editor& editor);
