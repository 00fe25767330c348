// The investment record: every input of one property investment, the six linked-variable
// switches, the derived values, the annual table of the projection and the three results.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

struct DutyScale;
struct TaxScale;
struct Scales;
struct YearRates;

inline constexpr int kTableRows = 17;
inline constexpr int kTableColumns = 40;

// Rows of the annual table.
enum class Row : int {
    ReservedRow0 = 0,
    PropertyValue = 1,
    Debt = 2,
    Equity = 3,
    RentReceived = 4,
    ReservedRow5 = 5,
    InterestPaid = 6,
    ExpensesPaid = 7,
    BuildingDep = 8,
    FittingsDep = 9,
    LoanCostWriteOff = 10,
    Deductions = 11,
    TaxSaving = 12,
    AfterTaxCash = 13,
    AfterTaxCashWeek = 14,
    PrincipalPaid = 15,
    PreTaxCash = 16,
};

inline constexpr std::array<const char*, kTableRows> kRowNames = {
    "ReservedRow0",  "PropertyValue", "Debt",         "Equity",           "RentReceived",
    "ReservedRow5",  "InterestPaid",  "ExpensesPaid", "BuildingDep",      "FittingsDep",
    "LoanCostWriteOff", "Deductions", "TaxSaving",    "AfterTaxCash",     "AfterTaxCashWeek",
    "PrincipalPaid", "PreTaxCash"};

// Item types: the row numbers of the summary view.
enum ItemType : unsigned {
    ItemProperty = 0,
    ItemPropertyValue = 1,
    ItemPurchaseCosts = 2,
    ItemCashDeposit = 3,
    ItemRent = 4,
    ItemExpenses = 5,
    ItemDepreciation = 6,
    ItemLoanDetails = 7,
    ItemLoanType = 8,
    ItemLoanCosts = 9,
    ItemInvestor = 10,
    ItemResults = 11,
    ItemTaxSavings = 12,
    ItemCashFlowYear = 13,
    ItemCashFlowWeek = 14,
    ItemProjections = 15,
    ItemIRR = 16,
    ItemNPV = 17,
    ItemAverageCashFlow = 18,
};
inline constexpr unsigned kItemTypeCount = 19;

// "From year N the loan's interest rate is R %".
struct RateStep {
    int fromYear = 0; // 0: no change (an empty row of the Loan page)
    double rate = 0;
    bool operator==(const RateStep&) const = default;
};
inline constexpr std::size_t kMaxRateSteps = 10;
inline constexpr std::size_t kMaxScheduleYears = 40;

// One band: from `above` the tax is `flat` plus `rate` % of the value over `above`. A band
// that starts at its amount (`atStart`: "$600,000 or more") takes that amount itself; one
// that starts above it ("exceeds $1,075,000") leaves it to the band below.
struct LandTaxRow {
    double above = 0;
    double rate = 0;
    double flat = 0;
    bool atStart = false;
    bool operator==(const LandTaxRow&) const = default;
};

inline constexpr int kLandTaxRows = 8;

class Investment {
public:
    using Table = std::array<double, kTableRows * kTableColumns>;
    using YearArray = std::array<double, kTableColumns>;

    Investment();

    // --- texts ---
    std::u16string Address, Description, Notes;

    // --- inputs, switches and derived values, in file order; a new investment's values are
    //     in model/Fields.h and model/Assumptions.h ---
    double Price, Renovations, Furniture, MarketValue;
    double StampDutyCost, Conveyancing, OtherCosts, PurchaseCosts;
    int UseSDScale;
    std::int16_t ReservedFlag;
    double CashDeposit, DepositPC;
    int CalcDeposit, CalcLoanCosts;
    double LoanCosts, LoanCostsPC;
    int LCYears, LoanType;
    double RateInterest, AdditionalLoan, LoanAmount;
    int LoanTerm;
    double TotalCost, Rent;
    int PeriodsPerYear;
    double VacancyRate, AnnualRent, GrossYield, NetYield;
    double Expenses, ExpensesPC;
    int CalcExpenses, CalcDepFitt;
    double DepFittPC, DepFittValue, DepFittRate;
    int DepFittMethod, CalcDepBuild;
    double DepBuildPC, DepBuildValue, DepBuildRate;
    int DepBuildMethod;
    double Depreciation, TaxableHim, TaxableHer;
    int NamesOnTitle;
    double RateGrowth, RateInfl;
    int ShowYear, ProjectionYear;

