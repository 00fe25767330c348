// The texts of the summary: 19 lines of a caption and a value, made from the investment. The
// summary screen draws them in its cells; the report prints them as its first section.
#pragma once

#include <array>
#include <string>

class Investment;
struct Scales;

inline constexpr int kSummaryRows = 19;

// What a line always is: its caption while nothing else is said, whether the caption and the
// value are bold, and the value's format (format/Format.h; "a" a text).
struct SummaryRowStyle {
    const char* caption;
    bool labelBold;
    const char* format;
    bool valueBold;
};

// Row r is item type r (model/Investment.h).
extern const std::array<SummaryRowStyle, kSummaryRows> kSummaryRowStyles;

struct SummaryLine {
    std::string label;
    std::string value; // empty when the line shows none
    // The value invites the first entry: "Click here", shown as a link would be.
    bool clickHere = false;
};

// Every line as the investment stands.
std::array<SummaryLine, kSummaryRows> SummaryLines(const Investment& doc);

// The scales and the law the figures are worked out under, in a line above the summary:
// "NSW 2025 duty, Australia by income year from Dec 2026".
std::string ScalesInForce(const Investment& doc, const Scales& scales);

// Whether the line's value is a title's, with no value of its own ("Results", "Projections").
bool IsTitleRow(int row);

// The caption of line `row` in plain words for a printed page, where there is room: "Loan
// costs, written off over 5 years:" for the screen's "Loan costs (w/o 5yrs):", the rent's
// period spelt out, the rate the net present value is discounted at. `label` is the screen's
// caption, kept where it is plain already.
std::string PlainLabel(const Investment& doc, int row, const std::string& label);
