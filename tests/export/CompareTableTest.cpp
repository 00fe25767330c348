// The table of "Compare Investments" as texts: whole dollars in full and the short form for a
// narrow column, a row naming each investment's scales and law, and the tab-separated copy.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "export/CompareTable.h"
#include "model/Law.h"
#include "model/Scales.h"
#include "tests/model/WorkedExample.h"

namespace {

const CompareLine* Line(const CompareTable& table, const std::string& label) {
    for (const CompareLine& line : table.lines)
        if (line.label == label) return &line;
    ADD_FAILURE() << "no line " << label;
    return nullptr;
}

class CompareTableTest : public ::testing::Test {
protected:
    CompareTableTest() {
        Investment open;
        SetUpWorkedExample(open);
        open.Address = u"1 First St\tUnit 2";
        Investment dear;
        SetUpWorkedExample(dear);
        dear.Price = dear.MarketValue = 1165300;
        dear.TaxLaw = kAustraliaByIncomeYear;
        dear.PurchaseYear = 2026;
        dear.PurchaseMonth = 12;
        Scales nsw;
        nsw.duty = ShippedDutyScale(FindDutyLocation("NSW 2025"));
        investments.push_back(Compared("This investment", open, Scales{}));
        investments.push_back(Compared("/somewhere/dear.vel", dear, nsw));
        table = MakeCompareTable(investments);
    }
    std::vector<ComparedInvestment> investments;
    CompareTable table;
};

} // namespace

TEST_F(CompareTableTest, AmountsInWholeDollarsAndTheirShortForm) {
    EXPECT_EQ(table.heads, (std::vector<std::string>{"This investment", "dear.vel"}));
    struct Case {
        const char* label;
        std::vector<std::string> texts, narrow;
    } cases[] = {
        {"Price", {"$300,000", "$1,165,300"}, {"$300,000", "$1.165m"}},
        {"Interest rate", {"8.50%", "8.50%"}, {"8.50%", "8.50%"}},
        {"Projection years", {"10", "10"}, {"10", "10"}},
        {"Loan type", {"Interest Only", "Interest Only"}, {"Interest Only", "Interest Only"}},
    };
    for (const Case& c : cases) {
        const CompareLine* line = Line(table, c.label);
        ASSERT_NE(line, nullptr);
        ASSERT_EQ(line->cells.size(), 2u) << c.label;
        for (std::size_t k = 0; k < 2; ++k) {
            EXPECT_EQ(line->cells[k].text, c.texts[k]) << c.label;
            EXPECT_EQ(line->cells[k].narrow, c.narrow[k]) << c.label;
        }
    }
    EXPECT_TRUE(Line(table, "Price")->number);
    EXPECT_FALSE(Line(table, "Loan type")->number);
    EXPECT_NE(Line(table, "After sale: Value after sale"), nullptr);
}

TEST_F(CompareTableTest, EachInvestmentsScalesAndLawAfterTheProperty) {
    ASSERT_GE(table.lines.size(), 3u);
    EXPECT_EQ(table.lines[0].label, "Property");
    const CompareLine& scales = table.lines[1];
    EXPECT_EQ(scales.label, "Duty and tax");
    ASSERT_EQ(scales.cells.size(), 2u);
    EXPECT_EQ(scales.cells[0].text, "Qld duty, Australia (06/07) income tax");
    EXPECT_EQ(scales.cells[1].text, "NSW 2025 duty, Australia by income year from Dec 2026");
}

TEST_F(CompareTableTest, TheCopyIsTabSeparatedInFull) {
    const std::string text = TabSeparated(table);
    std::vector<std::string> lines;
    for (std::size_t at = 0, end; (end = text.find('\n', at)) != std::string::npos; at = end + 1)
        lines.push_back(text.substr(at, end - at));
    // The headings, then one line a row.
    ASSERT_EQ(lines.size(), table.lines.size() + 1);
    EXPECT_EQ(lines[0], "\tThis investment\tdear.vel");
    // A tab inside the address would start a cell of its own.
    EXPECT_EQ(lines[1], "Property\t1 First St Unit 2\t");
    // After the scales, the law (the second investment sets one), then the price.
    EXPECT_EQ(lines[3].substr(0, 8), "Tax law\t");
    EXPECT_EQ(lines[4], "Price\t$300,000\t$1,165,300");
}
