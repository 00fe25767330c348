#include "export/ReportData.h"

#include <algorithm>
#include <ctime>

#include "format/Format.h"
#include "format/Text.h"
#include "model/Assumptions.h"
#include "model/LandTax.h"
#include "model/Law.h"
#include "model/Returns.h"
#include "model/Scales.h"

namespace {

// The summary's formats: amounts in dollars, rates with two decimals, years, results with
// losses in brackets.
constexpr const char* kMoney = "$0,m";
constexpr const char* kRate = "0.00%";
constexpr const char* kYears = "0y";
constexpr const char* kWhole = "0";
constexpr const char* kResult = "$0,m(";

ReportLine Amount(std::string label, double value, const char* format = kMoney) {
    return {std::move(label), value, format, {}};
}
ReportLine Text(std::string label, std::string text) { return {std::move(label), 0.0, {}, std::move(text)}; }
ReportLine YesNo(std::string label, int on) { return Text(std::move(label), on ? "Yes" : "No"); }

// A text of the record on one line.
std::string OneLine(const std::u16string& text) {
    std::string s = ToUtf8(text);
    std::replace(s.begin(), s.end(), '\r', ' ');
    std::replace(s.begin(), s.end(), '\n', ' ');
    return s;
}

std::string RentPeriod(int periodsPerYear) {
    switch (periodsPerYear) {
    case 52: return "Week";
    case 26: return "Fortnight";
    case 12: return "Month";
    case 1: return "Year";
    default: return FormatValue(periodsPerYear, kWhole) + " a year";
    }
}

std::string Method(int method) { return method == 1 ? "Straight line" : "Diminishing value"; }

ReportSection LoanAndCostsSection(const Investment& d) {
    ReportSection s{"Loan and Costs", {}};
    for (const RateStep& step : d.RateSteps)
        s.lines.push_back(Amount("Rate from year " + FormatValue(step.fromYear, kWhole) + ":",
                                 step.rate, kRate));
    s.lines.push_back(Amount("Offset opening balance:", d.OffsetOpening));
    s.lines.push_back(Amount("Offset paid in / month:", d.OffsetMonthly));
    s.lines.push_back(YesNo("Surplus into the offset:", d.OffsetSurplus));
    s.lines.push_back(Amount("Extra repayment / month:", d.ExtraRepayment));
    s.lines.push_back(Amount("Extra repayments from year:", d.ExtraFromYear, kWhole));
    s.lines.push_back(d.LoanPaidOffYear > 0
                          ? Amount("Loan repaid in year:", d.LoanPaidOffYear, kWhole)
                          : Text("Loan repaid in year:", "Not within 40 years"));
    s.lines.push_back(YesNo("Expenses follow inflation:", d.ExpensesFollowInflation));
    if (d.ExpensesFollowInflation == 0)
        s.lines.push_back(Amount("Expenses growth / yr:", d.RateExpensesGrowth, kRate));
    return s;
}

// The figures of a depreciation schedule, "9,140; 9,140; 8,650".
std::string ScheduleText(const std::vector<double>& schedule) {
    std::string text;
    for (double figure : schedule) text += (text.empty() ? "" : "; ") + FormatValue(figure, kMoney);
    return text;
}

ReportSection LandTaxSection(const Investment& d) {
    ReportSection s{"Land Tax", {}};
    const auto state = static_cast<std::size_t>(std::clamp(d.LandTaxState, 0, kLandTaxStateCount - 1));
    s.lines.push_back(Text("State:", std::string(kLandTaxStateNames[state])));
    s.lines.push_back(Amount("Land value at purchase:", d.LandValue));
    s.lines.push_back(Amount("Other land held in the State:", d.OtherLandValue));
    s.lines.push_back(YesNo("Land follows capital growth:", d.LandFollowsGrowth));
    if (d.LandFollowsGrowth == 0)
        s.lines.push_back(Amount("Land growth / yr:", d.RateLandGrowth, kRate));
    s.lines.push_back(YesNo("Thresholds grow with inflation:", d.LandThresholdsGrow));
    s.lines.push_back(Amount("Land tax in year 1:", d.LandTaxByYear[0]));
    return s;
}

} // namespace

