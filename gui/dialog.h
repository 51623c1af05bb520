// Dialog: a modal panel with text lines, number fields and buttons, and the dialog registry.
#pragma once

#include <SDL.h>

#include <memory>
#include <string>
#include <vector>

#include "gui/text_input.h"
#include "gui/widgets.h"

struct Editor;

struct Dialog {
    std::vector<std::unique_ptr<StringInput>> inputs;
    std::vector<std::unique_ptr<TextLine>> lines;
    SDL_Rect rect{0, 0, 320, 0};
    std::string name;  // matched exactly
    Uint32 colour = 0;
    bool visible = true;
    std::vector<std::unique_ptr<DialogButton>> buttons;
};

using DialogList = std::vector<std::unique_ptr<Dialog>>;

Dialog* createDialog(Editor& editor, int x, int y, int h, const std::string& name);
Dialog* addTextLine(Dialog* dialog, const std::string& text, int x, int y);
Dialog* addNumberInput(Dialog* dialog, int x, int y, int w, int h);
Dialog* addButton(Dialog* dialog, int x, int y, int w, int h, const std::string& label,
                  const std::string& command, bool clickable);
Dialog* findDialog(const Editor& editor, const std::string& name);

// Centres a visible dialog on the screen; a hidden one stays where it is. A dialog larger than
// the screen keeps its corner at 0, 0 unless its buttons would then fall off the screen: it then
// moves back just far enough to show them, so an open dialog can always be answered.
void centreDialog(const Editor& editor, Dialog& dialog);
// Shows the named dialog, centred.
void showDialog(Editor& editor, const std::string& name);

// Puts `value` into the dialog's number field at `index`, as if typed; a value wider than the
// field can take is kept whole, so the dialog's button acts on exactly that value.
void setNumberInput(Dialog& dialog, size_t index, int value);
// Closes every open dialog without running its button's request; what was typed stays in its
// fields, and none of them keeps the focus. True when a dialog was open.
bool closeOpenDialogs(Editor& editor);

// Hover and click handling for one frame.
void updateDialog(Editor& editor, Dialog& dialog, int mouseX, int mouseY);
// Visible and holding a visible, clickable button.
bool dialogOpen(const Dialog& dialog);
// True while any dialog is open: the interface is modal, and no other dialog may open over it.
bool anyDialogOpen(const Editor& editor);
void drawDialog(Editor& editor, const Dialog& dialog);

// The About box's line naming the SDL library the editor runs on, from its linked version.
std::string toolkitLine(const SDL_version& linked);

// The About, Resize Map and Create Map dialogs, built hidden.
void buildDialogs(Editor& editor);
