// The scale editors: "Stamp Duty" (StampDutyScaleLogic) and "Tax Scales" (TaxScalesLogic) with their
// item dialogs "Specify Stamp Duty Item" (StampDutyItemLogic) and "Specify Scale Item"
// (ScaleItemLogic). Logic only; the dialogs are in ScaleDialogs.h.
//
// Each editor works on a copy of a scale that its caller fills and takes back after OK. Line i
// of the list always shows row i: the list is never sorted or reordered on its own. An edit
// that leaves the scale different from the built-in scale of its location makes it "Custom"
// and writes the "Custom" entry of the built-in scales, which keeps it for the rest of the run
// whatever becomes of the editor.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "model/Scales.h"
#include "ui/dialogs/EditorLogic.h"

// The texts of a list's lines, one vector of column texts per line.
using ScaleLines = std::vector<std::vector<std::u16string>>;

// What an editor's logic may do with its list (ControlPort has no list).
class ScaleListPort {
public:
    virtual ~ScaleListPort() = default;
    // The list shows exactly these lines, `selected` (or none for -1) selected, focused and
    // scrolled into view.
    virtual void ShowLines(const ScaleLines& lines, int selected) = 0;
};

// "Specify Stamp Duty Item": one row of a duty scale.
class StampDutyItemLogic : public EditorLogic {
public:
    enum Control : int { kAbove = 1001, kRate = 1002, kFlat = 1021 };
    double above = 0.0, rate = 0.0;
    int flat = 0;
    void Refresh(ControlPort& port) override;

protected:
    void OnOk(ControlPort& port) override;
};

// "Specify Scale Item": one row of a tax scale.
class ScaleItemLogic : public EditorLogic {
public:
    enum Control : int { kAbove = 1001, kRate = 1002 };
    double above = 0.0, rate = 0.0;
    void Refresh(ControlPort& port) override;

protected:
    void OnOk(ControlPort& port) override;
};

// What both scale editors share: the selection, the buttons and their rules, the list events
// and the order of the custom check.
class ScaleEditorLogic : public EditorLogic {
public:
    enum Control : int { kLocation = 1031, kAdd = 1088, kModify = 1089, kRemove = 1090 };

    int selected = -1; // the selected row, -1 for none
    // Runs the item dialog ("Specify Stamp Duty Item", "Specify Scale Item") on a row's item,
    // a StampDutyItemLogic or a ScaleItemLogic; true on OK.
    std::function<bool(EditorLogic& item)> editItem;

    void SetList(ScaleListPort* list) { list_ = list; }

    // List events, each followed by a refresh. A tap selects the tapped line, or none (-1)
    // when it hits no line.
    void Tap(ControlPort& port, int line);
    // Up (-1) and Down (+1): one line, never beyond the first or the last.
    void Step(ControlPort& port, int step);
    // Double tap: selects the line and acts as "Modify".
    void DoubleTap(ControlPort& port, int line);

    // The lines the list shows: one per row in use.
    ScaleLines Lines() const;
    int LineCount() const { return RowsInUse(RowCount()); }
    virtual int Location() const = 0;
    virtual std::int16_t RowCount() const = 0;

    bool AddEnabled() const;
    bool ModifyEnabled() const;
    bool RemoveEnabled() const { return ModifyEnabled(); }

    void Refresh(ControlPort& port) override;

protected:
    virtual int NoneLocation() const = 0;
    // The column texts of a row in use.
    virtual std::vector<std::u16string> Line(int row) const = 0;
    // Runs the item dialog on row `row`, or on a new row at the end (its figures nil) when
    // `row` is the count of rows in use; true when it was accepted and the row took the item.
    virtual bool EditRow(int row) = 0;
    virtual void SetRowCount(std::int16_t count) = 0;
    virtual void RemoveRow(int row) = 0;
    // The entries of the location list: the built-in scales, "None" and "Custom".
    virtual int EntryCount() const = 0;
    // The working scale takes the rows (and the rest) of entry `location`.
    virtual void TakeEntry(int location) = 0;
    // The custom check's parts.
    virtual bool EqualsBuiltIn() const = 0;
    virtual void MakeCustom() = 0;
    // Puts the rows in use into ascending order of their amounts.
    virtual void SortRows() = 0;
    virtual bool IsCustom() const = 0;
    virtual void StoreCustomEntry() = 0;

