// The dialog registry: building, showing, updating and drawing dialogs.
#include "gui/dialog.h"

#include <algorithm>

#include "app/command_names.h"
#include "app/editor.h"

Dialog* createDialog(Editor& editor, int x, int y, int h, const std::string& name) {
    auto dialog = std::make_unique<Dialog>();
    dialog->rect =
        SDL_Rect{static_cast<Sint16>(x), static_cast<Sint16>(y), 320, static_cast<Uint16>(h)};
    dialog->name = name;
    dialog->colour = editor.screen ? SDL_MapRGB(editor.screen->format, 128, 128, 128) : 0;
    editor.dialogs.push_back(std::move(dialog));
    return editor.dialogs.back().get();
}

Dialog* addTextLine(Dialog* dialog, const std::string& text, int x, int y) {
    auto line = std::make_unique<TextLine>();
    line->position = SDL_Rect{static_cast<Sint16>(x), static_cast<Sint16>(y), 0, 0};
    line->text = text;
    dialog->lines.push_back(std::move(line));
    return dialog;
}

Dialog* addNumberInput(Dialog* dialog, int x, int y, int w, int h) {
    SDL_Rect rect{static_cast<Sint16>(x), static_cast<Sint16>(y), static_cast<Uint16>(w),
                  static_cast<Uint16>(h)};
    dialog->inputs.push_back(std::make_unique<NumberInput>(rect, "128"));
    return dialog;
}

Dialog* addButton(Dialog* dialog, int x, int y, int w, int h, const std::string& label,
                  const std::string& command, bool clickable) {
    auto button = std::make_unique<DialogButton>();
    button->command = HashedName(command);
    button->rect = SDL_Rect{static_cast<Sint16>(x), static_cast<Sint16>(y), static_cast<Uint16>(w),
                            static_cast<Uint16>(h)};
    button->label = label;
    button->clickable = clickable;
    button->visible = true;
    dialog->buttons.push_back(std::move(button));
    return dialog;
}

Dialog* findDialog(const Editor& editor, const std::string& name) {
    for (const auto& dialog : editor.dialogs) {
        if (dialog->name == name) return dialog.get();
    }
    return nullptr;
}

namespace {
// The dialog's corner along one screen axis: centred when the dialog fits the screen; else at 0,
// or as far back as the buttons' far edge (`buttonsEnd`, from the corner) needs to stay on it.
int placeOnAxis(int screen, int size, int buttonsEnd) {
    const int centred = screen / 2 - size / 2;
    return std::max(std::min(centred, screen - size), std::min(0, screen - buttonsEnd));
}
}  // namespace

void centreDialog(const Editor& editor, Dialog& dialog) {
    if (!dialog.visible || !editor.screen) return;
    int buttonsRight = 0, buttonsBottom = 0;
    for (const auto& button : dialog.buttons) {
        if (!button->visible) continue;
        buttonsRight = std::max(buttonsRight, button->rect.x + static_cast<int>(button->rect.w));
        buttonsBottom = std::max(buttonsBottom, button->rect.y + static_cast<int>(button->rect.h));
    }
    dialog.rect.x = static_cast<Sint16>(placeOnAxis(editor.screen->w, dialog.rect.w, buttonsRight));
    dialog.rect.y =
        static_cast<Sint16>(placeOnAxis(editor.screen->h, dialog.rect.h, buttonsBottom));
}

void showDialog(Editor& editor, const std::string& name) {
    Dialog* dialog = findDialog(editor, name);
    if (!dialog) return;
    dialog->visible = true;
    centreDialog(editor, *dialog);
}

void setNumberInput(Dialog& dialog, size_t index, int value) {
    if (index >= dialog.inputs.size()) return;
    auto* field = dynamic_cast<NumberInput*>(dialog.inputs[index].get());
    if (!field) return;
    field->value = value;
    field->text = std::to_string(value);
}

bool closeOpenDialogs(Editor& editor) {
    bool closed = false;
    for (const auto& dialog : editor.dialogs) {
        if (!dialogOpen(*dialog)) continue;
        dialog->visible = false;
        for (const auto& field : dialog->inputs) field->focused = false;
        for (const auto& button : dialog->buttons) button->hovered = 0;
        closed = true;
    }
    return closed;
}