    // --- inputs beyond the fixed layout (model/Assumptions.h): stored in the file's
    //     extension block, which is left out while all of them hold their built-in values ---
    double SellingCostsPC; // agent and marketing, % of the sale price
    double CGTDiscountPC; // discount on a gain held at least a year, %
    // Rental losses: 0 reduce the owner's other income in the year they arise; 1 are carried
    // forward against later rental profits (and what is left against the gain at the sale),
    // from the projection year LossRuleFromYear (1..40) on.
    int LossTreatment;
    int LossRuleFromYear;
    // 1: the rent grows with inflation; 0: by RateRentGrowth % a year.
    int RentFollowsInflation;
    double RateRentGrowth;
    // Principal and interest only: the first years of the loan that pay interest alone.
    int InterestOnlyYears;
    // The law of the years (model/Law.h): 0 one scale for every year, 1 Australia and 2 New
    // Zealand by income year. The rest counts only under 1 or 2.
    int TaxLaw;
    int PurchaseMonth, PurchaseYear; // settlement
    int NewBuild;                           // 0 an established dwelling, 1 a new build
    int FittingsBoughtNew;                  // 1: the owner bought the fittings new
    int ThresholdsGrow; // 1: after the last built-in year thresholds follow inflation
    int CGTSwitchMonth, CGTSwitchYear;
    double MinimumTaxPC;  // on the gain after the switch
    double BrightLineYears; // New Zealand: a sale within them is taxed
    // The loan and the costs as they run. An offset account: its opening balance, a monthly
    // amount paid in and, at 1, each year's after-tax surplus paid in at the year's end.
    double OffsetOpening, OffsetMonthly;
    int OffsetSurplus;
    // Principal and interest: a monthly amount repaid beyond the repayment, from a year on.
    double ExtraRepayment;
    int ExtraFromYear;
    // 1: expenses grow with inflation; 0: by RateExpensesGrowth % a year.
    int ExpensesFollowInflation;
    double RateExpensesGrowth;
    // Changes of the interest rate, at most kMaxRateSteps, in order of their years (an entry
    // of its own in the extension block, written only when there is one).
    std::vector<RateStep> RateSteps;
    // Land tax (model/LandTax.h): the State whose scale applies (0 none), the land's (site)
    // value at purchase, the value of the other land the owner holds in the State, the
    // land's growth (1: the capital growth; 0: RateLandGrowth % a year), and at 1 the scale's
    // thresholds growing with inflation.
    int LandTaxState;
    double LandValue, OtherLandValue;
    int LandFollowsGrowth;
    double RateLandGrowth;
    int LandThresholdsGrow;
    // The land tax scale's rows as edited, in place of the State's built-in ones; none: the
    // built-in scale (an entry of its own in the extension block, written only when edited).
    std::vector<LandTaxRow> LandTaxRows;
    // A depreciation schedule (a quantity surveyor's): the deductions of years 1, 2, ... for
    // the building and for the plant, at most kMaxScheduleYears each. When given, it takes
    // the place of the rate and method. Entries of their own in the extension block.
    std::vector<double> BuildingSchedule, PlantSchedule;
    // Entries of the extension block that this version does not know, kept as read so that
    // saving the file again does not lose them.
    std::string UnknownAssumptions;

