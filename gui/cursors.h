// The masks of the two painting cursors: 16 pixels wide, 15 rows, one big-endian row a line.
#pragma once

#include <SDL.h>

extern const Uint8 kCrosshairMask[32];
extern const Uint8 kBucketMask[32];
