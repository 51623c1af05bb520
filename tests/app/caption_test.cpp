// The caption in every situation that sets it.
#include "app/caption.h"

#include <gtest/gtest.h>

#include <functional>

#include "app/main_loop.h"
#include "edit/layer_commands.h"
#include "io/map_file.h"
#include "map/resize_layer.h"
#include "tests/support/editing.h"

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

// The caption follows the current layer at once: a digit key, a layer entry, Space, Layer >
// Add and Remove each show the stroke's wording for the layer the tools now work on, and a
// saved file becomes the map's file in the caption and for the next Save.
TEST(Caption, FollowsTheCurrentLayerAndTheFileSavedLast) {
    TestEditor t;
    Editor& e = t.editor();
    makeBrush(e, "Left", 3, 2, {1, 1, 1, 1, 1, 1});
    e.activeBrushSide = "Left";
    t.focusAt(100, 100);
    t.frame(100, 100);
    resizeLayer(e.layers, *currentMapLayer(e), 40, 30);
    const struct {
        const char* what;
        std::function<void()> act;
        const char* caption;
    } steps[] = {
        {"Layer > Add", [&] { addLayer(e); },
         "Velloran 1.09 / brush: 3x2 / layer:'Map1' / map:40x30"},
        {"the 2 key",
         [&] {
             t.pressKey(SDLK_2);
             t.frame(100, 100);
         },
         "Velloran 1.09 / brush: 3x2 / layer:'Map2' / map:40x30"},
        {"Space",
         [&] {
             currentMapLayer(e)->width = 7;  // only a refreshed caption shows this
             t.pressKey(SDLK_SPACE);
             t.frame(100, 100);
         },
         "Velloran 1.09 / brush: 3x2 / layer:'Map2' / map:7x30"},
        {"Layer > Remove", [&] { removeCurrentLayer(e); },
         "Velloran 1.09 / brush: 3x2 / layer:'Map1' / map:40x30"},
        {"File > Save", [&] { saveMap(e, t.folder().path() + "/village.map"); },
         "Velloran 1.09 /  / map:40x30 -- village.map"},
    };
    for (const auto& step : steps) {
        step.act();
        EXPECT_EQ(windowCaption(), step.caption) << step.what;
    }
    EXPECT_EQ(e.mapFileName, "village.map");
}
