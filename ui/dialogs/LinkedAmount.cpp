#include "ui/dialogs/LinkedAmount.h"

#include <cmath>

#include "ui/dialogs/ValueExchange.h"

LinkedAmount::LinkedAmount(LinkedControls controls, ShareRule rule, std::string_view amountFormat,
                           std::string_view percentFormat)
    : controls_(controls), rule_(rule), amountFormat_(amountFormat),
      percentFormat_(percentFormat) {}

double LinkedAmount::Share(ShareRule rule, double amount, double base) {
    if (rule == ShareRule::WithFloor) {
        if (base < 1.0) base = 1.0;
        return amount * 100.0 / base;
    }
    return base >= 0.001 ? amount * 100.0 / base : 0.0;
}

void LinkedAmount::Open(double base) {
    percentShown = link != 0;
    if (!link) percent = Share(rule_, amount - fixedPart, base);
}

void LinkedAmount::CheckClicked(const ControlPort& port, double base) {
    link = GetCheck(port, controls_.linkCheck);
    if (link) amount = LinkedValue(base);
    percentShown = link != 0;
}

void LinkedAmount::LeftAmount(const ControlPort& port, double base) {
    if (TakeAmount(port)) link = 0;
    percentShown = link != 0;
    if (!link) percent = Share(rule_, amount - fixedPart, base);
}

void LinkedAmount::LeftPercent(const ControlPort& port, double base) {
    if (TakePercent(port)) amount = LinkedValue(base);
}

bool LinkedAmount::LeftEdit(const ControlPort& port, int id, double base) {
    if (id == controls_.amountEdit)
        LeftAmount(port, base);
    else if (id == controls_.percentEdit)
        LeftPercent(port, base);
    else
        return false;
    return true;
}

bool LinkedAmount::Clicked(const ControlPort& port, int id, double base) {
    if (id != controls_.linkCheck) return false;
    CheckClicked(port, base);
    return true;
}

void LinkedAmount::Ok(const ControlPort& port, double base) {
    link = GetCheck(port, controls_.linkCheck);
    if (TakeAmount(port) && std::fabs(LinkedValue(base) - amount) > 0.001) link = 0;
    if (TakePercent(port)) {
        amount = LinkedValue(base);
        link = 1;
    }
}

bool LinkedAmount::TakeAmount(const ControlPort& port) {
    return ReadValueIfChanged(port, controls_.amountEdit, amount, amountFormat_);
}

bool LinkedAmount::TakePercent(const ControlPort& port) {
    return ReadValueIfChanged(port, controls_.percentEdit, percent, percentFormat_);
}

void LinkedAmount::Show(ControlPort& port) const {
    ShowValue(port, controls_.amountEdit, amount, amountFormat_);
    ShowValue(port, controls_.percentEdit, percent, percentFormat_);
    SetCheck(port, controls_.linkCheck, link);
    port.Show(controls_.percentEdit, percentShown);
}
