// Noting, settling and restoring overwritten cells.
#include "edit/changed_cells.h"

#include <algorithm>

size_t ChangedCells::bytes() const {
    return runStart.capacity() * sizeof(uint32_t) + runLength.capacity() * sizeof(uint32_t) +
           oldTiles.capacity() * sizeof(uint16_t);
}

void ChangedCells::note(const MapLayer& layer, size_t start, size_t count) {
    if (count == 0) return;
    const bool continuesLastRun =
        !runStart.empty() && runStart.back() + static_cast<size_t>(runLength.back()) == start;
    if (continuesLastRun) {
        runLength.back() += static_cast<uint32_t>(count);
    } else {
        runStart.push_back(static_cast<uint32_t>(start));
        runLength.push_back(static_cast<uint32_t>(count));
    }
    const uint16_t* from = layer.tiles.data() + start;
    oldTiles.insert(oldTiles.end(), from, from + count);
}

namespace {
// Appends one cell to a record being built, joining it to the run before when it follows on.
void append(ChangedCells& cells, size_t index, uint16_t old) {
    if (!cells.runStart.empty() &&
        cells.runStart.back() + static_cast<size_t>(cells.runLength.back()) == index) {
        ++cells.runLength.back();
    } else {
        cells.runStart.push_back(static_cast<uint32_t>(index));
        cells.runLength.push_back(1);
    }
    cells.oldTiles.push_back(old);
}

// Calls visit(index, old tile) for every noted cell, in the order they were noted.
template <typename Visit>
void forEachNote(const ChangedCells& cells, Visit visit) {
    size_t at = 0;
    for (size_t run = 0; run < cells.runStart.size(); ++run) {
        for (uint32_t i = 0; i < cells.runLength[run]; ++i, ++at) {
            visit(static_cast<size_t>(cells.runStart[run]) + i, cells.oldTiles[at]);
        }
    }
}
}  // namespace

void keepChangedOnly(ChangedCells& cells, const MapLayer& layer) {
    ChangedCells kept;
    const size_t cellsOfLayer = layer.tiles.size();
    if (cells.cellCount() * 16 < cellsOfLayer) {
        // Few notes on a big layer: sorting them costs less than a mark for every cell.
        struct Note {
            size_t index;
            uint16_t old;
        };
        std::vector<Note> notes;
        notes.reserve(cells.cellCount());
        forEachNote(cells, [&](size_t index, uint16_t old) { notes.push_back({index, old}); });
        // Stable, so that of the notes of one cell the first (oldest) comes first.
        std::stable_sort(notes.begin(), notes.end(),
                         [](const Note& a, const Note& b) { return a.index < b.index; });
        for (size_t i = 0; i < notes.size(); ++i) {
            const Note& note = notes[i];
            if (i > 0 && notes[i - 1].index == note.index) continue;
            if (note.index < cellsOfLayer && layer.tiles[note.index] != note.old)
                append(kept, note.index, note.old);
        }
    } else {
        // One mark a cell of the layer says whether the cell was met already.
        std::vector<bool> seen(cellsOfLayer);
        forEachNote(cells, [&](size_t index, uint16_t old) {
            if (index >= cellsOfLayer || seen[index]) return;
            seen[index] = true;
            if (layer.tiles[index] != old) append(kept, index, old);
        });
    }
    kept.runStart.shrink_to_fit();
    kept.runLength.shrink_to_fit();
    kept.oldTiles.shrink_to_fit();
    cells = std::move(kept);
}

namespace {
// Where the cell noted at `index` on a layer `notedWidth` cells wide lies on the layer now, by
// column and row; false when it lies beyond the layer.
bool placeOnLayer(size_t index, int notedWidth, const MapLayer& layer, size_t& at) {
    if (notedWidth != layer.width) {
        if (notedWidth <= 0) return false;
        const size_t column = index % static_cast<size_t>(notedWidth);
        const size_t row = index / static_cast<size_t>(notedWidth);
        if (column >= static_cast<size_t>(layer.width)) return false;
        index = row * static_cast<size_t>(layer.width) + column;
    }
    at = index;
    return index < layer.tiles.size();
}
}  // namespace

void restoreCells(const ChangedCells& cells, MapLayer& layer, int notedWidth) {
    size_t end = cells.oldTiles.size();
    for (size_t run = cells.runStart.size(); run-- > 0;) {
        const size_t length = cells.runLength[run];
        end -= length;
        const size_t start = cells.runStart[run];
        for (size_t i = length; i-- > 0;) {
            size_t at = 0;
            if (!placeOnLayer(start + i, notedWidth, layer, at)) continue;
            layer.tiles[at] = cells.oldTiles[end + i];
            layer.noteWritten(static_cast<int>(at % layer.width), static_cast<int>(at / layer.width),
                              1, 1);
        }
    }
}

ChangedCells exchangeCells(const ChangedCells& cells, MapLayer& layer, int notedWidth) {
    ChangedCells now;
    now.oldTiles.reserve(cells.cellCount());
    forEachNote(cells, [&](size_t index, uint16_t) {
        size_t at = 0;
        if (placeOnLayer(index, notedWidth, layer, at)) append(now, at, layer.tiles[at]);
    });
    now.runStart.shrink_to_fit();
    now.runLength.shrink_to_fit();
    now.oldTiles.shrink_to_fit();
    restoreCells(cells, layer, notedWidth);
    return now;
}

bool holdsTile(const ChangedCells& cells, uint16_t tile) {
    return std::find(cells.oldTiles.begin(), cells.oldTiles.end(), tile) != cells.oldTiles.end();
}
