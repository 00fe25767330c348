// Several investments side by side: each file worked out under the scales stored in it, the
// key inputs and every result in rows, the best of each result marked, and the rate of return
// of every holding period.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/WhatIf.h"

inline constexpr int kMaxCompared = 4;

struct ComparedInvestment {
    std::string name;       // the file's name as given
    bool ok = false;        // read and worked out
    std::string error;      // why not, when not
    std::vector<std::string> messages; // what reading it had to say (a damaged block, say)
    std::shared_ptr<Investment> doc;   // worked out, when ok
    Scales scales;
};

// Reads `path` and works it out under the scales it stores; the scales in force are left
// alone.
ComparedInvestment ReadCompared(const std::string& path);
// The same from a record and scales already in memory (the open investment, say).
ComparedInvestment Compared(std::string name, const Investment& doc, const Scales& scales);

// Which end of a row is best: results only; inputs are choices, not scores.
enum class Better { None, Higher, Lower };

struct CompareRow {
    std::string_view key;   // velcalc's name
    std::string_view label; // as the program shows it
    std::string_view format; // the value format the summary uses; empty for a text
    Better better;
    bool afterSale; // one of the sale's rows
    std::vector<double> values;      // one per investment; NoValue where there is none
    std::vector<std::string> texts;  // for Text rows
    std::vector<char> best;          // per investment: one of the best (never all of them)
};

struct Comparison {
    std::vector<std::string> names;
    std::vector<CompareRow> rows;
    // The rate of return of every holding period 1..40, per investment, as the chart of the
    // rates of return shows them (NoValue where there is none).
    std::vector<Investment::YearArray> rates;
};

// The rows of the investments that were read (those not ok are left out). The best of a row are
// those with its highest (or lowest) value, unless every investment has that value.
Comparison Compare(const std::vector<ComparedInvestment>& investments);