std::string ReportLine::Shown() const {
    if (IsText()) return text;
    // A page has room for every digit: amounts in whole dollars, not "$1.165m".
    if (IsMoneyFormat(format)) return WholeDollars(value);
    return FormatValue(value, format);
}

bool IsMoneyFormat(std::string_view format) { return format == "$0,m" || format == "$0,m("; }

bool ReportLine::IsLoss() const {
    if (IsText()) return redText;
    return Shown().find_first_of("-(") != std::string::npos;
}

std::vector<ReportSection> InputSections(const Investment& d) {
    std::vector<ReportSection> s;
    s.push_back({"Property",
                 {Text("Property address:", OneLine(d.Address)),
                  Text("Property description:", ToUtf8(d.Description)),
                  Text("Notes:", ToUtf8(d.Notes))}});
    s.push_back({"Property Value",
                 {Amount("Property price:", d.Price), Amount("Renovations:", d.Renovations),
                  Amount("Book value:", d.Price + d.Renovations),
                  Amount("Market value:", d.MarketValue),
                  Amount("Furniture package:", d.Furniture)}});
    s.push_back({"Purchase Costs",
                 {Amount("Stamp duty:", d.StampDutyCost),
                  YesNo("Stamp duty worked out from the price:", d.UseSDScale),
                  Amount("Conveyancing:", d.Conveyancing), Amount("Other costs:", d.OtherCosts),
                  Amount("Purchase costs:", d.PurchaseCosts)}});
    s.push_back({"Cash Deposit",
                 {Amount("Total cost:", d.TotalCost), Amount("Cash deposit:", d.CashDeposit),
                  Amount("Percent of cost:", d.DepositPC, kRate),
                  YesNo("Deposit set to % of cost:", d.CalcDeposit)}});
    s.push_back({"Rental Income",
                 {Text("Rent paid each:", RentPeriod(d.PeriodsPerYear)), Amount("Amount:", d.Rent),
                  Amount("Vacancy rate:", d.VacancyRate, kRate),
                  Amount("Annual rent:", d.AnnualRent)}});
    s.push_back({"Rental Expenses",
                 {Amount("Annual expenses:", d.Expenses),
                  Amount("Percent of rent:", d.ExpensesPC, kRate),
                  YesNo("Expenses set as % of rent:", d.CalcExpenses),
                  Amount("Net rental yield:", d.NetYield, kRate)}});
    s.push_back({"Depreciation",
                 {Amount("Building value:", d.DepBuildValue),
                  Amount("Building rate:", d.DepBuildRate, kRate),
                  Text("Building method:", Method(d.DepBuildMethod)),
                  YesNo("Building value as % of cost:", d.CalcDepBuild),
                  Amount("Building % of cost:", d.DepBuildPC, kRate),
                  Amount("Fittings value:", d.DepFittValue),
                  Amount("Fittings rate:", d.DepFittRate, kRate),
                  Text("Fittings method:", Method(d.DepFittMethod)),
                  YesNo("Fittings value as % of cost:", d.CalcDepFitt),
                  Amount("Fittings % of cost:", d.DepFittPC, kRate),
                  Amount("Depreciation:", d.Depreciation)}});
    ReportSection loan{"Loan",
                       {Amount("Additional loan:", d.AdditionalLoan),
                        Amount("Loan amount:", d.LoanAmount),
                        Amount("Interest rate:", d.RateInterest, kRate),
                        Text("Loan type:", d.LoanType == 1 ? "Principal and interest" : "Interest only")}};
    if (d.LoanType == 1) loan.lines.push_back(Amount("Term:", d.LoanTerm, kYears));
    loan.lines.push_back(Amount("Loan costs:", d.LoanCosts));
    loan.lines.push_back(Amount("Percent of the deficit:", d.LoanCostsPC, kRate));
    loan.lines.push_back(YesNo("Loan costs as % of the deficit:", d.CalcLoanCosts));
    loan.lines.push_back(Amount("Loan costs written off over:", d.LCYears, kYears));
    s.push_back(std::move(loan));
    s.push_back({"Investor Details",
                 {Text("Registration of title:",
                       d.NamesOnTitle == 2 ? "Joint names" : "Single name (Investor)"),
                  Amount("Investor:", d.TaxableHim), Amount("Partner:", d.TaxableHer)}});
    s.push_back({"Projections",
                 {Amount("Projection period:", d.ProjectionYear, kYears),
                  Amount("Growth of the value a year:", d.RateGrowth, kRate),
                  Amount("Inflation a year:", d.RateInfl, kRate),
                  Amount("Show results for year:", d.ShowYear, kWhole)}});
    s.push_back({"Assumptions",
                 {Amount("Selling costs:", d.SellingCostsPC, kRate),
                  Amount("Discount on the gain:", d.CGTDiscountPC, kRate),
                  Text("Rental losses:",
                       d.LossTreatment == 1 ? "Carried forward" : "Reduce other income"),
                  Amount("Losses carried from year:", d.LossRuleFromYear, kWhole),
                  YesNo("Rent follows inflation:", d.RentFollowsInflation),
                  Amount("Rent growth a year:", d.RateRentGrowth, kRate),
                  Amount("Interest-only years:", d.InterestOnlyYears, kWhole)}});
    // The loan and the costs as they run, only for an investment that sets them.
    if (SetsLoanAndCosts(d)) s.push_back(LoanAndCostsSection(d));
    if (SetsLandTax(d)) s.push_back(LandTaxSection(d));
    // A quantity surveyor's schedule, only when one is given.
    if (!d.BuildingSchedule.empty() || !d.PlantSchedule.empty())
        s.push_back({"Depreciation Schedule",
                     {Text("Building, years 1 on:", ScheduleText(d.BuildingSchedule)),
                      Text("Plant, years 1 on:", ScheduleText(d.PlantSchedule))}});
    // The law of the years, only for an investment that sets it.
    if (SetsTheLaw(d))
        s.push_back({"Purchase and Law",
                     {Text("Tax law:", LawDescription(d)),
                      Text("Purchase date:", MonthText(PurchaseDate(d))),
                      Text("Dwelling:", d.NewBuild != 0 ? "New build" : "Established"),
                      YesNo("Fittings bought new:", d.FittingsBoughtNew),
                      YesNo("Thresholds grow with inflation:", d.ThresholdsGrow),
                      Text("Capital gains switch:", MonthText(CgtSwitchDate(d))),
                      Amount("Minimum tax on the gain:", d.MinimumTaxPC, kRate),
                      Amount("Bright-line period (yrs):", d.BrightLineYears, "0.00")}});
    return s;
}

