#include "ui/dialogs/ScaleEditors.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

#include "format/Format.h"
#include "format/Text.h"
#include "ui/dialogs/ValueExchange.h"

namespace {

std::u16string Shown(double value, const char* format) {
    return FromUtf8(FormatValue(value, format));
}

bool Near(double a, double b, double tolerance) { return std::fabs(a - b) <= tolerance; }

// A flat row charges its rate on the whole price only when its switch is above 0 (as the duty
// computation reads it); the list and the custom check read it the same way.
bool IsFlat(std::int16_t flat) { return flat > 0; }

// The order of rows by their amounts, stable. A NaN amount (only a damaged file holds one) goes
// first rather than breaking the ordering.
std::vector<int> AscendingOrder(const std::array<double, kScaleRows>& above, int count) {
    std::vector<int> order(static_cast<std::size_t>(count));
    std::iota(order.begin(), order.end(), 0);
    auto key = [&](int i) {
        double v = above[static_cast<std::size_t>(i)];
        return std::isnan(v) ? -std::numeric_limits<double>::infinity() : v;
    };
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return key(a) < key(b); });
    return order;
}

template <class T>
void Reorder(std::array<T, kScaleRows>& rows, const std::vector<int>& order) {
    std::array<T, kScaleRows> copy = rows;
    for (std::size_t i = 0; i < order.size(); ++i)
        rows[i] = copy[static_cast<std::size_t>(order[i])];
}

// Moves the rows after `row` up by one; the last row keeps what it held.
template <class T> void RemoveAt(std::array<T, kScaleRows>& rows, int row) {
    for (int i = row; i + 1 < kScaleRows; ++i)
        rows[static_cast<std::size_t>(i)] = rows[static_cast<std::size_t>(i + 1)];
}

std::int16_t ValidCount(std::int16_t count) { return static_cast<std::int16_t>(RowsInUse(count)); }

// What both kinds of scale have: the row count and each row's threshold and rate. The stamp
// duty scale adds each row's flat flag, the tax scale its Medicare figures.
template <class Scale> void RemoveRowOf(Scale& scale, int row) {
    RemoveAt(scale.Above, row);
    RemoveAt(scale.Rate, row);
    scale.Count = static_cast<std::int16_t>(std::max(0, RowsInUse(scale.Count) - 1));
}

template <class Scale> bool SameRows(const Scale& scale, const Scale& b) {
    if (b.Count != scale.Count) return false;
    for (int row = 0; row < RowsInUse(scale.Count); ++row) {
        const auto i = static_cast<std::size_t>(row);
        if (!Near(scale.Above[i], b.Above[i], kRowTolerance) ||
            !Near(scale.Rate[i], b.Rate[i], kRowTolerance))
            return false;
    }
    return true;
}

template <class Scale> void CopyRows(Scale& to, const Scale& from) {
    to.Count = from.Count;
    to.Above = from.Above;
    to.Rate = from.Rate;
}

// Sorts the rows by threshold; returns the order, for what a kind of scale adds to its rows.
template <class Scale> std::vector<int> SortRowsOf(Scale& scale) {
    const std::vector<int> order = AscendingOrder(scale.Above, RowsInUse(scale.Count));
    Reorder(scale.Above, order);
    Reorder(scale.Rate, order);
    return order;
}

} // namespace

// --- item dialogs ---

void StampDutyItemLogic::Refresh(ControlPort& port) {
    ShowValue(port, kAbove, above, kAmountFormat);
    ShowValue(port, kRate, rate, kPercentFormat);
    SetCheck(port, kFlat, flat);
}

void StampDutyItemLogic::OnOk(ControlPort& port) {
    ReadValueIfChanged(port, kAbove, above, kAmountFormat);
    ReadValueIfChanged(port, kRate, rate, kPercentFormat);
    flat = GetCheck(port, kFlat);
}

void ScaleItemLogic::Refresh(ControlPort& port) {
    ShowValue(port, kAbove, above, kAmountFormat);
    ShowValue(port, kRate, rate, kPercentFormat);
}

void ScaleItemLogic::OnOk(ControlPort& port) {
    ReadValueIfChanged(port, kAbove, above, kAmountFormat);
    ReadValueIfChanged(port, kRate, rate, kPercentFormat);
}

// --- shared by both editors ---

ScaleLines ScaleEditorLogic::Lines() const {
    ScaleLines lines;
    for (int row = 0; row < LineCount(); ++row) lines.push_back(Line(row));
    return lines;
}

bool ScaleEditorLogic::AddEnabled() const {
    return Location() != NoneLocation() && LineCount() < kScaleRows;
}

bool ScaleEditorLogic::ModifyEnabled() const {
    return Location() != NoneLocation() && selected >= 0 && selected < LineCount();
}

