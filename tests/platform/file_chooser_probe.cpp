// Opens the desktop file chooser once, for gtk_dialog_check.py to drive from the keyboard.
#include <cstdio>
#include <cstring>

#include "platform/file_chooser.h"

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3 ||
        (std::strcmp(argv[1], "open") != 0 && std::strcmp(argv[1], "save") != 0)) {
        std::fprintf(stderr, "usage: %s open|save [initial-path]\n", argv[0]);
        return 2;
    }
    FileChooserRequest request;
    const bool saving = std::strcmp(argv[1], "save") == 0;
    request.mode = saving ? FileChooserMode::Save : FileChooserMode::Open;
    request.title = saving ? "Save Map File" : "Open Map File";
    request.filterName = "Map Data Files";
    request.filterPattern = "*.map";
    request.defaultExtension = "map";
    if (argc == 3) {
        request.initialPath = argv[2];
    }
    // A marker around the answer, so that "cancelled" (empty) differs from "crashed" (nothing).
    std::printf("chosen=[%s]\n", desktopFileChooser().choose(request).c_str());
    return 0;
}
