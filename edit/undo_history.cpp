// The two sides of the history, their memory and the press's fill steps.
#include "edit/undo_history.h"

#include <algorithm>
#include <utility>

size_t stepBytes(const UndoStep& step) {
    size_t bytes = sizeof(UndoStep);
    for (const UndoRecord& record : step.records)
        bytes += sizeof(UndoRecord) + record.cells.bytes();
    if (step.removedLayer) {
        bytes += sizeof(MapLayer) + step.removedLayer->name.capacity() +
                 step.removedLayer->tiles.capacity() * sizeof(uint16_t);
    }
    for (const auto& named : step.namesBefore) bytes += sizeof named + named.second.capacity();
    bytes += step.shapesBefore.capacity() * sizeof(LayerShape);
    return bytes;
}

void UndoHistory::add(std::deque<UndoStep>& side, UndoStep step) {
    step.serial = ++serial_;
    step.bytes = stepBytes(step);
    bytes_ += step.bytes;
    side.push_back(std::move(step));
}

void UndoHistory::drop(UndoStep& step) {
    bytes_ -= std::min(bytes_, step.bytes);
    step.bytes = 0;
}

void UndoHistory::keepWithin(size_t limitBytes) {
    while (bytes_ > limitBytes && undo_.size() + redo_.size() > 1) {
        // The step farthest from the present goes: of the two sides' far ends, the one more
        // steps away, the undo side's when they are as far.
        if (!undo_.empty() && undo_.size() >= redo_.size()) {
            drop(undo_.front());
            undo_.pop_front();
        } else {
            drop(redo_.front());
            redo_.pop_front();
        }
    }
}

void UndoHistory::noteChange() {
    for (UndoStep& step : redo_) drop(step);
    redo_.clear();
    ++changes_;
}

void UndoHistory::push(UndoStep step, size_t limitBytes) {
    noteChange();
    add(undo_, std::move(step));
    keepWithin(limitBytes);
}

void UndoHistory::recount(UndoStep& step, size_t limitBytes) {
    drop(step);
    step.bytes = stepBytes(step);
    bytes_ += step.bytes;
    ++changes_;
    keepWithin(limitBytes);
}

void UndoHistory::erase(uint64_t serial) {
    auto it = std::find_if(undo_.begin(), undo_.end(),
                           [serial](const UndoStep& step) { return step.serial == serial; });
    if (it == undo_.end()) return;
    drop(*it);
    undo_.erase(it);
}

void UndoHistory::clear() {
    undo_.clear();
    redo_.clear();
    bytes_ = 0;
    ++changes_;
    endPress();
}

UndoStep UndoHistory::takeUndo() {
    UndoStep step = std::move(undo_.back());
    undo_.pop_back();
    drop(step);
    // The press's fill of a layer whose step is undone records anew.
    for (const UndoRecord& record : step.records) forgetPressFill(record.layerId);
    ++changes_;
    return step;
}

UndoStep UndoHistory::takeRedo() {
    UndoStep step = std::move(redo_.back());
    redo_.pop_back();
    drop(step);
    ++changes_;
    return step;
}

void UndoHistory::putUndo(UndoStep step, size_t limitBytes) {
    add(undo_, std::move(step));
    keepWithin(limitBytes);
}

void UndoHistory::putRedo(UndoStep step, size_t limitBytes) {
    add(redo_, std::move(step));
    keepWithin(limitBytes);
}

bool UndoHistory::pressFillOpen(uint64_t layerId) const {
    return pressFilled_ &&
           std::any_of(pressFills_.begin(), pressFills_.end(),
                       [&](const PressFill& fill) { return fill.layerId == layerId; });
}

void UndoHistory::openPressFill(uint64_t layerId, UndoStep step) {
    noteChange();
    add(undo_, std::move(step));
    if (!pressFilled_) pressFills_.clear();
    pressFilled_ = true;
    pressFills_.push_back(PressFill{layerId, serial_});
}

UndoStep* UndoHistory::pressFill(uint64_t layerId) {
    if (!pressFilled_) return nullptr;
    for (const PressFill& fill : pressFills_) {
        if (fill.layerId != layerId) continue;
        for (auto it = undo_.rbegin(); it != undo_.rend(); ++it) {
            if (it->serial == fill.stepSerial) return &*it;
            if (it->serial < fill.stepSerial) break;
        }
    }
    return nullptr;
}

void UndoHistory::forgetPressFill(uint64_t layerId) {
    pressFills_.erase(
        std::remove_if(pressFills_.begin(), pressFills_.end(),
                       [&](const PressFill& fill) { return fill.layerId == layerId; }),
        pressFills_.end());
}

void UndoHistory::endPress() {
    pressFilled_ = false;
    pressFills_.clear();
}
