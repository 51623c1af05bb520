// Room for a layer's tiles before they are filled: a big layer is tens of megabytes, and
// filling it a small page at a time costs more than the filling itself.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Reserves room for `cells` tiles in `tiles` (which is empty), in huge pages where the system
// gives them on request, so that filling it takes a few hundred page faults rather than tens of
// thousands, and the recovery copy, which snapshots the map by forking the editor, has fewer
// pages to share.
void reserveTiles(std::vector<uint16_t>& tiles, size_t cells);
