// A linked amount: an amount A that equals the percentage P of a base B while its link switch L
// (CalcDeposit, CalcExpenses, CalcLoanCosts, CalcDepBuild, CalcDepFitt) is on. The recalculation
// works A out whenever L is on; while an editor is open this piece keeps A, P and L consistent.
// Used by "Cash Deposit", "Rental Expenses", "Loan Costs" (LinkedAmountLogic, below) and both
// depreciation pages: the editor holds one LinkedAmount as working fields, forwards the events
// of A's edit, P's edit and L's check box to it, and calls Show from its refresh. The base is
// passed in with every event because each editor works it out in its own way.
#pragma once

#include <string>
#include <string_view>

#include "ui/dialogs/EditorLogic.h"

class ControlPort;

// How the percentage is worked out again from an amount typed while the link is off.
enum class ShareRule {
    WithFloor, // P = A x 100 / B, with B taken as 1 when it is below 1
    WithGuard, // P = A x 100 / B when B >= 0.001, otherwise 0
};

struct LinkedControls {
    int amountEdit = 0;
    int percentEdit = 0;
    int linkCheck = 0;
};

class LinkedAmount {
public:
    LinkedAmount(LinkedControls controls, ShareRule rule, std::string_view amountFormat = "0,m",
                 std::string_view percentFormat = "0.00%");

    // Working fields.
    double amount = 0.0;     // A
    double percent = 0.0;    // P, in percent
    int link = 0;            // L, 0 or 1
    bool percentShown = true; // whether P's edit is visible

    // A part of the amount that does not follow the percentage: the linked amount is
    // B x P / 100 + F (the fittings' value takes the whole furniture package), and the share
    // of an amount is that of A - F. 0 for every other linked amount.
    double fixedPart = 0.0;

    static double Share(ShareRule rule, double amount, double base);
    // B x P / 100 + F.
    double LinkedValue(double base) const { return base * percent / 100.0 + fixedPart; }

    // Opening of "Cash Deposit", "Rental Expenses", "Loan Costs": P's edit is shown while
    // linked; unlinked it is hidden and P becomes A's share of B.
    void Open(double base);
    // Opening of the depreciation pages: P's edit is shown whatever L is, and P is kept.
    void OpenKeepingPercent() { percentShown = true; }

    // Rule 1, check box clicked: L takes the box; linked, A = B x P / 100 and P's edit shows;
    // unlinked, P's edit hides.
    void CheckClicked(const ControlPort& port, double base);
    // Rule 2, leaving A's edit: a changed A switches L off; then P's edit shows while linked, or
    // hides with P worked out again as A's share of B.
    void LeftAmount(const ControlPort& port, double base);
    // Rule 3, leaving P's edit: a changed P sets A = B x P / 100, whatever L is.
    void LeftPercent(const ControlPort& port, double base);
    // Rule 4, OK: L takes the box; a changed A that no longer equals B x P / 100 switches L
    // off; then a changed P sets A = B x P / 100 and switches L on (the percentage wins).
    void Ok(const ControlPort& port, double base);

    // An editor's events forwarded as they come: leaving A's edit is rule 2, leaving P's rule 3,
    // a click on L's box rule 1. True when the control was one of this amount's.
    bool LeftEdit(const ControlPort& port, int id, double base);
    bool Clicked(const ControlPort& port, int id, double base);

    // The changed-edit reads of A and P, for editors with rules of their own (depreciation).
    bool TakeAmount(const ControlPort& port);
    bool TakePercent(const ControlPort& port);

    // Part of the refresh: A and P in their edits, L in the box, P's edit shown or hidden.
    void Show(ControlPort& port) const;

    const LinkedControls& Controls() const { return controls_; }

private:
    LinkedControls controls_;
    ShareRule rule_;
    std::string amountFormat_;
    std::string percentFormat_;
};

// An editor built round one linked amount ("Cash Deposit", "Rental Expenses", "Loan Costs"):
// leaving its edits, clicking its box and OK follow the amount's rules on the base the editor
// works out on opening.
class LinkedAmountLogic : public EditorLogic {
protected:
    virtual LinkedAmount& Linked() = 0;
    virtual double Base() const = 0;

    bool OnLeaveEdit(ControlPort& port, int id) override {
        return Linked().LeftEdit(port, id, Base());
    }
    bool OnClick(ControlPort& port, int id) override { return Linked().Clicked(port, id, Base()); }
    void OnOk(ControlPort& port) override { Linked().Ok(port, Base()); }
};
