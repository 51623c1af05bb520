// Arrow keys held down and their repeats.
#include "app/held_arrows.h"

#include <algorithm>

#include "app/editor.h"
#include "edit/scroll.h"
#include "map/map_view.h"

namespace {
// Repeats one frame may catch up on after a stall.
constexpr int kMostRepeatsAFrame = 8;
// Held this long, an arrow starts to speed up; and every as long again, it doubles.
constexpr Uint32 kSpeedUpMs = 1000;
constexpr int kFastestCellsPerRepeat = 16;

const ScrollDirection kArrowDirections[] = {ScrollDirection::Up, ScrollDirection::Down,
                                            ScrollDirection::Left, ScrollDirection::Right};
}  // namespace

void HeldArrows::setPace(Uint32 delayMs, Uint32 intervalMs) {
    delayMs_ = delayMs;
    intervalMs_ = std::max<Uint32>(intervalMs, 1);
}

HeldArrows::Arrow* HeldArrows::find(SDLKey key) {
    const auto* at = std::find(std::begin(kArrowKeys), std::end(kArrowKeys), key);
    return at == std::end(kArrowKeys) ? nullptr : &arrows_[at - std::begin(kArrowKeys)];
}

const HeldArrows::Arrow* HeldArrows::find(SDLKey key) const {
    return const_cast<HeldArrows*>(this)->find(key);
}

bool HeldArrows::press(SDLKey key, Uint32 now, bool down) {
    Arrow* arrow = find(key);
    if (!arrow) return true;
    if (arrow->held && down) return false;
    *arrow = Arrow{true, now, now + delayMs_};
    return true;
}

void HeldArrows::release(SDLKey key) {
    if (Arrow* arrow = find(key)) arrow->held = false;
}

void HeldArrows::releaseAll() {
    for (Arrow& arrow : arrows_) arrow.held = false;
}

bool HeldArrows::held(SDLKey key) const {
    const Arrow* arrow = find(key);
    return arrow && arrow->held;
}

int HeldArrows::cellsPerRepeat(Uint32 heldMs) {
    if (heldMs < kSpeedUpMs) return 1;
    const Uint32 doublings = heldMs / kSpeedUpMs;
    return doublings >= 4 ? kFastestCellsPerRepeat : 1 << doublings;
}

int HeldArrows::stepsDue(SDLKey key, Uint32 now) {
    Arrow* arrow = find(key);
    if (!arrow || !arrow->held) return 0;
    int steps = 0;
    int repeats = 0;
    // Ticks wrap after 49 days: compare differences, not times.
    while (static_cast<Sint32>(now - arrow->due) >= 0) {
        if (++repeats > kMostRepeatsAFrame) {
            arrow->due = now + intervalMs_;
            break;
        }
        steps += cellsPerRepeat(arrow->due - arrow->since);
        arrow->due += intervalMs_;
    }
    return steps;
}

bool keyIsDown(SDLKey key) {
    int count = 0;
    const Uint8* down = SDL_GetKeyState(&count);
    return key > SDLK_UNKNOWN && key < count && down[key];
}

bool arrowsHeldDown(const Editor& editor) {
    return std::any_of(std::begin(kArrowKeys), std::end(kArrowKeys),
                       [&](SDLKey key) { return editor.heldArrows.held(key) && keyIsDown(key); });
}

void repeatHeldArrows(Editor& editor, Uint32 now) {
    const Window* window = findWindow(editor, editor.focusName);
    for (size_t i = 0; i < std::size(kArrowKeys); ++i) {
        const SDLKey key = kArrowKeys[i];
        // A key-up lost to the window system must not scroll on for ever.
        if (!keyIsDown(key)) editor.heldArrows.release(key);
        const int steps = editor.heldArrows.stepsDue(key, now);
        if (!window) continue;
        for (int step = 0; step < steps; ++step) {
            scrollWindow(editor, *window, kArrowDirections[i]);
        }
    }
}
