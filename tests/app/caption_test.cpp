// The caption in every situation that sets it.
#include "app/caption.h"

#include <gtest/gtest.h>

#include "app/main_loop.h"
#include "tests/support/test_editor.h"

TEST(Caption, EveryRowReadsExactly) {
    TestEditor t;
    Editor& e = t.editor();
    EXPECT_EQ(windowCaption(), "Velloran 1.09 / ");
    MapLayer layer;
    layer.width = 100;
    layer.height = 80;
    EXPECT_EQ(captionText(e, &layer, ""), "Velloran 1.09 /  / map:100x80");
    e.mapFileName = "F";
    EXPECT_EQ(captionText(e, &layer, ""), "Velloran 1.09 /  / map:100x80 -- F");
    EXPECT_EQ(captionText(e, &layer, "brush: 3x3 / layer:'L'"),
              "Velloran 1.09 / brush: 3x3 / layer:'L' / map:100x80 -- F");
    EXPECT_EQ(captionText(e, nullptr, "brush: 3x2 / icon:17"),
              "Velloran 1.09 / brush: 3x2 / icon:17 -- F");
    setCaption(e, &layer, "");
    EXPECT_EQ(windowCaption(), "Velloran 1.09 /  / map:100x80 -- F");
}

TEST(Caption, EmptyTitleKeepsTheOldOneButRebuildsTheCaption) {
    TestEditor t;
    Editor& e = t.editor();
    setCaption(e, currentMapLayer(e), "something");
    setTitle(e, "");
    EXPECT_EQ(windowCaption(), "Velloran 1.09 / ");
    setTitle(e, "Other");
    EXPECT_EQ(windowCaption(), "Other / ");
}

TEST(Caption, StartUpRequestShowsTheMapSizeOnceTheMouseIsOverAWindow) {
    TestEditor t;
    Editor& e = t.editor();
    prepareMainLoop(e);
    t.focusAt(100, 100);
    t.frame(100, 100);
    EXPECT_EQ(windowCaption(), "Velloran 1.09 /  / map:128x128");
}

TEST(Caption, StartUpRequestIsDroppedWithoutMouseFocus) {
    TestEditor t;
    prepareMainLoop(t.editor());
    t.frame(900, 900);
    t.focusAt(100, 100);
    t.frame(100, 100);
    EXPECT_EQ(windowCaption(), "Velloran 1.09 / ");
}
