// The editors of the property itself: the "Details" sheet (pages "Address" and "Notes"),
// "Property Value" and "Purchase Costs". Logic only; the dialogs are in PropertyDialogs.h.
#pragma once

#include <string>

#include "model/Scales.h"
#include "ui/dialogs/EditorLogic.h"

// Page "Address": the texts are taken when the sheet is accepted.
class PropertyDescriptionLogic : public EditorLogic {
public:
    enum Control : int { kAddress = 1, kDescription };
    std::u16string address, description;
    void Refresh(ControlPort& port) override;

protected:
    void OnOk(ControlPort& port) override;
};

// Page "Notes".
class NotesLogic : public EditorLogic {
public:
    enum Control : int { kNotes = 1 };
    std::u16string notes;
    void Refresh(ControlPort& port) override;

protected:
    void OnOk(ControlPort& port) override;
};

// "Property Value": the market value follows price + renovations whenever either changes.
class PropertyValueLogic : public TypedEditorLogic {
public:
    enum Control : int { kPrice = 1, kRenovations, kBookValue, kMarketValue, kFurniture };
    double price = 0.0, renovations = 0.0, bookValue = 0.0, marketValue = 0.0, furniture = 0.0;
    void Refresh(ControlPort& port) override;

protected:
    void OnOpen(ControlPort&) override { WorkOut(); }
    void TakeEdits(const ControlPort& port) override;
    void WorkOut() override { bookValue = price + renovations; }
};

// "Purchase Costs": stamp duty, conveyancing, other costs; the stamp duty may follow the
// investment's stamp duty scale on the price.
class PurchaseCostsLogic : public TypedEditorLogic {
public:
    enum Control : int {
        kStampDuty = 1,
        kConveyancing,
        kOtherCosts,
        kPurchaseCosts,
        kUsesScale,
        kChangeScale,
    };
    double price = 0.0; // the duty is worked out on it; not shown, not changed
    double stampDuty = 0.0, conveyancing = 0.0, otherCosts = 0.0, purchaseCosts = 0.0;
    int usesScale = 1; // returned as UseSDScale; set on opening from the duty itself
    DutyScale scale;   // the investment's scale, filled by the caller

    void Refresh(ControlPort& port) override;
    // "Change Scale" was accepted and its scale is now in force: the duty follows it again.
    void ScaleChanged(ControlPort& port);

    // The duty on the price under the scale in force.
    double ScaleDuty() const;
    // "Uses " and the short name of the scale's location ("Uses " alone for an unknown one).
    static std::u16string UsesScaleText(int location);

protected:
    void OnOpen(ControlPort& port) override;
    bool OnClick(ControlPort& port, int id) override;
    void TakeEdits(const ControlPort& port) override;
    void WorkOut() override;
    void Settle(const ControlPort& port) override;

private:
    void SumCosts() { purchaseCosts = otherCosts + conveyancing + stampDuty; }
    // Off when the duty no longer equals the scale's duty on the price.
    void CheckScaleDuty();
};
