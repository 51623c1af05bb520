// The menu bar: titles with chains of items, hit-testing, clicks and drawing.
#pragma once

#include <SDL.h>

#include <string>
#include <vector>

#include "app/hashed_name.h"

struct Editor;

struct MenuEntry {
    MenuEntry* owner = nullptr;  // the title of this entry's menu; a title owns itself
    bool selected = false;       // carries the selection mark (light text)
    bool radio = false;          // choosing it moves the selection mark to it
    HashedName command;
    MenuEntry* next = nullptr;  // the item below; a title's next is its first item
    SDL_Rect rect{0, 0, 0, 0};
    std::string label;
    bool separator = false;
    bool open = false;  // titles only
    bool highlighted = false;
    bool isTitle = false;
};

struct MenuList {
    MenuEntry* selected = nullptr;
    std::vector<MenuEntry*> titles;

    MenuList() = default;
    MenuList(const MenuList&) = delete;
    MenuList& operator=(const MenuList&) = delete;
    ~MenuList();
};

MenuEntry* createMenu(MenuList& menus, int x, const std::string& title);

// Adds an item below `previous` (a title or an item) and returns it, so calls chain. The label
// "_" makes a separator of half the height. An empty command takes the label as command.
MenuEntry* addMenuItem(MenuEntry* previous, int w, int h, const std::string& label,
                       const std::string& command, bool radio, bool selected);

// The first title whose command hash equals the name's.
MenuEntry* findMenu(const MenuList& menus, const HashedName& name);

// The last item of the named menu, or null.
MenuEntry* lastItem(const MenuList& menus, const HashedName& name);

// Removes and frees every item after `entry` in its chain.
void dropItemsAfter(MenuList& menus, MenuEntry* entry);

// The entry under the point: later titles first; items only of open menus.
MenuEntry* entryAt(const MenuList& menus, int x, int y);

void clearHighlights(MenuList& menus);

// Closes every open menu; true when one was open.
bool closeMenus(MenuList& menus);

// True when a title is open or highlighted.
bool menusActive(const MenuList& menus);

// The per-frame menu update; true when a click was consumed by the menus.
bool menuClick(MenuList& menus, int mouseX, int mouseY, bool mouseReleased,
               HashedName& chosenCommand, MenuEntry*& chosenEntry);

void drawMenus(Editor& editor);

// The menu tree of the running editor.
void buildMenus(Editor& editor);
