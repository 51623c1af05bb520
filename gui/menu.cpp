// Building, hit-testing, clicking and drawing the menus.
#include "gui/menu.h"

#include "app/command_names.h"
#include "app/editor.h"
#include "gui/widgets.h"

namespace {
void freeChain(MenuEntry* entry) {
    while (entry) {
        MenuEntry* next = entry->next;
        delete entry;
        entry = next;
    }
}

}  // namespace

bool closeMenus(MenuList& menus) {
    bool wasOpen = false;
    for (MenuEntry* title : menus.titles) {
        wasOpen = wasOpen || title->open;
        title->open = false;
    }
    return wasOpen;
}

MenuList::~MenuList() {
    for (MenuEntry* title : titles) freeChain(title);
}

MenuEntry* createMenu(MenuList& menus, int x, const std::string& title) {
    auto* entry = new MenuEntry;
    entry->isTitle = true;
    entry->owner = entry;
    entry->rect = SDL_Rect{static_cast<Sint16>(x), 2, 40, 13};
    entry->label = title;
    entry->command = HashedName(title);
    menus.titles.push_back(entry);
    return entry;
}

MenuEntry* addMenuItem(MenuEntry* previous, int w, int h, const std::string& label,
                       const std::string& command, bool radio, bool selected) {
    auto* entry = new MenuEntry;
    entry->owner = previous->owner;
    entry->separator = label == "_";
    entry->rect =
        SDL_Rect{previous->rect.x, static_cast<Sint16>(previous->rect.y + previous->rect.h),
                 static_cast<Uint16>(w), static_cast<Uint16>(entry->separator ? h / 2 : h)};
    entry->label = label;
    entry->command = HashedName(command.empty() ? label : command);
    entry->radio = radio;
    entry->selected = selected;
    entry->next = previous->next;
    previous->next = entry;
    return entry;
}

MenuEntry* findMenu(const MenuList& menus, const HashedName& name) {
    for (MenuEntry* title : menus.titles) {
        if (title->command.hash == name.hash) return title;
    }
    return nullptr;
}

MenuEntry* lastItem(const MenuList& menus, const HashedName& name) {
    MenuEntry* title = findMenu(menus, name);
    if (!title) return nullptr;
    MenuEntry* last = nullptr;
    for (MenuEntry* entry = title->next; entry; entry = entry->next) {
        if (!entry->isTitle) last = entry;
    }
    return last;
}

void dropItemsAfter(MenuList& menus, MenuEntry* entry) {
    if (!entry) return;
    for (MenuEntry* e = entry->next; e; e = e->next) {
        if (menus.selected == e) menus.selected = nullptr;
    }
    freeChain(entry->next);
    entry->next = nullptr;
}

MenuEntry* entryAt(const MenuList& menus, int x, int y) {
    for (auto it = menus.titles.rbegin(); it != menus.titles.rend(); ++it) {
        MenuEntry* title = *it;
        for (MenuEntry* entry = title; entry; entry = entry->next) {
            if (!rectContains(entry->rect, x, y)) continue;
            if (entry->isTitle || title->open) return entry;
        }
    }
    return nullptr;
}

void clearHighlights(MenuList& menus) {
    for (MenuEntry* title : menus.titles) {
        for (MenuEntry* entry = title; entry; entry = entry->next) entry->highlighted = false;
    }
}

bool menusActive(const MenuList& menus) {
    for (const MenuEntry* title : menus.titles) {
        if (title->open || title->highlighted) return true;
    }
    return false;
}

bool menuClick(MenuList& menus, int mouseX, int mouseY, bool mouseReleased,
               HashedName& chosenCommand, MenuEntry*& chosenEntry) {
    clearHighlights(menus);
    MenuEntry* entry = entryAt(menus, mouseX, mouseY);
    chosenEntry = entry;
    if (!mouseReleased) {
        if (entry) entry->highlighted = true;
        return false;
    }
    if (!entry) {
        closeMenus(menus);
        return false;
    }
    if (entry->isTitle) {
        for (MenuEntry* title : menus.titles) {
            if (title != entry) title->open = false;
        }
        entry->open = !entry->open;
        chosenCommand = HashedName("");
        return true;
    }
    closeMenus(menus);
    chosenCommand = entry->command;
    if (entry->radio) {
        if (menus.selected) menus.selected->selected = false;
        entry->selected = true;
        menus.selected = entry;
    }
    return true;
}

namespace {
void drawEntry(Editor& editor, const MenuEntry& entry) {
    if ((entry.highlighted || entry.open) && !entry.separator) {
        if (entry.isTitle) {
            if (entry.open) {
                fillRect(editor, entry.rect, 188, 188, 188);
            } else {
                fillRect(editor, entry.rect, 144, 144, 166);
            }
        } else {
            fillRect(editor, entry.rect, 244, 166, 80);
        }
    } else {
        fillRect(editor, entry.rect, 188, 188, 188);
    }
    SDL_Color colour = entry.selected ? SDL_Color{244, 244, 244, 0} : SDL_Color{0, 0, 0, 0};
    SDL_Surface* text = renderText(editor, entry.label, colour);
    if (!text) return;
    int x = entry.isTitle ? entry.rect.x + (static_cast<int>(entry.rect.w) - text->w) / 2
                          : entry.rect.x + 2;
    int y = entry.rect.y + (static_cast<int>(entry.rect.h) - text->h) / 2;
    blitText(editor, text, x, y);
}
}  // namespace

void drawMenus(Editor& editor) {
    for (const MenuEntry* title : editor.menus.titles) {
        drawEntry(editor, *title);
        if (!title->open) continue;
        for (const MenuEntry* item = title->next; item; item = item->next) drawEntry(editor, *item);
    }
}

void buildMenus(Editor& editor) {
    MenuList& menus = editor.menus;
    MenuEntry* e = createMenu(menus, 2, "File");
    e = addMenuItem(e, 42, 18, "New", "", false, false);
    e = addMenuItem(e, 42, 18, "Open", "", false, false);
    e = addMenuItem(e, 42, 18, "Save", "", false, false);
    e = addMenuItem(e, 42, 18, "_", "", false, false);
    addMenuItem(e, 42, 18, "Exit", "", false, false);

    e = createMenu(menus, 46, "Edit");
    for (const char* label : {"Undo", "Fill", "Fill Random", "Draw", "Draw Random", "Redo"}) {
        e = addMenuItem(e, 82, 18, label, "", false, false);
    }

    e = createMenu(menus, 90, "Brush");
    for (const char* label : {"Pick Brush", "Shuffle LB", "Shuffle RB"}) {
        e = addMenuItem(e, 68, 18, label, "", false, false);
    }

    e = createMenu(menus, 134, "Layer");
    for (const char* label : {"Add", "Remove", "Hide", "Show", "Clear", "_"}) {
        e = addMenuItem(e, 80, 18, label, "", false, false);
    }
    menus.selected =
        addMenuItem(e, 80, 18, stringSetting(editor, "Layer1"), cmd::LayerChange.text, true, true);

    e = createMenu(menus, 178, "Map");
    for (const char* label : {"Clear", "ReSize", "Fill Edge"}) {
        e = addMenuItem(e, 70, 18, label, "", false, false);
    }
    // The zoom items come after the first three, wide enough for their own labels.
    for (const char* label : {"Zoom In", "Zoom Out", "Actual Size", "Whole Map"}) {
        e = addMenuItem(e, 84, 18, label, "", false, false);
    }

    e = createMenu(menus, 222, "Help");
    addMenuItem(e, 88, 18, "About Velloran", "", false, false);
}