void ScaleEditorLogic::Refresh(ControlPort& port) {
    port.PutChoice(kLocation, Location());
    if (list_) list_->ShowLines(Lines(), selected);
    port.Enable(kAdd, AddEnabled());
    port.Enable(kModify, ModifyEnabled());
    port.Enable(kRemove, RemoveEnabled());
}

void ScaleEditorLogic::UpdateButtons() {
    const int lines = LineCount();
    // An empty list leaves the selection as it was; Modify and Remove check it against the
    // rows anyway.
    if (lines > 0) selected = std::clamp(selected, 0, lines - 1);
}

void ScaleEditorLogic::OnOpen(ControlPort&) {
    SetRowCount(ValidCount(RowCount()));
    // Choosing "Custom" later in this run brings the scale's rows back.
    if (IsCustom()) StoreCustomEntry();
    selected = LineCount() > 0 ? 0 : -1;
    UpdateButtons();
}

void ScaleEditorLogic::CustomCheck() {
    if (!EqualsBuiltIn()) MakeCustom();
    UpdateButtons();
}

bool ScaleEditorLogic::OnChoose(ControlPort& port, int id) {
    const int location = port.GetChoice(id);
    if (id != kLocation || location < 0 || location >= EntryCount()) return false;
    TakeEntry(location);
    UpdateButtons();
    return true;
}

bool ScaleEditorLogic::AddRow() {
    const int row = LineCount();
    if (row >= kScaleRows || !EditRow(row)) return false;
    selected = row;
    SetRowCount(static_cast<std::int16_t>(row + 1));
    return true;
}

void ScaleEditorLogic::OnOk(ControlPort&) {
    SortRows();
    if (IsCustom()) StoreCustomEntry();
}

bool ScaleEditorLogic::OnClick(ControlPort&, int id) {
    switch (id) {
    case kAdd:
        if (!AddEnabled()) return false;
        AddRow();
        // Runs whether the item dialog was accepted or not.
        CustomCheck();
        return true;
    case kModify:
        if (!ModifyEnabled()) return false;
        EditRow(selected);
        CustomCheck();
        return true;
    case kRemove:
        if (!RemoveEnabled()) return false;
        RemoveRow(selected);
        // Removing the first row leaves no selection until the buttons are updated.
        --selected;
        CustomCheck();
        return true;
    default:
        return false;
    }
}

void ScaleEditorLogic::Tap(ControlPort& port, int line) {
    selected = line >= 0 && line < LineCount() ? line : -1;
    Refresh(port);
}

void ScaleEditorLogic::Step(ControlPort& port, int step) {
    const int lines = LineCount();
    if (lines == 0) return;
    selected = selected < 0 ? 0 : std::clamp(selected + step, 0, lines - 1);
    Refresh(port);
}

void ScaleEditorLogic::DoubleTap(ControlPort& port, int line) {
    if (line < 0 || line >= LineCount()) return;
    selected = line;
    Refresh(port);
    Click(port, kModify);
}

// --- "Stamp Duty" ---

std::vector<std::u16string> StampDutyScaleLogic::Line(int row) const {
    if (row < 0 || row >= RowsInUse(scale.Count)) return {};
    const auto i = static_cast<std::size_t>(row);
    return {Shown(scale.Above[i], kScaleAmountFormat), Shown(scale.Rate[i], kDutyRateFormat),
            IsFlat(scale.Flat[i]) ? u"Flat" : u""};
}

bool StampDutyScaleLogic::EditRow(int row) {
    const auto i = static_cast<std::size_t>(row);
    StampDutyItemLogic item; // a new row: Above 0, Rate 0, not flat
    if (row < RowsInUse(scale.Count)) {
        item.above = scale.Above[i];
        item.rate = scale.Rate[i];
        item.flat = IsFlat(scale.Flat[i]) ? 1 : 0;
    }
    if (!editItem || !editItem(item)) return false;
    scale.Above[i] = item.above;
    scale.Rate[i] = item.rate;
    scale.Flat[i] = item.flat ? 1 : 0;
    return true;
}

void StampDutyScaleLogic::RemoveRow(int row) {
    RemoveAt(scale.Flat, row);
    RemoveRowOf(scale, row);
}

DutyScale StampDutyScaleLogic::Entry(int location) const {
    return location == kDutyLocationCustom ? custom : ShippedDutyScale(location);
}

void StampDutyScaleLogic::TakeEntry(int location) {
    const double baseDuty = scale.BaseDuty; // the scale's own, not the entry's
    scale = Entry(location);
    scale.Location = static_cast<std::int16_t>(location);
    scale.Count = ValidCount(scale.Count);
    scale.BaseDuty = baseDuty;
}

