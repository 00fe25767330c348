// The pages of the sheet "Assumptions": the inputs beyond the file's fixed layout. Logic only;
// the sheet is in AssumptionDialogs.h.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "model/Investment.h"
#include "model/Scales.h"
#include "ui/dialogs/EditorLogic.h"

// A page: working fields of its own, and a copy of the record worked out with them at every
// refresh, so that the page shows their effect live. The pages of one sheet share their work:
// each page's copy takes every page's working fields, so its figures include what was typed
// on the others.
class AssumptionPage : public TypedEditorLogic {
  public:
    AssumptionPage(const Investment& record, const Scales& scales);
    // Puts the page's working fields into a record.
    virtual void Apply(Investment& doc) const = 0;
    // The pages of the sheet, in the order OK applies them (this one among them); the copy
    // worked out at each refresh takes all of their fields.
    void ShareWith(std::vector<const AssumptionPage*> pages) { sheet_ = std::move(pages); }
    // The record worked out with the working fields, at every refresh.
    const Investment& Worked() const { return worked_; }

  protected:
    // Works the copy out again with the working fields, limited as the record holds them.
    void Work();
    // Takes the working fields back from a record that holds them limited.
    virtual void TakeBack(const Investment& limited) = 0;

    // Leaving an edit of the page works the figures out again at once.
    bool OnLeaveEdit(ControlPort& port, int id) override;
    // OK: the working fields as the record will hold them.
    void Settle(const ControlPort& port) override;

  private:
    Investment worked_;
    Scales scales_; // the investment's, which Work() recalculates under
    std::vector<const AssumptionPage*> sheet_;
};

// Page "Purchase and Law": which law taxes the years and the sale, the purchase date and the
// dwelling, and the law's parameters, with what they do to the projection worked out live.
class LawAssumptions : public AssumptionPage {
  public:
    enum Control : int {
        kTaxLaw = 401, // drop-down, kTaxLawNames
        kPurchaseMonth, // drop-down, January..December
        kPurchaseYear,
        kDwelling, // drop-down: Established, New build
        kThresholdsGrow, // check box
        kSwitchMonth, // drop-down
        kSwitchYear,
        kMinimumTax,
        kBrightLine,
        kIncomeYears, // the income years of year 1 and of the last year
        kLosses,      // from which year losses are carried
        kFittingsNil, // why the fittings depreciate nothing
        kBuildingNil, // why the building depreciates nothing
        kSaleTax,
        kTopUp,
        kIRRAfter,
    };

    LawAssumptions(const Investment& record, const Scales& scales);
    // The law's inputs as the page holds them (TaxLaw to BrightLineYears; nothing else of
    // this record counts).
    Investment law;

    void Apply(Investment& doc) const override;
    void Refresh(ControlPort& port) override;

  protected:
    bool OnClick(ControlPort& port, int id) override;
    bool OnChoose(ControlPort& port, int id) override;
    void TakeEdits(const ControlPort& port) override;
    void TakeBack(const Investment& limited) override;
};

// Page "Sale": the selling costs and the discount on the capital gain, with the sale at the
// end of the projection period worked out live from them.
class SaleAssumptions : public AssumptionPage {
  public:
    enum Control : int {
        kSellingCosts = 1,
        kDiscount,
        kHeld, // "Sold at the end of year N."
        kSalePrice,
        kSaleCosts,
        kCostBase,
        kGain,
        kTaxableGain,
        kSaleTax,
        kValueAfter,
        kIRRAfter,
        kNPVAfter,
    };

    SaleAssumptions(const Investment& record, const Scales& scales);
    double sellingCostsPC = 0.0, cgtDiscountPC = 0.0;

    void Apply(Investment& doc) const override;
    void Refresh(ControlPort& port) override;

  protected:
    void TakeEdits(const ControlPort& port) override;
    void TakeBack(const Investment& limited) override;
};

// Page "Tax Rules": whether rental losses reduce other income or are carried forward against
// later rental profits, and from which projection year.
class TaxRulesAssumptions : public AssumptionPage {
  public:
    enum Control : int {
        // Ids apart from the other pages', so that no two controls of the sheet share one.
        kCarryForward = 101, // check box
        kFromYear,
        kCarriedAtSale,
        kTaxSaving, // tax saving in the year the summary shows
        kTaxableGain,
        kIRR,
    };

    TaxRulesAssumptions(const Investment& record, const Scales& scales);
    int lossTreatment = 0, lossRuleFromYear = 1;

    void Apply(Investment& doc) const override;
    void Refresh(ControlPort& port) override;

  protected:
    bool OnClick(ControlPort& port, int id) override;
    void TakeEdits(const ControlPort& port) override;
    void TakeBack(const Investment& limited) override;
};

