// Figures that are allowed but seldom meant: an interest rate above 20 %, growth above 15 % or
// below -10 % a year, a rent under 1 % or over 20 % of the price a year, a deposit above the
// cost. An editor's OK names them in one question ("Keep it" / "Change it"); nothing is refused.
// No widgets here: the editors' logic classes say which of their fields is doubtful.
#pragma once

#include <string>
#include <vector>

// A doubtful figure: the control of the editor that holds it, and what to tell the user.
struct Doubt {
    int control = 0;
    std::string message;
};
using Doubts = std::vector<Doubt>;

inline constexpr double kHighestLikelyRate = 20.0;    // interest, % a year
inline constexpr double kHighestLikelyGrowth = 15.0;  // capital growth, % a year
inline constexpr double kLowestLikelyGrowth = -10.0;
inline constexpr double kLowestLikelyRentShare = 1.0; // rent a year, % of the price
inline constexpr double kHighestLikelyRentShare = 20.0;

// Each adds a doubt about `control` to `doubts` when the figure is unlikely. Figures without a
// value (text that is no number) raise none: the editor keeps what it had.
void DoubtInterestRate(Doubts& doubts, int control, double ratePercent);
void DoubtGrowth(Doubts& doubts, int control, double ratePercent);
// Rent of one period and the periods in a year, against the purchase price (none without one).
void DoubtRent(Doubts& doubts, int control, double rent, int periodsPerYear, double price);
// The cash deposit against the total cost it pays towards.
void DoubtDeposit(Doubts& doubts, int control, double deposit, double totalCost);

// The question an editor's OK asks about its doubts, one paragraph each.
std::string DoubtsQuestion(const Doubts& doubts);
