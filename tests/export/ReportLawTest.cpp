// The report's lines for the law of the years, for the established purchase of December 2026
// worked by hand in the model's tests (tests/model/LawSaleTest.cpp, first case).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "export/ReportData.h"
#include "export/ReportDocument.h"
#include "model/Investment.h"
#include "model/Scales.h"
#include "tests/model/LawExample.h"

namespace {

TEST(ReportLaw, TheSaleShowsThePiecesOfTheLaw) {
    Scales scales;
    Investment doc;
    SetUpLawExample(doc, {});
    const ReportSection sale = SaleSection(doc);
    std::vector<std::string> labels;
    for (const ReportLine& line : sale.lines) labels.push_back(line.label);
    const std::vector<std::string> expected = {
        "Sale price:", "Cost of selling:", "Cost base:", "Capital gain:",
        "Gain before the switch:", "Gain after the switch:", "Indexed cost base:",
        "Rental loss carried:", "Taxable gain:", "Minimum tax top-up:", "Capital gains tax:",
        "Value after sale:", "Rate of return after sale:", "Net present value after sale:"};
    EXPECT_EQ(labels, expected);
    EXPECT_EQ(SaleLawText(doc),
              "Australia by income year, established dwelling bought Dec 2026, sold Dec 2036. "
              "Gain before the switch ($2,436) (discounted), after it $163,381 over an indexed "
              "cost base of $991,210; minimum tax top-up $0.");
    EXPECT_EQ(IncomeYearHeading(doc, 0), "2026-27");
    EXPECT_EQ(IncomeYearHeading(doc, 39), "2065-66");

    // The report's table: each year with its income year, the law under the heading.
    bool firstYear = false, lastYear = false, legend = false;
    for (const ReportPage& page : BuildReport(doc, scales, {}).pages)
        for (const ReportText& text : page.texts) {
            firstYear = firstYear || text.text == "1  2026-27";
            lastYear = lastYear || text.text == "40  2065-66";
            legend = legend || text.text.ends_with(
                                   "Taxed as: Australia by income year, established dwelling bought Dec 2026.");
        }
    EXPECT_TRUE(firstYear && lastYear && legend);
}

TEST(ReportLaw, OneScaleForEveryYearAddsNothing) {
    Investment doc;
    SetUpLawExample(doc, {.law = 0, .month = 7});
    EXPECT_EQ(SaleSection(doc).lines.size(), 9u);
    EXPECT_EQ(SaleLawText(doc), "");
    EXPECT_EQ(IncomeYearHeading(doc, 0), "");
    for (const ReportSection& s : InputSections(doc)) EXPECT_NE(s.title, "Purchase and Law");
}

} // namespace