bool StampDutyScaleLogic::EqualsBuiltIn() const {
    if (scale.Location < 0 || scale.Location >= kBuiltInDutyCount) return false;
    const DutyScale b = Entry(scale.Location);
    if (!SameRows(scale, b)) return false;
    for (int row = 0; row < RowsInUse(scale.Count); ++row) {
        const auto i = static_cast<std::size_t>(row);
        if (IsFlat(scale.Flat[i]) != IsFlat(b.Flat[i])) return false;
    }
    return true;
}

void StampDutyScaleLogic::StoreCustomEntry() {
    CopyRows(custom, scale);
    custom.Flat = scale.Flat;
}

void StampDutyScaleLogic::MakeCustom() {
    scale.Location = kDutyLocationCustom;
    StoreCustomEntry();
}

void StampDutyScaleLogic::SortRows() { Reorder(scale.Flat, SortRowsOf(scale)); }

// --- "Tax Scales" ---

std::vector<std::u16string> TaxScalesLogic::Line(int row) const {
    if (row < 0 || row >= RowsInUse(scale.Count)) return {};
    const auto i = static_cast<std::size_t>(row);
    return {Shown(scale.Above[i], kScaleAmountFormat), Shown(scale.Rate[i], kTaxRateFormat)};
}

bool TaxScalesLogic::EditRow(int row) {
    const auto i = static_cast<std::size_t>(row);
    ScaleItemLogic item; // a new row: Above 0, Rate 0
    if (row < RowsInUse(scale.Count)) {
        item.above = scale.Above[i];
        item.rate = scale.Rate[i];
    }
    if (!editItem || !editItem(item)) return false;
    scale.Above[i] = item.above;
    scale.Rate[i] = item.rate;
    return true;
}

void TaxScalesLogic::RemoveRow(int row) { RemoveRowOf(scale, row); }

TaxScale TaxScalesLogic::Entry(int location) const {
    return location == kTaxLocationCustom ? custom : ShippedTaxScale(location);
}

void TaxScalesLogic::TakeEntry(int location) {
    scale = Entry(location);
    scale.Location = static_cast<std::int16_t>(location);
    scale.Count = ValidCount(scale.Count);
}

bool TaxScalesLogic::EqualsBuiltIn() const {
    if (scale.Location < 0 || scale.Location >= kBuiltInTaxCount) return false;
    const TaxScale b = Entry(scale.Location);
    return SameRows(scale, b) && Near(scale.MedicareRate, b.MedicareRate, kMedicareTolerance) &&
           Near(scale.MedicareThreshold, b.MedicareThreshold, kMedicareTolerance) &&
           scale.MedicareShadeIn == b.MedicareShadeIn;
}

void TaxScalesLogic::StoreCustomEntry() {
    CopyRows(custom, scale);
    custom.MedicareRate = scale.MedicareRate;
    custom.MedicareThreshold = scale.MedicareThreshold;
    custom.MedicareShadeIn = scale.MedicareShadeIn;
}

void TaxScalesLogic::MakeCustom() {
    scale.Location = kTaxLocationCustom;
    StoreCustomEntry();
}

void TaxScalesLogic::SortRows() { SortRowsOf(scale); }

void TaxScalesLogic::Refresh(ControlPort& port) {
    ScaleEditorLogic::Refresh(port);
    ShowValue(port, kThreshold, scale.MedicareThreshold, kAmountFormat);
    ShowValue(port, kMedicareRate, scale.MedicareRate, kPercentFormat);
    SetCheck(port, kShadeIn, scale.MedicareShadeIn ? 1 : 0);
}

bool TaxScalesLogic::TakeMedicareField(const ControlPort& port, int id) {
    if (id == kThreshold)
        return ReadValueIfChanged(port, kThreshold, scale.MedicareThreshold, kAmountFormat);
    if (id == kMedicareRate)
        return ReadValueIfChanged(port, kMedicareRate, scale.MedicareRate, kPercentFormat);
    return false;
}

bool TaxScalesLogic::OnLeaveEdit(ControlPort& port, int id) {
    if (!TakeMedicareField(port, id)) return false;
    CustomCheck();
    return true;
}

bool TaxScalesLogic::OnClick(ControlPort& port, int id) {
    if (id != kShadeIn) return ScaleEditorLogic::OnClick(port, id);
    scale.MedicareShadeIn = GetCheck(port, kShadeIn) != 0;
    CustomCheck();
    return true;
}

// Both Medicare fields are taken: a value typed into one of them must not be lost because the
// other one differs too.
void TaxScalesLogic::OnOk(ControlPort& port) {
    const bool threshold = TakeMedicareField(port, kThreshold);
    const bool rate = TakeMedicareField(port, kMedicareRate);
    if (threshold || rate) CustomCheck();
    ScaleEditorLogic::OnOk(port);
}
