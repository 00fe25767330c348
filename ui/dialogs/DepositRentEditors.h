// The editors of the deposit, the rent and the expenses: "Cash Deposit", "Rental Income" and
// "Rental Expenses". Logic only; the dialogs are in DepositRentDialogs.h.
#pragma once

#include "ui/dialogs/EditorLogic.h"
#include "ui/dialogs/LinkedAmount.h"

// "Cash Deposit": the deposit is an amount or a percentage of the total cost.
class CashDepositLogic : public LinkedAmountLogic {
public:
    enum Control : int {
        kPrice = 1,
        kRenovations,
        kFurniture,
        kPurchaseCosts,
        kTotalCost,
        kCashDeposit,
        kPercentOfCost,
        kDepositLink,
    };

    CashDepositLogic();

    // cash deposit (A), percent of cost (P) and the deposit link (L).
    LinkedAmount deposit;
    // Shown only.
    double price = 0.0, renovations = 0.0, furniture = 0.0, purchaseCosts = 0.0;
    // The base: loan costs are not part of it.
    double totalCost = 0.0;

    void Refresh(ControlPort& port) override;
    Doubts Doubtful() const override;

protected:
    void OnOpen(ControlPort& port) override;
    LinkedAmount& Linked() override { return deposit; }
    double Base() const override { return totalCost; }
};

// "Rental Income": rent per week, month or year, less a vacancy rate.
class RentIncomeLogic : public TypedEditorLogic {
public:
    enum Control : int { kRentPer = 1, kAmount, kVacancyRate, kAnnualRent };

    double rent = 0.0;
    int periodsPerYear = 52; // 52, 12 or 1 can be chosen; 26 can come from the record
    double vacancyRate = 0.0;
    double annualRent = 0.0;
    double price = 0.0; // against which a rent is doubtful (Plausibility.h)

    // Lines of the "Rent per:" list and the periods they stand for.
    static int PeriodsOfChoice(int choice); // 0 for no line
    static int ChoiceOfPeriods(int periods); // -1 for a number no line stands for

    void Refresh(ControlPort& port) override;
    Doubts Doubtful() const override;

protected:
    void OnOpen(ControlPort&) override { WorkOut(); }
    bool OnChoose(ControlPort& port, int id) override;
    void TakeEdits(const ControlPort& port) override;
    void WorkOut() override;
    // The chosen period.
    void Settle(const ControlPort& port) override;

private:
    // The user typed the rent in this editor: a new period keeps it, as the rent of that period.
    bool typedHere_ = false;
};

// "Rental Expenses": the expenses are an amount or a percentage of the annual rent.
class RentExpensesLogic : public LinkedAmountLogic {
public:
    enum Control : int {
        kAnnualRent = 1,
        kAnnualExpenses,
        kPercentOfRent,
        kNetRent,
        kNetYield,
        kExpensesLink,
    };

    RentExpensesLogic();

    // The base: Rent x PeriodsPerYear, vacancies not deducted.
    double annualRent = 0.0;
    // annual expenses (A), percent of rent (P) and the expenses link (L).
    LinkedAmount expenses;
    double marketValue = 0.0; // for the yield only
    double netRent = 0.0, netYield = 0.0;

    void Refresh(ControlPort& port) override;

protected:
    void OnOpen(ControlPort&) override { expenses.Open(annualRent); }
    LinkedAmount& Linked() override { return expenses; }
    double Base() const override { return annualRent; }
};
