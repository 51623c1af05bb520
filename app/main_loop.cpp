// The frame loop, the mouse step and the frame's drawing.
#include "app/main_loop.h"

#include <algorithm>
#include <cstdlib>

#include "app/command_names.h"
#include "app/event_pump.h"
#include "app/held_arrows.h"
#include "app/recovery.h"
#include "edit/brush_pick.h"
#include "edit/dispatch.h"
#include "edit/scroll.h"
#include "edit/stroke.h"
#include "gui/view_status.h"
#include "map/map_view.h"
#include "map/zoom.h"

std::string buttonSide(uint8_t mask) {
    if (mask & SDL_BUTTON_LMASK) return "Left";
    if (mask & SDL_BUTTON_RMASK) return "Right";
    return "";
}

std::string brushLayerName(const std::string& side) {
    return side == "Left" ? kBrushLeftName : side == "Right" ? kBrushRightName : "Brush" + side;
}

CellBlock dragRect(CellPosition a, CellPosition b) {
    CellBlock block;
    block.column = std::min(a.column, b.column);
    block.row = std::min(a.row, b.row);
    block.width = std::abs(a.column - b.column) + 1;
    block.height = std::abs(a.row - b.row) + 1;
    return block;
}

namespace {
// Routes the mouse to the separator, a brush pick or a paint stroke.
void mouseStep(Editor& editor) {
    // The middle button pans the map and paints nothing.
    panDesign(editor);
    if (editor.pan.active || (editor.mouseButtons & SDL_BUTTON_MMASK)) return;
    if (buttonHeld(editor.mouseButtons)) editor.activeBrushSide = buttonSide(editor.mouseButtons);
    Window* window = mouseWindow(editor);
    MapLayer* layer = nullptr;
    if (window) {
        layer = window->name == kTileWindowName ? findToolLayer(editor.layers, window->layerName)
                                                : currentMapLayer(editor);
        setCursorForWindow(editor, *window);
        if (window->name.rfind(kLineSeparatorName, 0) == 0 &&
            editor.mouseButtons != editor.previousMouseButtons &&
            (editor.mouseButtons & SDL_BUTTON_LMASK)) {
            window->captured = true;
        }
    }
    if (dragSeparator(editor)) {
        if (Window* tiles = findWindow(editor, kTileWindowName)) clampScroll(editor, *tiles);
        return;
    }
    if (!window || !layer || menusActive(editor.menus)) return;
    if (layer->cellWidth <= 0 || layer->cellHeight <= 0) return;
    const int level = window->zoomLevel;
    const int column = static_cast<int>(
        cellsUnder(editor.mouseX - window->rect.x, layer->cellWidth, level) + layer->offsetX);
    const int row = static_cast<int>(
        cellsUnder(editor.mouseY - window->rect.y, layer->cellHeight, level) + layer->offsetY);
    MapLayer* shown = findWindowLayer(editor, *window, window->layerName);
    if (!shown) return;
    if (shown->number == -1 || editor.pickBrushArmed) {
        pickStep(editor, *window, *layer, *shown, column, row);
    } else {
        strokeStep(editor, *window, *layer, column, row);
    }
}

// The buttons as the frame sees them: the reading, amended by the edges the event pump saw since
// the last frame, so that each click counts once however short. A button changes at most once a
// frame: a press released before the frame looked shows as held for this one frame, and a press
// that follows a release in the same wait is kept for the next frame.
uint8_t buttonsThisFrame(Editor& editor, uint8_t reading) {
    const uint8_t before = editor.previousMouseButtons;
    const uint8_t pressedAgain = before & editor.buttonsReleased & editor.buttonsPressed;
    const uint8_t shown = (reading | (editor.buttonsPressed & ~before)) & ~pressedAgain;
    editor.buttonsPressed = pressedAgain;
    editor.buttonsReleased = 0;
    return shown;
}
}  // namespace

void prepareMainLoop(Editor& editor) {
    postCommand(editor.commandQueue, cmd::SetCaptionSizeDimensions, "");
    if (MapLayer* first = findMapLayer(editor.layers, stringSetting(editor, "Layer1"))) {
        fillTiles(*first, 0, kGroundTile);
    }
}

