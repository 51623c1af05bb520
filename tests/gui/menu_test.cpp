// Menus: the start-up tree, hit-testing, clicks, the radio mark and drawing.
#include <gtest/gtest.h>

#include "app/command_names.h"
#include "tests/support/test_editor.h"

namespace {
MenuEntry* item(const MenuList& menus, const char* title, int index) {
    MenuEntry* e = findMenu(menus, HashedName(title))->next;
    for (int i = 0; i < index; ++i) e = e->next;
    return e;
}

// A click: the button goes down and comes up again at (x, y).
bool click(MenuList& menus, int x, int y, HashedName& command, MenuEntry*& entry) {
    return menuClick(menus, x, y, true, command, entry);
}
}  // namespace

TEST(Menus, StartUpTreeHasItsGeometry) {
    TestEditor t;
    const MenuList& menus = t.editor().menus;
    ASSERT_EQ(menus.titles.size(), 6u);
    const int xs[] = {2, 46, 90, 134, 178, 222};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(menus.titles[i]->rect.x, xs[i]);
        EXPECT_EQ(menus.titles[i]->rect.y, 2);
        EXPECT_EQ(menus.titles[i]->rect.w, 40);
        EXPECT_EQ(menus.titles[i]->rect.h, 13);
        EXPECT_EQ(menus.titles[i]->owner, menus.titles[i]);
    }
    const int fileYs[] = {15, 33, 51, 69, 78};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(item(menus, "File", i)->rect.y, fileYs[i]);
    EXPECT_EQ(item(menus, "File", 3)->rect.h, 9);
    EXPECT_TRUE(item(menus, "File", 3)->separator);
    EXPECT_EQ(item(menus, "File", 4)->rect.w, 42);
    const int layerYs[] = {15, 33, 51, 69, 87, 105, 114};
    for (int i = 0; i < 7; ++i) EXPECT_EQ(item(menus, "Layer", i)->rect.y, layerYs[i]);
    MenuEntry* entry = item(menus, "Layer", 6);
    EXPECT_EQ(entry->label, "Map1");
    EXPECT_EQ(entry->command, HashedName("Layer Change"));
    EXPECT_TRUE(entry->radio);
    EXPECT_TRUE(entry->selected);
    EXPECT_EQ(menus.selected, entry);
    EXPECT_EQ(entry->next, nullptr);
    EXPECT_EQ(item(menus, "Help", 0)->command, cmd::AboutVelloran);
    EXPECT_EQ(item(menus, "Help", 0)->rect.w, 88);
    EXPECT_EQ(lastItem(menus, cmd::Layer), entry);
    EXPECT_EQ(lastItem(menus, HashedName("Nothing")), nullptr);
}

TEST(Menus, ItemsOfAClosedMenuAreNeverHit) {
    TestEditor t;
    MenuList& menus = t.editor().menus;
    EXPECT_EQ(entryAt(menus, 10, 20), nullptr);
    EXPECT_EQ(entryAt(menus, 10, 5)->label, "File");
    findMenu(menus, cmd::File)->open = 1;
    EXPECT_EQ(entryAt(menus, 10, 20)->label, "New");
}

TEST(Menus, BottomEdgeOfAnItemBelongsToTheNextItem) {
    TestEditor t;
    MenuList& menus = t.editor().menus;
    findMenu(menus, cmd::File)->open = 1;
    EXPECT_EQ(entryAt(menus, 2, 32)->label, "New");
    EXPECT_EQ(entryAt(menus, 2, 33)->label, "Open");
    EXPECT_EQ(entryAt(menus, 43, 33)->label, "Open");
    EXPECT_EQ(entryAt(menus, 44, 33), nullptr);
    EXPECT_EQ(entryAt(menus, 2, 96), nullptr);
}

TEST(Menus, LaterCreatedMenuWinsWhereOpenMenusOverlap) {
    MenuList menus;
    MenuEntry* first = createMenu(menus, 0, "One");
    addMenuItem(first, 100, 18, "First item", "", false, false);
    MenuEntry* second = createMenu(menus, 40, "Two");
    addMenuItem(second, 100, 18, "Second item", "", false, false);
    first->open = second->open = 1;
    EXPECT_EQ(entryAt(menus, 50, 20)->label, "Second item");
    EXPECT_EQ(entryAt(menus, 20, 20)->label, "First item");
    second->open = 0;
    EXPECT_EQ(entryAt(menus, 50, 20)->label, "First item");
}

