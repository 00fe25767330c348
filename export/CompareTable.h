// The table of "Compare Investments" as texts: the headings, the rows' captions, each amount in
// whole dollars ("$1,165,300") and in the short form ("$1.165m") for a column too narrow for
// it, and the whole table as tab-separated text for the clipboard.
#pragma once

#include <string>
#include <vector>

#include "analysis/Compare.h"

struct CompareCell {
    std::string text;   // in full: whole dollars
    std::string narrow; // where the column has no room for `text`; the same for texts and rates
    bool best = false;
};

struct CompareLine {
    std::string label;  // "After sale: " before the sale's rows
    bool number = false; // right-aligned
    std::vector<CompareCell> cells;
};

struct CompareTable {
    std::vector<std::string> heads; // the first as named, the others their file's name
    std::vector<CompareLine> lines;
};

// The rows of Compare, with a row after the property naming each investment's duty and tax
// scales and its tax law, as the line above the summary does (ScalesInForce).
CompareTable MakeCompareTable(const std::vector<ComparedInvestment>& investments);

// The headings and every row, a tab between cells and a line feed after each row, in full.
std::string TabSeparated(const CompareTable& table);
