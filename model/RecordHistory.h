// Undo and Redo of changes to the investment: each step keeps the record and the scales in
// force as they were before and after the change, so that going back is an exact copy rather
// than a second recalculation.
#pragma once

#include <array>
#include <cstddef>
#include <memory>

#include "model/Investment.h"
#include "model/Scales.h"

// The record with the scales it was worked out under: the two in force and the editors'
// "Custom" entries, which a scale editor may have rewritten on the way.
struct RecordState {
    Investment record;
    Scales scales;

    static RecordState Capture(const Investment& doc, const Scales& scales);
    // Copies the record's fields and the scales back.
    void Restore(Investment& doc, Scales& scales) const;
    bool SameRecord(const RecordState& other) const;
    bool SameScales(const RecordState& other) const;
    bool operator==(const RecordState& other) const {
        return SameRecord(other) && SameScales(other);
    }
};

// Every field of two records, texts, derived values and the table included, is the same.
bool SameFields(const Investment& a, const Investment& b);

// Undo keeps this many steps; older ones are forgotten.
inline constexpr std::size_t kMaxUndoSteps = 100;

// A state as an undo step keeps it: its texts (up to 64 KB each) held apart and shared with
// a neighbouring state that has the same, so that a hundred steps that never touched the
// notes hold one copy of them.
struct KeptState {
    RecordState state; // with empty texts
    std::array<std::shared_ptr<const std::u16string>, 3> texts;

    static KeptState Keep(RecordState state, const KeptState* neighbour);
    RecordState Full() const;
};
