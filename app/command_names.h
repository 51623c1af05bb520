// The names of the editor's commands, menus and dialog buttons, and of its windows.
#pragma once

#include <string>

#include "app/hashed_name.h"
#include "map/layer_names.h"

namespace cmd {
extern const HashedName None;  // no command: the empty name, hash 0
extern const HashedName Exit;
extern const HashedName New;
extern const HashedName ReSize;
extern const HashedName Save;
extern const HashedName Open;
extern const HashedName AboutVelloran;
extern const HashedName PickBrush;
extern const HashedName ShuffleRB;
extern const HashedName ShuffleLB;
extern const HashedName FillEdge;
extern const HashedName Fill;
extern const HashedName Draw;
extern const HashedName DrawRandom;
extern const HashedName FillRandom;
extern const HashedName Undo;
extern const HashedName Redo;
extern const HashedName Add;
extern const HashedName Hide;
extern const HashedName Show;
extern const HashedName Clear;
extern const HashedName File;
extern const HashedName Edit;
extern const HashedName Brush;
extern const HashedName Layer;
extern const HashedName Map;
extern const HashedName Help;
extern const HashedName ButtonOK;
extern const HashedName ButtonResizeMap;
extern const HashedName CreateMap;
extern const HashedName SetCaptionSizeDimensions;
extern const HashedName Remove;
extern const HashedName LayerChange;
extern const HashedName LayerHide;
extern const HashedName LayerShow;
extern const HashedName LayerClear;
extern const HashedName ToggleHideShow;
extern const HashedName ScrollUp;
extern const HashedName ScrollDown;
extern const HashedName ScrollLeft;
extern const HashedName ScrollRight;
extern const HashedName ZoomIn;
extern const HashedName ZoomOut;
extern const HashedName ActualSize;
extern const HashedName WholeMap;
}  // namespace cmd

// Names of the three dialogs, matched exactly.
const std::string kAboutDialogName = "About";
const std::string kResizeMapDialogName = "Resize Map";
const std::string kCreateMapDialogName = "Create Map";

// What the focus names when it names no window.
const std::string kFocusLost = "Focus Lost";
const std::string kDeadArea = "Dead Area";

// Titles of the message boxes.
const std::string kWarningTitle = "Warning deatils";
const std::string kErrorTitle = "Error deatils";

// Names of the four screen windows (the palette's and the brushes' are in map/layer_names.h).
// Windows and layers are looked up by these, ignoring letter case.
const std::string kDesignWindowName = "DesignWindow";
const std::string kTileWindowName = "TileWindow";
const std::string kLineSeparatorName = "LineSeparator";
const std::string kMenuBarName = "MenuBar";
