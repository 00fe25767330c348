// Undo and Redo of changes to the investment: each step keeps the record and the scales in
// force as they were before and after the change, so that going back is an exact copy rather
// than a second recalculation.
#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "model/Investment.h"
#include "model/Scales.h"

// The record with the scales it was worked out under: the two in force and the editors'
// "Custom" entries, which a scale editor may have rewritten on the way.
struct RecordState {
    CVELPPCDoc record;
    Scales scales;

    static RecordState Capture(const CVELPPCDoc& doc, const Scales& scales);
    // Copies the record's fields and the scales back; the document keeps its views and its
    // modified flag.
    void Restore(CVELPPCDoc& doc, Scales& scales) const;
    bool SameRecord(const RecordState& other) const;
    bool SameScales(const RecordState& other) const;
    bool operator==(const RecordState& other) const {
        return SameRecord(other) && SameScales(other);
    }
};

// Every field of two records, texts, derived values and the table included, is the same.
bool SameFields(const CVELPPCDoc& a, const CVELPPCDoc& b);

class RecordHistory {
public:
    // Old steps beyond this are forgotten.
    static constexpr std::size_t kMaxSteps = 100;

    // A change named `name` took the record from `before` to `after`. Steps undone before it
    // can no longer be redone.
    void Record(std::string name, RecordState before, RecordState after);

    bool CanUndo() const { return done_ > 0; }
    bool CanRedo() const { return done_ < steps_.size(); }
    // The name of the step that Undo or Redo would take back or do again; empty when none.
    std::string UndoName() const;
    std::string RedoName() const;

    // Puts the record and the scales back as they were before the last step (after the next
    // one), marks the record changed unless that is the saved state, and updates its views.
    bool Undo(CVELPPCDoc& doc, Scales& scales);
    bool Redo(CVELPPCDoc& doc, Scales& scales);

    // New, Open: no steps, and the record as it is counts as saved.
    void Clear();
    // The record as it stands now has been saved.
    void MarkSaved() { saved_ = static_cast<long>(done_); }
    bool AtSavedState() const { return saved_ == static_cast<long>(done_); }
    std::size_t Size() const { return steps_.size(); }

private:
    // A state as a step keeps it: its texts (up to 64 KB each) held apart and shared with
    // the neighbouring states that have the same, so that a hundred steps that never touched
    // the notes hold one copy of them.
    struct Kept {
        RecordState state; // with empty texts
        std::array<std::shared_ptr<const std::u16string>, 3> texts;
    };
    static Kept Keep(RecordState state, const Kept* neighbour);
    static RecordState Full(const Kept& kept);

    void Apply(const RecordState& state, CVELPPCDoc& doc, Scales& scales) const;

    struct Step {
        std::string name;
        Kept before, after;
    };
    std::vector<Step> steps_;
    std::size_t done_ = 0;
    // Steps done when the record was last saved; -1 once that state can no longer be reached.
    long saved_ = 0;
};
