// The desktop's file chooser, asked for the map file to open or save.
#pragma once

#include <string>

enum class FileChooserMode { Open, Save };

struct FileChooserRequest {
    FileChooserMode mode = FileChooserMode::Open;
    std::string title;             // "Open Map File" / "Save Map File"
    std::string filterName;        // "Map Data Files"
    std::string filterPattern;     // "*.map"
    std::string defaultExtension;  // "map": appended to a saved name typed without one
    std::string initialPath;       // the path chosen last, preselected; may be empty
};

struct FileChooser {
    virtual ~FileChooser() = default;
    // Blocks until the user confirms or cancels. Returns the chosen path (UTF-8), or "" when
    // the dialog was cancelled, closed, or no display could be opened.
    virtual std::string choose(const FileChooserRequest& request) = 0;
};

// The desktop's file chooser (GTK 3), shared by the whole program.
FileChooser& desktopFileChooser();