std::vector<ReportSection> ResultSections(const Investment& d) {
    const int column = std::clamp(d.ShowYear, 1, kTableColumns) - 1;
    const double cash = d.At(Row::AfterTaxCash, column);
    return {{"Results for year " + FormatValue(d.ShowYear, kWhole),
             {Amount("Tax savings:", d.At(Row::TaxSaving, column), kResult),
              Amount("Cash flow for the year:", cash, kResult),
              Amount("Cash flow a week:", ScaledValue(cash, 1.0 / 52.0), kResult)}},
            {"Projections over " + FormatValue(d.ProjectionYear, kWhole) + " years",
             {Amount("Internal rate of return:", d.IRR, kRate),
              Amount("Net present value:", d.NPV, kResult),
              Amount("Average cash flow a week:", d.AvgCashFlowWeek, kResult)}},
            SaleSection(d)};
}

ReportSection SaleSection(const Investment& d) {
    ReportSection sale = {"Sale at the end of year " + FormatValue(d.ProjectionYear, kWhole),
             {Amount("Sale price:", d.SalePrice, kResult),
              Amount("Cost of selling:", d.SaleCosts, kResult),
              Amount("Cost base:", d.CostBase, kResult),
              Amount("Capital gain:", d.CapitalGain, kResult),
              Amount("Taxable gain:", d.TaxableGain, kResult),
              Amount("Capital gains tax:", d.SaleTax, kResult),
              Amount("Value after sale:", d.ValueAfterSale, kResult),
              Amount("Rate of return after sale:", d.IRRAfterSale, kRate),
              Amount("Net present value after sale:", d.NPVAfterSale, kResult)}};
    // The pieces the law of the sale's date works the taxable gain out from, before it.
    std::vector<ReportLine> pieces;
    if (d.TaxLaw == kAustraliaByIncomeYear) {
        pieces = {Amount("Gain before the switch:", d.GainBeforeSwitch, kResult),
                  Amount("Gain after the switch:", d.GainAfterSwitch, kResult),
                  Amount("Indexed cost base:", d.IndexedCostBase, kResult)};
    } else if (d.TaxLaw == kNewZealandByIncomeYear) {
        pieces = {Text("Bright-line period:", d.WithinBrightLine ? "Sold within it: taxed"
                                                                  : "Sold after it: not taxed")};
    }
    // The rental loss still carried reduces the taxable gain: shown before it.
    const int last = std::clamp(d.ProjectionYear, 1, kTableColumns) - 1;
    const double carried = d.CarriedLossByYear[static_cast<std::size_t>(last)];
    if (d.LossTreatment == 1 || (d.TaxLaw != kOneScaleForEveryYear && carried != 0))
        pieces.push_back(Amount("Rental loss carried:", carried, kResult));
    sale.lines.insert(sale.lines.begin() + 4, pieces.begin(), pieces.end());
    // The minimum tax's top-up is part of the capital gains tax: shown before it.
    if (d.TaxLaw == kAustraliaByIncomeYear)
        sale.lines.insert(sale.lines.begin() + 5 + static_cast<std::ptrdiff_t>(pieces.size()),
                          Amount("Minimum tax top-up:", d.MinimumTaxTopUp, kResult));
    return sale;
}

