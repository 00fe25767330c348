#include "ui/dialogs/DepreciationEditors.h"

#include <cmath>

#include "ui/dialogs/ValueExchange.h"

DepreciationPageLogic::DepreciationPageLogic()
    : value({kDepreciableValue, kPercentOfCost, kValueLink}, ShareRule::WithGuard) {}

void DepreciationPageLogic::Refresh(ControlPort& port) {
    depreciation = rate * value.amount / 100.0;
    if (value.amount > 0 && depreciation > value.amount) depreciation = value.amount;
    const bool nil = !nilReason.empty() && !(offerBoughtNew && boughtNew != 0);
    if (scheduled) depreciation = scheduledFirstYear;
    if (nil) depreciation = 0.0;
    ShowText(port, kNilReason,
             nil         ? nilReason + "."
             : scheduled ? "The depreciation schedule (Settings, Assumptions) gives the figures; "
                           "the rate and method are not used."
                         : std::string());
    port.Show(kNilReason, nil || scheduled);
    if (offerBoughtNew) SetCheck(port, kBoughtNew, boughtNew != 0 ? 1 : 0);
    value.Show(port);
    ShowValue(port, kDepreciationRate, rate, kPercentFormat);
    // A method that no line stands for shows no line.
    port.PutChoice(kMethod, method == kDiminishingValue || method == kStraightLine ? method : -1);
    ShowValue(port, kDepreciation, depreciation, kAmountFormat);
    ShowValue(port, kPropertyCost, propertyCost, kAmountFormat);
}

// The percentage edit shows whatever the link, with the stored percentage.
void DepreciationPageLogic::OnOpen(ControlPort&) {
    value.OpenKeepingPercent();
}

// A new rate waits for Recalculate or OK.
bool DepreciationPageLogic::OnLeaveEdit(ControlPort& port, int id) {
    return value.LeftEdit(port, id, linkBase);
}

bool DepreciationPageLogic::OnClick(ControlPort& port, int id) {
    if (id == kBoughtNew) {
        boughtNew = GetCheck(port, id) != 0 ? 1 : 0;
        return true;
    }
    return value.Clicked(port, id, linkBase);
}

// The chosen line is the working method at once, so that a later refresh keeps it.
bool DepreciationPageLogic::OnChoose(ControlPort& port, int id) {
    if (id != kMethod) return false;
    int choice = port.GetChoice(kMethod);
    if (choice == kDiminishingValue || choice == kStraightLine) method = choice;
    return false;
}

bool DepreciationPageLogic::OnRecalculate(ControlPort& port) {
    if (value.TakeAmount(port) && std::fabs(value.LinkedValue(linkBase) - value.amount) > 0.001)
        value.link = 0;
    ReadValueIfChanged(port, kDepreciationRate, rate, kPercentFormat);
    if (value.TakePercent(port) && value.link) value.amount = value.LinkedValue(linkBase);
    return true;
}

void DepreciationPageLogic::OnOk(ControlPort& port) {
    value.Ok(port, linkBase);
    ReadValueIfChanged(port, kDepreciationRate, rate, kPercentFormat);
    int choice = port.GetChoice(kMethod);
    if (choice == kDiminishingValue || choice == kStraightLine) method = choice;
}