// Page "Rent and Expenses": the rent, and the expenses, follow inflation or grow by a rate of
// their own.
class RentAssumptions : public AssumptionPage {
  public:
    enum Control : int {
        kFollowsInflation = 201, // check box
        kRentGrowth,
        kRentLastYear, // the rent of the last year of the projections
        kIRR,
        kExpensesFollowInflation = 210, // check box
        kExpensesGrowth,
        kExpensesLastYear,
    };

    RentAssumptions(const Investment& record, const Scales& scales);
    int rentFollowsInflation = 1;
    double rateRentGrowth = 0.0;
    int expensesFollowInflation = 1;
    double rateExpensesGrowth = 0.0;

    void Apply(Investment& doc) const override;
    void Refresh(ControlPort& port) override;

  protected:
    bool OnClick(ControlPort& port, int id) override;
    void TakeEdits(const ControlPort& port) override;
    void TakeBack(const Investment& limited) override;
};

// Page "Loan": years of interest only before a principal-and-interest loan is repaid, the
// interest rate's changes, an offset account and extra repayments, with the repayment of each
// period, the interest the offset saves and the year the loan is repaid.
class LoanAssumptions : public AssumptionPage {
  public:
    enum Control : int {
        kInterestOnlyYears = 301,
        kApplies, // which loans the years apply to
        kRepaymentBefore,
        kRepaymentAfter,
        kIRR,
        kStepYear = 310, // kStepYear + i and kStepRate + i: change i (blank year: none)
        kStepRate = 320,
        kOffsetOpening = 330,
        kOffsetMonthly,
        kOffsetSurplus, // check box
        kExtraRepayment,
        kExtraFromYear,
        kPeriods,       // the repayment of each period, in words
        kInterestSaved, // by the offset account over the projection period
        kOffsetAtSale,
        kPaidOff, // the year the loan is repaid, in words
    };

    LoanAssumptions(const Investment& record, const Scales& scales);
    int interestOnlyYears = 0;
    // The changes as the rows show them: a year of 0 is an empty row.
    std::array<RateStep, kMaxRateSteps> steps{};
    double offsetOpening = 0, offsetMonthly = 0, extraRepayment = 0;
    int offsetSurplus = 0, extraFromYear = 1;

    void Apply(Investment& doc) const override;
    void Refresh(ControlPort& port) override;
    Doubts Doubtful() const override;

  protected:
    bool OnClick(ControlPort& port, int id) override;
    void TakeEdits(const ControlPort& port) override;
    void TakeBack(const Investment& limited) override;
};

// The repayment of each period of the loan over the projection period in words: "Years 1-2:
// $2,998 / month at 6.00%; years 3-10: $3,474 / month at 7.50%."
std::string RepaymentPeriods(const Investment& worked);

// Page "Land Tax and Depreciation": the State whose land tax applies, the land's value at
// purchase and its growth, the other land held in the State, the thresholds' growth, with the
// land tax of the first and the last year; and the depreciation schedule, a figure a line for
// the building and for the plant, typed or pasted as a column from a spreadsheet.
class LandTaxAssumptions : public AssumptionPage {
  public:
    enum Control : int {
        kState = 501, // drop-down, kLandTaxStateNames
        kLandValue,
        kOtherLand,
        kFollowsGrowth, // check box
        kLandGrowth,
        kThresholdsGrow, // check box
        kTaxFirstYear,
        kTaxLastYear,
        kBuilding, // a figure a line
        kPlant,
        kScheduleNote, // what the schedule does, or why a text was not taken
        kIRR,
        kBuiltInRows, // button: the State's rows again
        kRowAbove = 520, // kRowAbove + i ... kRowAtStart + i: the scale's row i (blank: none)
        kRowRate = 530,
        kRowFlat = 540,
        kRowAtStart = 550, // check box: the band takes its start amount
    };

    LandTaxAssumptions(const Investment& record, const Scales& scales);
    int state = 0, followsGrowth = 1, thresholdsGrow = 0;
    double landValue = 0, otherLand = 0, landGrowth = 0;
    std::vector<double> building, plant;
    // The scale's rows as edited; none: the State's built-in rows.
    std::vector<LandTaxRow> rows;
    // Set when a typed text was not a column of figures (the schedule stays as it was).
    bool unreadable = false;

    void Apply(Investment& doc) const override;
    void Refresh(ControlPort& port) override;

  protected:
    bool OnClick(ControlPort& port, int id) override;
    bool OnChoose(ControlPort& port, int id) override;
    void TakeEdits(const ControlPort& port) override;
    void TakeBack(const Investment& limited) override;
};

// The figures of a schedule as its edit shows them, one a line.
std::string ScheduleLines(const std::vector<double>& schedule);
