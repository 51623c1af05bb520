// The Open and Save map file dialogs.
#include "io/file_dialogs.h"

#include "app/editor.h"
#include "platform/file_chooser.h"

namespace {
std::string askMapFile(Editor& editor, FileChooserMode mode, const char* title) {
    FileChooserRequest request;
    request.mode = mode;
    request.title = title;
    request.filterName = "Map Data Files";
    request.filterPattern = "*.map";
    request.defaultExtension = "map";
    request.initialPath = editor.lastMapPath;
    std::string path = editor.fileChooser->choose(request);
    if (!path.empty()) editor.lastMapPath = path;
    return path;
}
}  // namespace

std::string askOpenMapFile(Editor& editor) {
    return askMapFile(editor, FileChooserMode::Open, "Open Map File");
}

std::string askSaveMapFile(Editor& editor) {
    return askMapFile(editor, FileChooserMode::Save, "Save Map File");
}

void startDialogsIn(Editor& editor, const std::string& folder) {
    // The desktop chooser opens a folder it is given as the last path in that folder.
    editor.lastMapPath = folder;
}