    // Brings the selection into the list (none when the list is empty).
    void UpdateButtons();
    // The working scale no longer equal to the built-in scale of its location becomes "Custom".
    void CustomCheck();
    // Opening: the count of rows limited to the rows there are, a "Custom" scale's rows in the
    // "Custom" entry, the first row selected.
    void OnOpen(ControlPort& port) override;
    // OK: the rows are put in order before the scale is taken; a "Custom" scale's entry follows.
    void OnOk(ControlPort& port) override;
    bool OnClick(ControlPort& port, int id) override;
    // A location chosen: its entry's rows.
    bool OnChoose(ControlPort& port, int id) override;

private:
    // "Add": the item dialog on a new row at the end; true when it was accepted.
    bool AddRow();
    ScaleListPort* list_ = nullptr;
};

// "Stamp Duty": edits a copy of a duty scale. BaseDuty is carried through untouched.
class StampDutyScaleLogic : public ScaleEditorLogic {
public:
    enum Control : int { kList = 1087 };

    DutyScale scale; // the working copy, filled by the caller
    // The investment's "Custom" entry, filled by the caller; rewritten as the rows are edited,
    // so that choosing "Custom" later brings them back. The caller takes it back even on
    // Cancel.
    DutyScale custom;

    int Location() const override { return scale.Location; }
    std::int16_t RowCount() const override { return scale.Count; }

protected:
    int NoneLocation() const override { return kDutyLocationNone; }
    std::vector<std::u16string> Line(int row) const override;
    bool EditRow(int row) override;
    void SetRowCount(std::int16_t count) override { scale.Count = count; }
    void RemoveRow(int row) override;
    int EntryCount() const override { return kBuiltInDutyCount; }
    void TakeEntry(int location) override;
    bool EqualsBuiltIn() const override;
    void MakeCustom() override;
    void SortRows() override;
    bool IsCustom() const override { return scale.Location == kDutyLocationCustom; }
    void StoreCustomEntry() override;

private:
    // Entry `location` of the list: "Custom" or a built-in scale.
    DutyScale Entry(int location) const;
};

// "Tax Scales": edits a copy of a tax scale with its Medicare levy.
class TaxScalesLogic : public ScaleEditorLogic {
public:
    enum Control : int {
        kThreshold = 1001,
        kMedicareRate = 1002,
        kList = 1091,
        kShadeIn = 1100, // "Reduced levy on low incomes"
    };

    TaxScale scale; // the working copy, filled by the caller
    // The investment's "Custom" entry, as for the stamp duty scale.
    TaxScale custom;

    int Location() const override { return scale.Location; }
    std::int16_t RowCount() const override { return scale.Count; }
    void Refresh(ControlPort& port) override;

protected:
    int NoneLocation() const override { return kTaxLocationNone; }
    std::vector<std::u16string> Line(int row) const override;
    bool EditRow(int row) override;
    void SetRowCount(std::int16_t count) override { scale.Count = count; }
    void RemoveRow(int row) override;
    int EntryCount() const override { return kBuiltInTaxCount; }
    void TakeEntry(int location) override;
    bool EqualsBuiltIn() const override;
    void MakeCustom() override;
    void SortRows() override;
    bool IsCustom() const override { return scale.Location == kTaxLocationCustom; }
    void StoreCustomEntry() override;

    bool OnLeaveEdit(ControlPort& port, int id) override;
    bool OnClick(ControlPort& port, int id) override;
    void OnOk(ControlPort& port) override;

private:
    // Entry `location` of the list: "Custom" or a built-in scale.
    TaxScale Entry(int location) const;
    // Takes a Medicare field that differs from its working value; true when it did.
    bool TakeMedicareField(const ControlPort& port, int id);
};

// Formats of the lists and the item dialogs.
inline constexpr const char* kScaleAmountFormat = "$0,m";
inline constexpr const char* kDutyRateFormat = "#.00";
inline constexpr const char* kTaxRateFormat = "0.00";
// Tolerances of the custom check: rows, and the Medicare values.
inline constexpr double kRowTolerance = 0.01;
inline constexpr double kMedicareTolerance = 0.001;
