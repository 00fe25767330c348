#include "ui/dialogs/Plausibility.h"

#include <cmath>

#include "export/ReportData.h"
#include "format/Format.h"

namespace {

bool Usable(double v) { return std::isfinite(v) && !IsNoValue(v); }

std::string Percent(double v) { return FormatValue(v, "0.00%"); }
std::string Dollars(double v) { return WholeDollars(v); }

} // namespace

void DoubtInterestRate(Doubts& doubts, int control, double ratePercent) {
    if (Usable(ratePercent) && ratePercent > kHighestLikelyRate)
        doubts.push_back({control, "The interest rate, " + Percent(ratePercent) +
                                       " a year, is above " + Percent(kHighestLikelyRate) + "."});
}

void DoubtGrowth(Doubts& doubts, int control, double ratePercent) {
    if (!Usable(ratePercent)) return;
    if (ratePercent > kHighestLikelyGrowth)
        doubts.push_back({control, "Growth of " + Percent(ratePercent) + " a year is above " +
                                       Percent(kHighestLikelyGrowth) + "."});
    else if (ratePercent < kLowestLikelyGrowth)
        doubts.push_back({control, "Growth of " + Percent(ratePercent) + " a year is below " +
                                       Percent(kLowestLikelyGrowth) + "."});
}

void DoubtRent(Doubts& doubts, int control, double rent, int periodsPerYear, double price) {
    if (!Usable(rent) || !Usable(price) || price <= 0 || periodsPerYear <= 0) return;
    const double yearly = rent * periodsPerYear;
    const double share = 100.0 * yearly / price;
    const char* side = share < kLowestLikelyRentShare    ? "under "
                       : share > kHighestLikelyRentShare ? "over "
                                                         : nullptr;
    if (!side) return;
    const double bound = share < kLowestLikelyRentShare ? kLowestLikelyRentShare : kHighestLikelyRentShare;
    doubts.push_back({control, "The rent, " + Dollars(yearly) + " a year, is " + side +
                                   Percent(bound) + " of the price (" + Dollars(price) + ")."});
}

void DoubtDeposit(Doubts& doubts, int control, double deposit, double totalCost) {
    if (Usable(deposit) && Usable(totalCost) && deposit > totalCost)
        doubts.push_back({control, "The deposit, " + Dollars(deposit) + ", is more than the cost, " +
                                       Dollars(totalCost) + "."});
}

std::string DoubtsQuestion(const Doubts& doubts) {
    std::string text;
    for (const Doubt& d : doubts) text += d.message + "\n\n";
    return text + "Keep it, or change it?";
}