void updateDialog(Editor& editor, Dialog& dialog, int mouseX, int mouseY) {
    if (!dialog.visible) return;
    const int rx = mouseX - dialog.rect.x;
    const int ry = mouseY - dialog.rect.y;
    for (const auto& button : dialog.buttons) {
        if (!button->visible) continue;
        if (rectContains(button->rect, rx, ry)) {
            button->hovered = 1;
            if (editor.mouseReleased && button->clickable) {
                postCommand(editor.commandQueue, button->command, "");
                dialog.visible = false;
            }
        } else {
            button->hovered = 0;
        }
    }
    if (editor.mouseReleased) {
        for (const auto& field : dialog.inputs) {
            const bool clicked = rectContains(field->rect, rx, ry);
            // A second click into the focused field means the user wants to edit the number.
            field->replaceOnType = clicked && !field->focused;
            field->focused = clicked;
        }
    }
}

bool dialogOpen(const Dialog& dialog) {
    if (!dialog.visible) return false;
    for (const auto& button : dialog.buttons) {
        if (button->visible && button->clickable) return true;
    }
    return false;
}

bool anyDialogOpen(const Editor& editor) {
    return std::any_of(editor.dialogs.begin(), editor.dialogs.end(),
                       [](const auto& dialog) { return dialogOpen(*dialog); });
}

void drawDialog(Editor& editor, const Dialog& dialog) {
    if (!dialog.visible) return;
    SDL_Rect rect = dialog.rect;
    SDL_FillRect(editor.screen, &rect, dialog.colour);
    for (const auto& button : dialog.buttons) drawButton(editor, *button, rect.x, rect.y);
    for (const auto& line : dialog.lines) drawTextLine(editor, *line, rect.x, rect.y);
    for (const auto& field : dialog.inputs) drawField(editor, *field, rect.x, rect.y);
}

std::string toolkitLine(const SDL_version& linked) {
    // sdl12-compat numbers its releases from 1.2.50 up; the classic library ended at 1.2.15.
    const std::string library =
        linked.major == 1 && linked.minor == 2 && linked.patch >= 50 ? "sdl12-compat " : "SDL ";
    return "Built with SDL-1.2.14, running on " + library + std::to_string(linked.major) + "." +
           std::to_string(linked.minor) + "." + std::to_string(linked.patch);
}

namespace {
// A dialog asking for a map width and height, built hidden.
void buildSizeDialog(Editor& editor, int x, int y, const std::string& name, const char* heading,
                     const char* buttonLabel, const std::string& command) {
    Dialog* dialog = createDialog(editor, x, y, 100, name);
    addTextLine(dialog, heading, 6, 5);
    addTextLine(dialog, " Width:", 6, 30);
    addTextLine(dialog, "Height:", 6, 50);
    addNumberInput(dialog, 54, 30, 46, 18);
    addNumberInput(dialog, 54, 50, 46, 18);
    addButton(dialog, 235, 75, 80, 20, buttonLabel, command, true);
    dialog->visible = false;
}
}  // namespace

void buildDialogs(Editor& editor) {
    const int x = editor.screen->w / 2 - 160;
    const int y = editor.screen->h / 2 - 100;

    Dialog* about = createDialog(editor, x, y, 200, kAboutDialogName);
    addTextLine(about, "Velloran v1.00", 6, 5);
    addTextLine(about, toolkitLine(*SDL_Linked_Version()), 6, 33);
    addTextLine(about, "with additional libs, SDL_image.lib and SDL_ttf.lib", 6, 61);
    addTextLine(about, "2013, by the Velloran developers. Free to use.", 6, 117);
    addButton(about, 255, 175, 60, 20, "Ok", cmd::ButtonOK.text, true);
    about->visible = false;

    buildSizeDialog(editor, x, y, kResizeMapDialogName, "Pick a new Map Size", "Resize Map",
                    cmd::ButtonResizeMap.text);
    buildSizeDialog(editor, x, y, kCreateMapDialogName, "Create a New Map", "Create Map",
                    cmd::CreateMap.text);
}
