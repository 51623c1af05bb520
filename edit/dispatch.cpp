// The two dispatch tables.
#include "edit/dispatch.h"

#include "app/caption.h"
#include "app/command_names.h"
#include "app/main_loop.h"
#include "edit/flood_fill.h"
#include "edit/layer_commands.h"
#include "edit/map_size_commands.h"
#include "edit/scroll.h"
#include "edit/shuffle.h"
#include "edit/undo.h"
#include "edit/zoom_commands.h"
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

void shuffleBrush(Editor& editor, const std::string& side) {
    shuffleNamedLayer(editor.layers, brushLayerName(side));
    editor.activeBrushSide = side;
}

// What an item of a menu does: post a request for the frame to carry out, or act at once. The
// File menu's items all post their own request; the Layer menu's layer entries choose a layer.
struct MenuRoute {
    const HashedName* menu;
    const HashedName* item;
    const HashedName* request;
    void (*action)(Editor&);
};

const MenuRoute kMenuRoutes[] = {
    {&cmd::Edit, &cmd::Undo, nullptr, undoLast},
    {&cmd::Edit, &cmd::Fill, nullptr, [](Editor& e) { e.toolMode = ToolMode::Fill; }},
    {&cmd::Edit, &cmd::Draw, nullptr, [](Editor& e) { e.toolMode = ToolMode::Draw; }},
    {&cmd::Edit, &cmd::DrawRandom, nullptr, [](Editor& e) { e.toolMode = ToolMode::DrawRandom; }},
    {&cmd::Edit, &cmd::FillRandom, nullptr, [](Editor& e) { e.toolMode = ToolMode::FillRandom; }},
    {&cmd::Edit, &cmd::Redo, nullptr, redoLast},
    {&cmd::Brush, &cmd::PickBrush, nullptr, [](Editor& e) { e.pickBrushArmed = true; }},
    {&cmd::Brush, &cmd::ShuffleRB, nullptr, [](Editor& e) { shuffleBrush(e, "Right"); }},
    {&cmd::Brush, &cmd::ShuffleLB, nullptr, [](Editor& e) { shuffleBrush(e, "Left"); }},
    {&cmd::Layer, &cmd::Remove, nullptr, removeCurrentLayer},
    {&cmd::Layer, &cmd::Add, nullptr, addLayer},
    {&cmd::Layer, &cmd::Hide, &cmd::LayerHide, nullptr},
    {&cmd::Layer, &cmd::Show, &cmd::LayerShow, nullptr},
    {&cmd::Layer, &cmd::Clear, &cmd::LayerClear, nullptr},
    {&cmd::Map, &cmd::Clear, nullptr, clearMap},
    {&cmd::Map, &cmd::FillEdge, nullptr, fillEdgeOfCurrentLayer},
    {&cmd::Map, &cmd::ReSize, &cmd::ReSize, nullptr},
    {&cmd::Map, &cmd::ZoomIn, nullptr, zoomIn},
    {&cmd::Map, &cmd::ZoomOut, nullptr, zoomOut},
    {&cmd::Map, &cmd::ActualSize, nullptr, zoomActualSize},
    {&cmd::Map, &cmd::WholeMap, nullptr, zoomWholeMap},
    {&cmd::Help, &cmd::AboutVelloran, &cmd::AboutVelloran, nullptr},
};

void dispatchMenuItem(Editor& editor, const HashedName& menu, const HashedName& item,
                      const std::string& label) {
    // Menus stay usable over an open dialog; a click that reaches both must not open another.
    const bool opener = menu == cmd::File || menu == cmd::Map || menu == cmd::Help;
    if (opener && opensDialog(item) && anyDialogOpen(editor)) return;
    if (menu == cmd::File) {
        postCommand(editor.commandQueue, item, "");
        return;
    }
    for (const MenuRoute& route : kMenuRoutes) {
        if (*route.menu != menu || *route.item != item) continue;
        if (route.request) postCommand(editor.commandQueue, *route.request, "");
        if (route.action) route.action(editor);
        return;
    }
    if (menu == cmd::Layer && findMapLayer(editor.layers, label)) {
        postCommand(editor.commandQueue, cmd::LayerChange, label);
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
        dispatchMenuItem(editor, entry->owner->command, item, entry->label);
    }
    return item.hash != 0;
}

void runMenuItem(Editor& editor, const HashedName& menu, const HashedName& item) {
    dispatchMenuItem(editor, menu, item, item.text);
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