bool frameWouldBeIdle(const Editor& editor) {
    return !buttonHeld(editor.mouseButtons | editor.buttonsPressed) &&
           editor.commandQueue.empty() && editor.framesToRedraw <= 0 && !arrowsHeldDown(editor);
}

void waitForNextFrame(Editor& editor, Uint32 frameStart) {
    if (editor.framesToRedraw > 0) --editor.framesToRedraw;
    if (frameWouldBeIdle(editor)) {
        // Nothing changes on screen until something happens: sleep until an event is queued.
        // Polling also lets SDL produce key repeats and notice the window system.
        while (!editor.quitRequested && SDL_PollEvent(nullptr) == 0 &&
               !recoveryDue(editor, SDL_GetTicks())) {
            SDL_Delay(kIdlePollMs);
        }
        return;
    }
    // A held button or queued requests keep frames coming, about 60 a second.
    const Uint32 spent = SDL_GetTicks() - frameStart;
    if (spent < kFrameMs) SDL_Delay(kFrameMs - spent);
}

void runMainLoop(Editor& editor) {
    editor.framesToRedraw = kFramesAfterModeChange;
    while (!editor.quitRequested) {
        const Uint32 frameStart = SDL_GetTicks();
        runFrame(editor);
        if (!editor.quitRequested) waitForNextFrame(editor, frameStart);
    }
}

void runFrame(Editor& editor, std::optional<MouseSample> mouse) {
    pumpEvents(editor);
    repeatHeldArrows(editor, SDL_GetTicks());

    editor.previousMouseButtons = editor.mouseButtons;
    MouseSample sample = mouse ? *mouse : editor.readMouse();
    editor.mouseX = sample.x;
    editor.mouseY = sample.y;
    editor.mouseButtons = buttonsThisFrame(editor, sample.buttons);
    if (!buttonHeld(editor.previousMouseButtons)) {
        editor.mouseReleased = false;
    } else if (!buttonHeld(editor.mouseButtons)) {
        editor.mouseReleased = true;
    }
    if (!buttonHeld(editor.mouseButtons)) editor.history.endPress();

    const bool busy = handleMenuCommand(editor);
    for (const auto& dialog : editor.dialogs) {
        updateDialog(editor, *dialog, editor.mouseX, editor.mouseY);
    }
    handleInterfaceCommand(editor);
    bool modal = false;
    for (const auto& dialog : editor.dialogs) {
        if (dialogOpen(*dialog)) {
            modal = true;
            break;
        }
    }
    if (!busy && !modal && editor.focusName != kFocusLost) mouseStep(editor);

    // Before drawing: a frame that starts a recovery copy draws after the fork.
    keepRecoveryCopy(editor, SDL_GetTicks());
    renderFrame(editor, modal);
    SDL_Flip(editor.screen);
}

void renderFrame(Editor& editor, bool modal) {
    // The checkerboard leaves a margin and the map may not fill its window: start each frame
    // from black, so nothing of earlier frames, or of earlier shading, stays on the screen.
    SDL_FillRect(editor.screen, nullptr, SDL_MapRGB(editor.screen->format, 0, 0, 0));
    if (Window* design = findWindow(editor, kDesignWindowName)) drawLayerWindow(editor, *design);
    if (!modal && !buttonHeld(editor.mouseButtons)) {
        Window* under = windowAt(editor, editor.mouseX, editor.mouseY);
        if (!editor.pickBrushArmed && under && under->name == kDesignWindowName &&
            !menusActive(editor.menus) && !isFill(editor.toolMode)) {
            drawBrushPreview(editor, editor.activeBrushSide);
        }
    }
    for (const std::string& name : {kTileWindowName, kMenuBarName, kLineSeparatorName}) {
        if (Window* window = findWindow(editor, name)) drawLayerWindow(editor, *window);
    }
    drawMenus(editor);
    drawViewStatus(editor);
    if (modal) shadeScreen(editor);
    for (const auto& dialog : editor.dialogs) drawDialog(editor, *dialog);
}
