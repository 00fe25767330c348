#include "ui/dialogs/PropertyEditors.h"

#include <cmath>

#include "format/Text.h"
#include "model/Scales.h"
#include "ui/dialogs/ValueExchange.h"

// --- "Details" ---

void PropertyDescriptionLogic::Refresh(ControlPort& port) {
    port.PutText(kAddress, address);
    port.PutText(kDescription, description);
}

void PropertyDescriptionLogic::OnOk(ControlPort& port) {
    address = port.GetText(kAddress);
    description = port.GetText(kDescription);
}

void NotesLogic::Refresh(ControlPort& port) { port.PutText(kNotes, notes); }

void NotesLogic::OnOk(ControlPort& port) { notes = port.GetText(kNotes); }

// --- "Property Value" ---

void PropertyValueLogic::Refresh(ControlPort& port) {
    ShowValues(port, kAmountFormat,
               {{kPrice, price}, {kRenovations, renovations}, {kBookValue, bookValue},
                {kMarketValue, marketValue}, {kFurniture, furniture}});
}

// Each edit counts only when typed over: a price the field shows rounded ("1.235m") must not be
// taken as rounded, nor reset a market value the user never touched.
void PropertyValueLogic::TakeEdits(const ControlPort& port) {
    ReadValueIfChanged(port, kMarketValue, marketValue, kAmountFormat);
    ReadValueIfChanged(port, kFurniture, furniture, kAmountFormat);
    bool priceChanged = ReadValueIfChanged(port, kPrice, price, kAmountFormat);
    bool renovationsChanged = ReadValueIfChanged(port, kRenovations, renovations, kAmountFormat);
    // A new price or renovations amount resets the market value, even over one typed with it.
    if (priceChanged || renovationsChanged) marketValue = renovations + price;
}

// --- "Purchase Costs" ---

double PurchaseCostsLogic::ScaleDuty() const { return ComputeStampDuty(price, scale); }

std::u16string PurchaseCostsLogic::UsesScaleText(int location) {
    // A location beyond the built-in entries has no name.
    return u"Uses " + FromUtf8(DutyLocationName(location));
}

void PurchaseCostsLogic::CheckScaleDuty() {
    if (std::fabs(ScaleDuty() - stampDuty) > 0.001) usesScale = 0;
}

void PurchaseCostsLogic::Refresh(ControlPort& port) {
    ShowValues(port, kAmountFormat,
               {{kStampDuty, stampDuty}, {kConveyancing, conveyancing}, {kOtherCosts, otherCosts},
                {kPurchaseCosts, purchaseCosts}});
    SetCheck(port, kUsesScale, usesScale);
    port.PutText(kUsesScale, UsesScaleText(scale.Location));
}

// The box shows whether the present duty is the scale's duty, not what the record says.
void PurchaseCostsLogic::OnOpen(ControlPort&) {
    SumCosts();
    usesScale = 1;
    CheckScaleDuty();
}

bool PurchaseCostsLogic::OnClick(ControlPort& port, int id) {
    if (id != kUsesScale) return false;
    // Amounts typed before the click are taken first, so that the refresh below does not
    // write the old amounts over them; a ticked box then replaces the duty by the scale's.
    TakeEdits(port);
    usesScale = GetCheck(port, kUsesScale);
    if (usesScale) stampDuty = ScaleDuty();
    SumCosts();
    return true;
}

void PurchaseCostsLogic::TakeEdits(const ControlPort& port) {
    ReadValueIfChanged(port, kStampDuty, stampDuty, kAmountFormat);
    ReadValueIfChanged(port, kConveyancing, conveyancing, kAmountFormat);
    ReadValueIfChanged(port, kOtherCosts, otherCosts, kAmountFormat);
}

void PurchaseCostsLogic::WorkOut() {
    CheckScaleDuty();
    SumCosts();
}

void PurchaseCostsLogic::ScaleChanged(ControlPort& port) {
    usesScale = 1;
    stampDuty = ScaleDuty();
    SumCosts();
    Refresh(port);
}

void PurchaseCostsLogic::Settle(const ControlPort& port) {
    usesScale = GetCheck(port, kUsesScale);
    CheckScaleDuty();
}
