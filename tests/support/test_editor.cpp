// The test editor: a temporary working folder, the dummy video driver and scripted dialogs.
#include "tests/support/test_editor.h"

#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <stdexcept>

#include "app/main_loop.h"
#include "app/startup.h"
#include "gui/interface.h"

const char kTestConfiguration[] = R"(<?xml version="1.0"?>
<Data>
  <integer Name="MapWidth" Value="128"/>
  <integer Name="MapHeight" Value="128"/>
  <string Name="TileImages" Value="tiles.png"/>
  <string Name="BaseImages" Value="base.png"/>
  <string Name="Layer1" Value="Map1"/>
  <string Name="Layer2" Value="Map2"/>
  <string Name="Layer3" Value="Map3"/>
  <string Name="Layer4" Value="Map4"/>
  <string Name="Layer5" Value="Map5"/>
  <string Name="Layer6" Value="Map6"/>
  <string Name="Layer7" Value="Map7"/>
  <string Name="Layer8" Value="Map8"/>
  <string Name="Layer9" Value="Map9"/>
</Data>
)";

namespace fs = std::filesystem;

TestFolder::TestFolder() {
    std::string pattern = (fs::temp_directory_path() / "velloran-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
    previous_ = fs::current_path().string();
    fs::current_path(path_);
}

TestFolder::~TestFolder() {
    std::error_code ignored;
    fs::current_path(previous_, ignored);
    fs::remove_all(path_, ignored);
}

void TestFolder::write(const std::string& name, const std::string& contents) const {
    std::ofstream out(fs::path(path_) / name, std::ios::binary);
    out << contents;
}

void TestFolder::copyAsset(const std::string& name) const {
    fs::copy_file(fs::path(VELLORAN_ASSETS_DIR) / name, fs::path(path_) / name,
                  fs::copy_options::overwrite_existing);
}

TestEditor::TestEditor(TestEditorOptions options) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    if (options.withFont) folder_.copyAsset("GOTHIC.TTF");
    folder_.copyAsset("tiles.png");
    folder_.copyAsset("base.png");
    folder_.write("Configuration.xml", options.configuration);
    editor_ = std::make_unique<Editor>();
    editor_->messageBox = &messages;
    editor_->fileChooser = &files;
    editor_->questionBox = &questions;
    if (!options.buildInterface) return;
    if (!buildInterface(*editor_, "Velloran 1.09")) throw std::runtime_error(SDL_GetError());
    interfaceBuilt_ = true;
    // The dummy driver may hand back the surface an earlier test drew on; start from black so
    // no test sees another's pixels.
    SDL_FillRect(editor_->screen, nullptr, 0);
    if (options.loadTileSheets) loadTileSheets(*editor_);
}

TestEditor::~TestEditor() {
    if (interfaceBuilt_) shutDown(*editor_);
    editor_.reset();
}

void TestEditor::frame(int x, int y, uint8_t buttons) {
    MouseSample sample;
    sample.x = x;
    sample.y = y;
    sample.buttons = buttons;
    editor_->readMouse = [sample] { return sample; };
    runFrame(*editor_, sample);
}

void TestEditor::focusAt(int x, int y) {
    MouseSample sample;
    sample.x = x;
    sample.y = y;
    editor_->readMouse = [sample] { return sample; };
    SDL_Event event{};
    event.type = SDL_ACTIVEEVENT;
    event.active.gain = 1;
    event.active.state = SDL_APPMOUSEFOCUS;
    SDL_PushEvent(&event);
}

void TestEditor::pushResize(int w, int h) {
    SDL_Event event{};
    event.type = SDL_VIDEORESIZE;
    event.resize.w = w;
    event.resize.h = h;
    SDL_PushEvent(&event);
}

namespace {
void pushKeyEvent(Uint8 type, SDLKey key, uint16_t unicode, SDLMod mod = KMOD_NONE) {
    SDL_Event event{};
    event.key.keysym.mod = mod;
    event.type = type;
    event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.sym = key;
    event.key.keysym.unicode = unicode;
    SDL_PushEvent(&event);
}
}  // namespace

void TestEditor::pressKey(SDLKey key, uint16_t unicode, SDLMod mod) {
    pushKeyEvent(SDL_KEYDOWN, key, unicode, mod);
}

void TestEditor::tapKey(SDLKey key, uint16_t unicode) {
    pushKeyEvent(SDL_KEYDOWN, key, unicode);
    pushKeyEvent(SDL_KEYUP, key, unicode);
}

std::string windowCaption() {
    char* text = nullptr;
    SDL_WM_GetCaption(&text, nullptr);
    return text ? text : "";
}

Rgb pixelAt(SDL_Surface* surface, int x, int y) {
    Uint32 pixel = 0;
    const Uint8* p = static_cast<const Uint8*>(surface->pixels) + y * surface->pitch +
                     x * surface->format->BytesPerPixel;
    std::memcpy(&pixel, p, surface->format->BytesPerPixel);
    Uint8 r, g, b;
    SDL_GetRGB(pixel, surface->format, &r, &g, &b);
    return Rgb{r, g, b};
}

std::ostream& operator<<(std::ostream& out, const Rgb& colour) {
    return out << "(" << colour.r << ", " << colour.g << ", " << colour.b << ")";
}
