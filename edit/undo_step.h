// UndoStep: what one Undo takes back: the overwritten cells of each layer it touched, and for
// the commands that change the map's layers themselves, what they were before. Putting a step
// back gives the step that does it again, of the same kind, so Redo keeps steps alike.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "edit/changed_cells.h"
#include "map/cell_access.h"

// One layer's part of a step: which layer (by identity, so renaming and renumbering the layers
// does not matter) and the old tiles of the cells it overwrote.
struct UndoRecord {
    uint64_t layerId = 0;
    // The layer's width when the cells were noted: they go back by column and row.
    int layerWidth = 0;
    ChangedCells cells;
    // A stamp's footprint, the brush-sized block centred on the cell stamped (its corner may
    // lie outside the layer); only a stamp has one.
    bool stamp = false;
    CellBlock footprint;
};

// A map layer's size and view before a ReSize made it anew.
struct LayerShape {
    uint64_t layerId = 0;
    int width = 0, height = 0;
    int offsetX = 0, offsetY = 0;
    int cellWidth = kTileEdge, cellHeight = kTileEdge;
    bool visible = true;
    bool checkerBackground = false;
};

struct UndoStep {
    std::vector<UndoRecord> records;
    // Layer > Remove: the layer itself, whole, and its slot in the editor's layer list.
    std::unique_ptr<MapLayer> removedLayer;
    size_t removedSlot = 0;
    // Removing again (what Redo of a removal does): the identity of the layer to take out.
    uint64_t layerToTakeOut = 0;
    // Remove: every map layer's name and the current layer before, since removing a layer
    // renames the layers above it.
    std::vector<std::pair<uint64_t, std::string>> namesBefore;
    int currentLayerBefore = 0;
    // Map > ReSize: each layer's shape before; the records hold the cells it cut away.
    std::vector<LayerShape> shapesBefore;
    // Placing a marker: the number the next marker got before it (-1: not a placement).
    int nextMarkerBefore = -1;
    // The marker held with 'e' before (-1: not noted, so a step that puts the held marker back
    // on the map lets go of it, so that it cannot be put down twice).
    int heldMarkerBefore = -1;

    uint64_t serial = 0;  // the editor's count of steps when this one was pushed
    size_t bytes = 0;     // what the step holds in memory, counted against the undo limit

    // True when the step changes the layers themselves, not only cells.
    bool changesLayers() const {
        return removedLayer || layerToTakeOut != 0 || !shapesBefore.empty();
    }
};