    // --- not stored in the file ---
    double DepFittRemaining = 0, DepBuildRemaining = 0;
    double AvgCashFlowWeek = 0, IRR = 0, NPV = 0;
    YearArray TaxableHimByYear{}, TaxableHerByYear{};
    // The rental loss still carried forward at the end of every year (LossTreatment 1).
    YearArray CarriedLossByYear{};
    // The offset account's balance at the end of every year, the interest it saved in the
    // year, and what the investor paid into it in the year (the opening balance not
    // included); all 0 without an offset account.
    YearArray OffsetByYear{}, InterestSavedByYear{}, OffsetPaidInByYear{};
    // The monthly repayment due in every year, extra repayments not included (interest only:
    // a twelfth of the year's interest); 0 once the loan is repaid.
    YearArray RepaymentByYear{};
    // The land tax of every year (a deduction and a cost of the year); 0 without land tax.
    YearArray LandTaxByYear{};
    // The year the loan is repaid in (1..40), 0 when it runs past the table or is never
    // repaid (interest only).
    int LoanPaidOffYear = 0;
    // The sale at the end of the projection period (model/Sale.h); all 0 when nothing is
    // bought.
    double SalePrice = 0, SaleCosts = 0, CostBase = 0, CapitalGain = 0, TaxableGain = 0,
           SaleTax = 0, ValueAfterSale = 0, IRRAfterSale = 0, NPVAfterSale = 0;
    // The sale under the law of its date (TaxLaw 1 or 2; all 0 under 0): the gain up to the
    // capital gains switch and after it, the cost base indexed from it, the minimum tax's
    // top-up (in SaleTax), and 1 for a New Zealand sale within the bright-line period.
    double GainBeforeSwitch = 0, GainAfterSwitch = 0, IndexedCostBase = 0, MinimumTaxTopUp = 0;
    int WithinBrightLine = 0;
    // The first calendar year of the income year each projection year starts in (2026 for
    // 2026-27); 0 under one scale for every year.
    std::array<std::int16_t, kTableColumns> IncomeYearByYear{};

    // --- the annual table: cell of row r, column c is element r * 40 + c ---
    Table table{};
    double& At(Row r, int c) { return table[static_cast<int>(r) * kTableColumns + c]; }
    double At(Row r, int c) const { return table[static_cast<int>(r) * kTableColumns + c]; }
    const double* RowData(Row r) const { return &table[static_cast<int>(r) * kTableColumns]; }
    void ClearTable() { table.fill(0.0); }

    // Gives every field that a new investment does not take from the settings store its fixed
    // default (texts empty, amounts and results 0) and the built-in defaults to the rest.
    // The settings store's values are applied by the persistence layer's ResetToDefaults.
    void ResetFixedDefaults();

    // Limits values that must never reach the table or a division: ShowYear and
    // ProjectionYear to 1..40, LCYears to 1..32767, LoanTerm and PeriodsPerYear to the
    // 16 bits the file holds them in, NamesOnTitle other than 1 or 2 to 1,
    // LoanType and the two methods other than 0 or 1 to 0, every nonzero switch to 1; the
    // inputs beyond the fixed layout to their ranges (not a number: the built-in value).
    void LimitInputs();

    // Rebuilds every derived field, the per-year incomes, the annual table and the results
    // from the inputs and the scales given.
    void Recalculate(const DutyScale& duty, const TaxScale& tax);
    void Recalculate(const Scales& scales);
    // The same under rates that may change from year to year (model/YearRates.h): a change
    // of interest rate works a principal-and-interest repayment out again over the term that
    // remains, and an interest-only year pays the new rate.
    // `wanted` AfterSaleOnly leaves out the rate of return without a sale (IRR is then no
    // value): the many futures of a risk run need only the figures after the sale.
    enum class Results { All, AfterSaleOnly };
    void Recalculate(const DutyScale& duty, const TaxScale& tax, const YearRates& rates,
                     Results wanted = Results::All);
};

// The level monthly repayment of a principal-and-interest loan, or NoValue.
double LoanRepayment(double principal, double years, double ratePercent, double paymentsPerYear);
