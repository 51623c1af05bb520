// A fresh, fully built editor for one test, working in a temporary folder of its own.
#pragma once

#include <memory>
#include <string>

#include "app/editor.h"
#include "platform/scripted_platform.h"

// The configuration the tests start from unless they give another: a 128 x 128 map, layers
// Map1 .. Map9 and the bundled tile sheets.
extern const char kTestConfiguration[];

class TestFolder {
public:
    TestFolder();
    ~TestFolder();
    const std::string& path() const { return path_; }
    // Writes a file into the folder.
    void write(const std::string& name, const std::string& contents) const;
    // Copies a file of the bundled working directory into the folder.
    void copyAsset(const std::string& name) const;

private:
    std::string path_;
    std::string previous_;
};

struct TestEditorOptions {
    std::string configuration = kTestConfiguration;
    bool withFont = true;
    bool buildInterface = true;
    bool loadTileSheets = true;
};

// Works in a new temporary folder holding the font, the sheets and the configuration; builds
// the interface on SDL's dummy video driver and replaces the desktop dialogs with scripted ones.
class TestEditor {
public:
    explicit TestEditor(TestEditorOptions options = {});
    ~TestEditor();

    Editor& editor() { return *editor_; }
    TestFolder& folder() { return folder_; }
    ScriptedMessageBox messages;
    ScriptedFileChooser files;
    ScriptedQuestionBox questions;

    // Runs one frame with the mouse at (x, y) and the given SDL button mask.
    void frame(int x, int y, uint8_t buttons = 0);
    // Gives the editor mouse focus over the window under (x, y), as the pointer entering would.
    void focusAt(int x, int y);
    // Queues the window being resized to w x h, as the desktop reports it.
    void pushResize(int w, int h);
    // Queues a key press for the next frame's event pump.
    void pressKey(SDLKey key, uint16_t unicode = 0, SDLMod mod = KMOD_NONE);
    // Queues a key-down and its key-up together: a tap quicker than one event pump.
    void tapKey(SDLKey key, uint16_t unicode = 0);

private:
    TestFolder folder_;
    std::unique_ptr<Editor> editor_;
    bool interfaceBuilt_ = false;
};

// The window caption as SDL holds it.
std::string windowCaption();

// The pixel at (x, y) of a surface as R, G, B.
struct Rgb {
    int r, g, b;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
};
Rgb pixelAt(SDL_Surface* surface, int x, int y);
std::ostream& operator<<(std::ostream& out, const Rgb& colour);
