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

// Aborts, so the fuzzer keeps the input, when a layer breaks a rule the editor relies on: its
// cells fill its grid and no more than a layer may hold, its scroll position lies inside it,
// and its cell size can be drawn.
void checkLayerRules(const MapLayer& layer);

// The same for every map layer, and the layer count matches the design window.
void checkMapInvariants(Editor& editor);
