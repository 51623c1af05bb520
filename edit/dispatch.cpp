// The two dispatch tables.
#include "edit/dispatch.h"

#include "app/caption.h"
#include "app/command_names.h"
#include "edit/flood_fill.h"
#include "edit/layer_commands.h"
#include "edit/map_size_commands.h"
#include "edit/scroll.h"
#include "edit/shuffle.h"
#include "edit/undo.h"
#include "gui/interface.h"
#include "io/file_dialogs.h"
#include "io/map_file.h"
#include "io/unsaved_changes.h"

namespace {
void fillEdgeOfCurrentLayer(Editor& editor) {
    MapLayer* layer = currentMapLayer(editor);
    if (!layer) return;
    MapLayer* brush = findToolLayer(editor.layers, kBrushLeftName);
    const uint16_t tile = brush && !brush->tiles.empty() ? brush->tiles[0] : 0;
    recordBlocksChange(editor, *layer, edgeBlocks(*layer), [&] { fillEdge(*layer, tile); });
}

// Requests that open a dialog or a file dialog: while a dialog is open they do nothing, so the
// user's clicks and keys never reach two dialogs at once.
bool opensDialog(const HashedName& command) {
    return command == cmd::New || command == cmd::Open || command == cmd::Save ||
           command == cmd::ReSize || command == cmd::AboutVelloran;
}

void dispatchMenuItem(Editor& editor, const HashedName& menu, const HashedName& item,
                      const MenuEntry& entry) {
    CommandQueue& queue = editor.commandQueue;
    // Menus stay usable over an open dialog; a click that reaches both must not open another.
    const bool opener = menu == cmd::File || menu == cmd::Map || menu == cmd::Help;
    if (opener && opensDialog(item) && anyDialogOpen(editor)) return;
    if (menu == cmd::File) {
        postCommand(queue, item, "");
    } else if (menu == cmd::Edit) {
        if (item == cmd::Undo)
            undoLast(editor);
        else if (item == cmd::Fill)
            editor.toolMode = ToolMode::Fill;
        else if (item == cmd::Draw)
            editor.toolMode = ToolMode::Draw;
        else if (item == cmd::DrawRandom)
            editor.toolMode = ToolMode::DrawRandom;
        else if (item == cmd::FillRandom)
            editor.toolMode = ToolMode::FillRandom;
    } else if (menu == cmd::Brush) {
        if (item == cmd::PickBrush) {
            editor.pickBrushArmed = true;
        } else if (item == cmd::ShuffleRB) {
            shuffleNamedLayer(editor.layers, kBrushRightName);
            editor.activeBrushSide = "Right";
        } else if (item == cmd::ShuffleLB) {
            shuffleNamedLayer(editor.layers, kBrushLeftName);
            editor.activeBrushSide = "Left";
        }
    } else if (menu == cmd::Layer) {
        if (item == cmd::Remove)
            removeCurrentLayer(editor);
        else if (item == cmd::Add)
            addLayer(editor);
        else if (item == cmd::Hide)
            postCommand(queue, cmd::LayerHide, "");
        else if (item == cmd::Show)
            postCommand(queue, cmd::LayerShow, "");
        else if (item == cmd::Clear)
            postCommand(queue, cmd::LayerClear, "");
        else if (findMapLayer(editor.layers, entry.label)) {
            postCommand(queue, cmd::LayerChange, entry.label);
        }
    } else if (menu == cmd::Map) {
        if (item == cmd::Clear)
            clearMap(editor);
        else if (item == cmd::FillEdge)
            fillEdgeOfCurrentLayer(editor);
        else if (item == cmd::ReSize)
            postCommand(queue, cmd::ReSize, "");
    } else if (menu == cmd::Help) {
        if (item == cmd::AboutVelloran) postCommand(queue, cmd::AboutVelloran, "");
    }
}

// Before a file dialog: leave full screen so the dialog shows over a window.
void leaveFullScreen(Editor& editor) {
    if (!editor.fullScreen) return;
    toggleFullScreen(editor);
    layoutWindows(editor);
}
}  // namespace

bool handleMenuCommand(Editor& editor) {
    HashedName item;
    MenuEntry* entry = nullptr;
    if (!menuClick(editor.menus, editor.mouseX, editor.mouseY, editor.mouseReleased, item, entry)) {
        return false;
    }
    if (entry && !entry->isTitle && entry->owner) {
        dispatchMenuItem(editor, entry->owner->command, item, *entry);
    }
    return item.hash != 0;
}

void handleInterfaceCommand(Editor& editor) {
    std::unique_ptr<CommandRequest> request = takeNewestCommand(editor.commandQueue);
    if (!request) return;
    Window* window = findWindow(editor, editor.focusName);
    if (!window) return;
    const HashedName& c = request->command;
    if (opensDialog(c) && anyDialogOpen(editor)) return;
    if (c == cmd::ScrollRight) {
        scrollWindow(editor, *window, ScrollDirection::Right);
    } else if (c == cmd::ScrollLeft) {
        scrollWindow(editor, *window, ScrollDirection::Left);
    } else if (c == cmd::ScrollUp) {
        scrollWindow(editor, *window, ScrollDirection::Up);
    } else if (c == cmd::ScrollDown) {
        scrollWindow(editor, *window, ScrollDirection::Down);
    } else if (c == cmd::CreateMap) {
        createMap(editor);
    } else if (c == cmd::Save) {
        leaveFullScreen(editor);
        saveMap(editor, askSaveMapFile(editor));
    } else if (c == cmd::Open) {
        leaveFullScreen(editor);
        if (mayLeaveMap(editor)) loadMap(editor, askOpenMapFile(editor));
    } else if (c == cmd::Exit) {
        if (mayLeaveMap(editor)) editor.quitRequested = true;
    } else if (c == cmd::New) {
        if (!mayLeaveMap(editor)) return;
        showDialog(editor, kCreateMapDialogName);
        editor.nextMarkerTile = editor.tileCount;
    } else if (c == cmd::AboutVelloran) {
        showDialog(editor, kAboutDialogName);
    } else if (c == cmd::ReSize) {
        showResizeDialog(editor);
    } else if (c == cmd::ButtonResizeMap) {
        resizeMap(editor);
    } else if (c == cmd::SetCaptionSizeDimensions) {
        setCaption(editor, findMapLayer(editor.layers, stringSetting(editor, "Layer1")), "");
    } else if (c == cmd::LayerChange) {
        changeLayer(editor, request->parameter);
    } else if (c == cmd::LayerHide) {
        setCurrentLayerVisible(editor, 0);
    } else if (c == cmd::LayerClear) {
        clearCurrentLayer(editor);
    } else if (c == cmd::LayerShow) {
        setCurrentLayerVisible(editor, 1);
    } else if (c == cmd::ToggleHideShow) {
        setCurrentLayerVisible(editor, -1);
    }
}