std::string WholeDollars(double value) {
    const std::string plain = FormatValue(value, "$0(");
    if (plain.find('?') != std::string::npos || plain.find('+') != std::string::npos) return plain;
    const bool loss = plain.front() == '(';
    const std::size_t first = plain.find_first_of("0123456789");
    const std::size_t end = plain.find_first_not_of("0123456789", first);
    std::string digits = plain.substr(first, end - first);
    for (std::size_t at = digits.size(); at > 3; at -= 3) digits.insert(at - 3, ",");
    return loss ? "($" + digits + ")" : "$" + digits;
}

std::string PlainSummary(const Investment& d) {
    if (d.TotalCost == 0.0) return "Nothing has been entered yet: the figures below are all zero.";
    const std::string years = FormatValue(std::clamp(d.ProjectionYear, 1, kTableColumns), kWhole);
    auto known = [](double v) { return !IsNoValue(v) && v == v; };
    std::string text = "Over " + years + " years this property ";
    if (known(d.IRR)) {
        text += "returns " + FormatValue(d.IRR, kRate) + " a year after tax";
        if (known(d.IRRAfterSale))
            text += " (" + FormatValue(d.IRRAfterSale, kRate) +
                    " once it is sold and the selling costs and capital gains tax are paid)";
        text += ". ";
    } else {
        text += "has no rate of return that these figures can give. ";
    }
    const double week = d.AvgCashFlowWeek;
    if (!known(week)) {
    } else if (week < -0.5) {
        text += "You put in " + WholeDollars(-week) + " a week on average after tax. ";
    } else if (week > 0.5) {
        text += "It pays you " + WholeDollars(week) + " a week on average after tax. ";
    } else {
        text += "It costs you nothing a week on average after tax. ";
    }
    if (known(d.ValueAfterSale))
        text += "Selling at the end of year " + years + " for " + WholeDollars(d.SalePrice) +
                " leaves " + WholeDollars(d.ValueAfterSale) +
                " once the loan, the selling costs and the capital gains tax are paid. ";
    if (known(d.NPV))
        text += "Net present value " + WholeDollars(d.NPV) + ", discounted at the inflation rate of " +
                FormatValue(d.RateInfl, kRate) + " a year.";
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
}

