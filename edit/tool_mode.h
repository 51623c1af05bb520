// ToolMode: what holding a mouse button over the map does, as chosen in the Edit menu.
#pragma once

enum class ToolMode : int { Draw, Fill, DrawRandom, FillRandom };

// Fill and Fill Random flood a region with the brush pattern; the other two stamp the brush.
inline bool isFill(ToolMode mode) {
    return mode == ToolMode::Fill || mode == ToolMode::FillRandom;
}
