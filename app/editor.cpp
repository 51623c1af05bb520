// The Editor's construction, destruction and settings accessors.
#include "app/editor.h"

#include "platform/file_chooser.h"
#include "platform/message_box.h"
#include "platform/question_box.h"

Editor& Editor::instance() {
    static Editor editor;
    return editor;
}

Editor::Editor() : tileImages(std::make_unique<TileImageStore>()) {
    TTF_Init();
    font = TTF_OpenFont("GOTHIC.TTF", 11);
    settings.integers["KeyboardScrollSpeed"] = 30;
    settings.strings["TileImages"] = "c:/default.png";
    messageBox = &desktopMessageBox();
    fileChooser = &desktopFileChooser();
    questionBox = &desktopQuestionBox();
    readMouse = [] {
        MouseSample sample;
        sample.buttons = SDL_GetMouseState(&sample.x, &sample.y);
        return sample;
    };
}

Editor::~Editor() {
    freeTileImages(*tileImages);
    if (font) TTF_CloseFont(font);
    TTF_Quit();
}

int& intSetting(Editor& editor, const std::string& name) {
    return editor.settings.integers[name];
}

std::string stringSetting(Editor& editor, const std::string& name) {
    return editor.settings.strings[name];
}

std::string currentLayerName(Editor& editor) {
    return stringSetting(editor, "Layer" + std::to_string(editor.currentLayer));
}

MapLayer* currentMapLayer(Editor& editor) {
    return findMapLayer(editor.layers, currentLayerName(editor));
}
