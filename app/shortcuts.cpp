// The Ctrl shortcut table.
#include "app/shortcuts.h"

#include "app/command_names.h"
#include "app/editor.h"
#include "edit/dispatch.h"

namespace {
struct Shortcut {
    SDLKey key;
    bool shift;  // Shift held as well
    const HashedName* menu;
    const HashedName* item;
};

const Shortcut kShortcuts[] = {
    {SDLK_z, false, &cmd::Edit, &cmd::Undo}, {SDLK_y, false, &cmd::Edit, &cmd::Redo},
    {SDLK_z, true, &cmd::Edit, &cmd::Redo},  {SDLK_n, false, &cmd::File, &cmd::New},
    {SDLK_o, false, &cmd::File, &cmd::Open}, {SDLK_s, false, &cmd::File, &cmd::Save},
    {SDLK_q, false, &cmd::File, &cmd::Exit},
};
}  // namespace

bool handleShortcut(Editor& editor, const SDL_keysym& key) {
    if (!(key.mod & KMOD_CTRL)) return false;
    const bool shift = (key.mod & KMOD_SHIFT) != 0;
    for (const Shortcut& shortcut : kShortcuts) {
        if (shortcut.key == key.sym && shortcut.shift == shift) {
            runMenuItem(editor, *shortcut.menu, *shortcut.item);
            break;
        }
    }
    return true;
}