TEST(Menus, TitleClickTogglesItsMenuAndClosesTheOthers) {
    TestEditor t;
    MenuList& menus = t.editor().menus;
    HashedName command("x");
    MenuEntry* entry = nullptr;
    MenuEntry* file = findMenu(menus, cmd::File);
    MenuEntry* edit = findMenu(menus, cmd::Edit);
    EXPECT_TRUE(click(menus, 10, 5, command, entry));
    EXPECT_EQ(command, cmd::None);
    EXPECT_TRUE(file->open);
    EXPECT_TRUE(click(menus, 50, 5, command, entry));
    EXPECT_FALSE(file->open);
    EXPECT_TRUE(edit->open);
    EXPECT_TRUE(click(menus, 50, 5, command, entry));
    EXPECT_FALSE(edit->open);
}

TEST(Menus, HoverOnlyHighlightsAndAClickOutsideCloses) {
    TestEditor t;
    MenuList& menus = t.editor().menus;
    HashedName command;
    MenuEntry* entry = nullptr;
    EXPECT_FALSE(menuClick(menus, 100, 5, false, command, entry));
    EXPECT_TRUE(findMenu(menus, cmd::Brush)->highlighted);
    EXPECT_FALSE(findMenu(menus, cmd::Brush)->open);
    EXPECT_TRUE(menusActive(menus));
    click(menus, 10, 5, command, entry);
    EXPECT_FALSE(menuClick(menus, 100, 5, false, command, entry));  // moving over another title
    EXPECT_TRUE(findMenu(menus, cmd::File)->open);
    EXPECT_FALSE(click(menus, 300, 300, command, entry));
    EXPECT_FALSE(findMenu(menus, cmd::File)->open);
    EXPECT_FALSE(menuClick(menus, 300, 300, false, command, entry));
    EXPECT_FALSE(menusActive(menus));
}

TEST(Menus, ChoosingAnItemClosesItsMenuAndReturnsItsCommand) {
    TestEditor t;
    MenuList& menus = t.editor().menus;
    HashedName command;
    MenuEntry* entry = nullptr;
    click(menus, 10, 5, command, entry);
    EXPECT_TRUE(click(menus, 10, 20, command, entry));
    EXPECT_EQ(command, cmd::New);
    EXPECT_EQ(entry->owner, findMenu(menus, cmd::File));
    EXPECT_FALSE(findMenu(menus, cmd::File)->open);
    click(menus, 10, 5, command, entry);
    EXPECT_TRUE(click(menus, 10, 72, command, entry));
    EXPECT_EQ(command, HashedName("_"));
}

TEST(Menus, RadioMarkMovesToTheChosenEntry) {
    TestEditor t;
    MenuList& menus = t.editor().menus;
    MenuEntry* first = menus.selected;
    MenuEntry* second = addMenuItem(first, 80, 18, "Map2", "Layer Change", true, false);
    HashedName command;
    MenuEntry* entry = nullptr;
    click(menus, 140, 5, command, entry);
    EXPECT_TRUE(click(menus, 140, second->rect.y + 1, command, entry));
    EXPECT_EQ(command, HashedName("Layer Change"));
    EXPECT_TRUE(second->selected);
    EXPECT_FALSE(first->selected);
    EXPECT_EQ(menus.selected, second);
}

TEST(Menus, DrawnColoursFollowHoverAndOpenState) {
    TestEditor t;
    Editor& e = t.editor();
    HashedName command;
    MenuEntry* entry = nullptr;
    menuClick(e.menus, 100, 5, false, command, entry);  // hover over Brush
    drawMenus(e);
    EXPECT_EQ(pixelAt(e.screen, 91, 3), (Rgb{144, 144, 166}));
    EXPECT_EQ(pixelAt(e.screen, 3, 3), (Rgb{188, 188, 188}));
    click(e.menus, 10, 5, command, entry);
    menuClick(e.menus, 10, 40, false, command, entry);  // hover over Open
    drawMenus(e);
    EXPECT_EQ(pixelAt(e.screen, 3, 3), (Rgb{188, 188, 188}));
    EXPECT_EQ(pixelAt(e.screen, 42, 34), (Rgb{244, 166, 80}));
    EXPECT_EQ(pixelAt(e.screen, 42, 16), (Rgb{188, 188, 188}));
}