std::string SaleLawText(const Investment& d) {
    if (d.TaxLaw == kOneScaleForEveryYear) return {};
    const int years = std::clamp(d.ProjectionYear, 1, kTableColumns);
    std::string text =
        LawDescription(d) + ", sold " + MonthText(PurchaseDate(d).YearsLater(years)) + ". ";
    if (d.TaxLaw == kNewZealandByIncomeYear)
        return text + (d.WithinBrightLine ? "Sold within the bright-line period: the whole gain "
                                            "is taxed as income."
                                          : "Sold after the bright-line period: not taxed.");
    if (d.GainAfterSwitch == 0 && d.IndexedCostBase == 0)
        return text + "Sold before the capital gains switch: the discount applies.";
    return text + "Gain before the switch " + FormatValue(d.GainBeforeSwitch, kResult) +
           " (discounted), after it " + FormatValue(d.GainAfterSwitch, kResult) +
           " over an indexed cost base of " + FormatValue(d.IndexedCostBase, kResult) +
           "; minimum tax top-up " + FormatValue(d.MinimumTaxTopUp, kResult) + ".";
}

std::string IncomeYearHeading(const Investment& d, int column) {
    const int year = d.IncomeYearByYear[static_cast<std::size_t>(std::clamp(column, 0, kTableColumns - 1))];
    return year != 0 ? IncomeYearText(year) : std::string();
}

ScaleTable DutyScaleTable(const DutyScale& scale) {
    ScaleTable t{"Stamp duty: " + std::string(DutyLocationName(scale.Location)),
                 {"Above", "Rate", "Flat"}, {}, {}};
    for (int i = 0; i < RowsInUse(scale.Count); ++i) {
        const auto k = static_cast<std::size_t>(i);
        t.rows.push_back({Amount({}, scale.Above[k]), Amount({}, scale.Rate[k], kRate),
                          Text({}, scale.Flat[k] > 0 ? "Flat" : "")});
    }
    t.notes.push_back(Amount("Base duty:", scale.BaseDuty));
    return t;
}

ScaleTable TaxScaleTable(const TaxScale& scale) {
    ScaleTable t{"Income tax: " + std::string(TaxLocationName(scale.Location)),
                 {"Above", "Marginal rate"}, {}, {}};
    for (int i = 0; i < RowsInUse(scale.Count); ++i) {
        const auto k = static_cast<std::size_t>(i);
        t.rows.push_back({Amount({}, scale.Above[k]), Amount({}, scale.Rate[k], kRate)});
    }
    t.notes.push_back(Amount("Medicare rate:", scale.MedicareRate, kRate));
    t.notes.push_back(Amount("Medicare threshold:", scale.MedicareThreshold));
    if (scale.MedicareShadeIn) t.notes.push_back(Text("Reduced levy on low incomes:", "Yes"));
    return t;
}

std::string ReportDate(int year, int month, int day) {
    static const char* const kMonths[12] = {"January", "February", "March",     "April",
                                            "May",     "June",     "July",      "August",
                                            "September", "October", "November", "December"};
    const int m = std::clamp(month, 1, 12);
    return std::to_string(day) + " " + kMonths[m - 1] + " " + std::to_string(year);
}

std::string TodayText() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return ReportDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

std::vector<ExtraProjectionColumn> ExtraProjectionColumns(const Investment& doc) {
    std::vector<ExtraProjectionColumn> columns;
    if (!doc.RateSteps.empty())
        columns.push_back({"Interest\nrate", InterestRateByYear(doc), "0.00%", "InterestRate"});
    if (UsesOffset(doc)) {
        columns.push_back({"Offset\nbalance", doc.OffsetByYear, kProjectionFormat, "OffsetBalance"});
        columns.push_back({"Interest\nsaved", doc.InterestSavedByYear, kProjectionFormat, "InterestSaved"});
    }
    if (UsesLandTax(doc))
        columns.push_back({"Land\ntax", doc.LandTaxByYear, kProjectionFormat, "LandTax"});
    return columns;
}

std::string LoanRepaidNote(const Investment& doc, int column) {
    if (doc.LoanPaidOffYear != column + 1 || !SetsLoanAndCosts(doc)) return {};
    return "loan repaid";
}
