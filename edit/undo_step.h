// UndoStep: what one Undo takes back, as the overwritten cells of each layer it touched.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "edit/changed_cells.h"
#include "map/cell_access.h"

// One layer's part of a step: the layer's name and the old tiles of the cells it overwrote.
struct UndoRecord {
    std::string layerName;
    ChangedCells cells;
    // A stamp's footprint, the brush-sized block centred on the cell stamped (its corner may
    // lie outside the layer); only a stamp has one.
    bool stamp = false;
    CellBlock footprint;
};

struct UndoStep {
    std::vector<UndoRecord> records;
    uint64_t serial = 0;  // the editor's count of steps when this one was pushed
    size_t bytes = 0;     // what the step holds in memory, counted against the undo limit
};
