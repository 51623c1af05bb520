// An editor built on SDL's dummy video driver from the bundled working directory, for
// benchmarks.
#pragma once

#include <memory>

#include "app/editor.h"

struct BenchEditor {
    BenchEditor(int screenWidth, int screenHeight);
    ~BenchEditor();
    Editor& editor() { return *editor_; }

    // Replaces the map by `layers` layers of width x height cells holding varied tiles.
    void makeMap(int width, int height, int layers);

private:
    std::unique_ptr<Editor> editor_;
};
