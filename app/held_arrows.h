// Arrow keys held down. Each held arrow repeats on its own clock, so two held together scroll
// diagonally; one held past a second speeds up, doubling its cells a repeat each second up to
// sixteen, so that a 4096-cell side goes by in a few seconds. A tap still scrolls exactly once.
#pragma once

#include <SDL.h>

#include <array>

struct Editor;

class HeldArrows {
public:
    // The pause before a held arrow first repeats, and the time between repeats.
    void setPace(Uint32 delayMs, Uint32 intervalMs);

    // A key-down of `key` at `now`; `down` says whether the keyboard holds the key. False for an
    // arrow already held and still down: the library's own repeat, which the held arrow's
    // clock replaces.
    bool press(SDLKey key, Uint32 now, bool down);
    void release(SDLKey key);
    void releaseAll();
    bool held(SDLKey key) const;

    // The scroll steps `key` has earned by `now` since it was last asked; 0 unless held. A
    // stalled frame catches up by a few repeats at most, never by a burst across the map.
    int stepsDue(SDLKey key, Uint32 now);

    // Cells one repeat moves once a key has been held `heldMs`.
    static int cellsPerRepeat(Uint32 heldMs);

private:
    struct Arrow {
        bool held = false;
        Uint32 since = 0;
        Uint32 due = 0;
    };
    Arrow* find(SDLKey key);
    const Arrow* find(SDLKey key) const;

    Uint32 delayMs_ = 500;
    Uint32 intervalMs_ = 30;
    std::array<Arrow, 4> arrows_{};
};

// The arrow keys, in the order HeldArrows keeps them.
constexpr SDLKey kArrowKeys[] = {SDLK_UP, SDLK_DOWN, SDLK_LEFT, SDLK_RIGHT};

// Whether the keyboard holds `key` now, as SDL last saw it.
bool keyIsDown(SDLKey key);

// True while some arrow is held and the keyboard still holds it: frames must keep coming.
bool arrowsHeldDown(const Editor& editor);

// Once a frame: scrolls the focused window by the steps each held arrow has earned.
void repeatHeldArrows(Editor& editor, Uint32 now);
