// UndoHistory: the steps Undo takes back and the steps Redo does again, what they hold in memory,
// and the fill steps that the press of the mouse button going on has opened.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <vector>

#include "edit/undo_step.h"

class UndoHistory {
public:
    // The undo side, oldest first, and the redo side, the step Redo takes next last.
    const std::deque<UndoStep>& undoSteps() const { return undo_; }
    const std::deque<UndoStep>& redoSteps() const { return redo_; }
    bool canUndo() const { return !undo_.empty(); }
    bool canRedo() const { return !redo_.empty(); }
    // The newest step Undo would take back, or null.
    UndoStep* newest() { return undo_.empty() ? nullptr : &undo_.back(); }
    // What both sides hold in memory.
    size_t bytes() const { return bytes_; }
    // Grows with every change to the map the history hears of: steps pushed, filled in, undone
    // and redone, and the changes that are no steps.
    uint64_t changes() const { return changes_; }

    // A new change: numbers and counts the step, pushes it and lets the redo side go, since
    // what it would do again no longer follows from the map. Then keeps within `limitBytes`.
    void push(UndoStep step, size_t limitBytes);
    // A change that is no step (a layer added, the map grown): the redo side goes.
    void noteChange();
    // A step that grew or shrank where it stands (a fill of the press that goes on) is counted
    // again.
    void recount(UndoStep& step, size_t limitBytes);
    // Drops the step with that serial number from the undo side.
    void erase(uint64_t serial);
    // Forgets every step: the map they belong to is gone.
    void clear();

    // Undo and Redo take the step nearest the present off their side; the step that takes it
    // back again then goes onto the other side (numbered anew), and the history keeps within
    // `limitBytes`.
    UndoStep takeUndo();
    UndoStep takeRedo();
    void putUndo(UndoStep step, size_t limitBytes);
    void putRedo(UndoStep step, size_t limitBytes);

    // The press going on: a fill records one step per press and per layer, opened before the
    // press's first fill of that layer and filled in by every fill of the press.
    // True once a fill of this press opened a step (whether or not it is kept).
    bool pressFilled() const { return pressFilled_; }
    bool pressFillOpen(uint64_t layerId) const;
    // Pushes the empty step a fill of `layerId` fills in, as a new change; it is not trimmed
    // until it is counted again.
    void openPressFill(uint64_t layerId, UndoStep step);
    // This press's fill step of the layer while it is still on the undo side, or null.
    UndoStep* pressFill(uint64_t layerId);
    // Once the press's fill step of a layer is gone, that layer's next fill of the press records.
    void forgetPressFill(uint64_t layerId);
    // The button was let go.
    void endPress();

private:
    struct PressFill {
        uint64_t layerId = 0;
        uint64_t stepSerial = 0;
    };

    void add(std::deque<UndoStep>& side, UndoStep step);
    void drop(UndoStep& step);
    // Lets go of the steps farthest from the present while both sides together are over the
    // limit, the oldest undo steps first; the one step left is kept, however large.
    void keepWithin(size_t limitBytes);

    std::deque<UndoStep> undo_;
    std::deque<UndoStep> redo_;
    size_t bytes_ = 0;
    uint64_t serial_ = 0;
    uint64_t changes_ = 0;
    bool pressFilled_ = false;
    std::vector<PressFill> pressFills_;
};

// What a step holds in memory, counted against the history's limit.
size_t stepBytes(const UndoStep& step);
