// The report's lines for the law of the years, for the established purchase of December 2026
// worked by hand in the model's tests (tests/model/LawSaleTest.cpp, first case).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "export/ReportData.h"
#include "model/Investment.h"
#include "model/Scales.h"

namespace {

void SetUpEstablishedDecember2026(CVELPPCDoc& doc) {
    doc.ResetFixedDefaults();
    doc.Price = doc.MarketValue = 800000;
    doc.UseSDScale = 0;
    doc.StampDutyCost = 30000;
    doc.DepositPC = 20;
    doc.RateInterest = 6;
    doc.RateInfl = 3;
    doc.Rent = 1000;
    doc.RateGrowth = 4;
    doc.TaxableHim = 120000;
    doc.TaxLaw = 1;
    doc.PurchaseYear = 2026;
    doc.PurchaseMonth = 12;
    doc.Recalculate(false, ShippedDutyScale(kDutyLocationNone), ShippedTaxScale(0));
}

TEST(ReportLaw, TheSaleShowsThePiecesOfTheLaw) {
    CVELPPCDoc doc;
    SetUpEstablishedDecember2026(doc);
    const ReportSection sale = SaleSection(doc);
    std::vector<std::string> labels, shown;
    for (const ReportLine& line : sale.lines) {
        labels.push_back(line.label);
        shown.push_back(line.Shown());
    }
    const std::vector<std::string> expected = {
        "Sale price:", "Cost of selling:", "Cost base:", "Capital gain:",
        "Gain before the switch:", "Gain after the switch:", "Indexed cost base:",
        "Rental loss carried:", "Taxable gain:", "Minimum tax top-up:", "Capital gains tax:",
        "Value after sale:", "IRR after sale:", "NPV after sale:"};
    EXPECT_EQ(labels, expected);
    EXPECT_EQ(shown[4], "($2,436)");
    EXPECT_EQ(shown[5], "$163,381");
    EXPECT_EQ(shown[6], "$991,210");
    EXPECT_EQ(shown[7], "$51,520");
    EXPECT_EQ(shown[8], "$109,425");
    EXPECT_EQ(shown[10], "$48,755");
    EXPECT_EQ(SaleLawText(doc),
              "Australia by income year, established dwelling bought Dec 2026, sold Dec 2036. "
              "Gain before the switch ($2,436) (discounted), after it $163,381 over an indexed "
              "cost base of $991,210; minimum tax top-up $0.");
    EXPECT_EQ(IncomeYearHeading(doc, 0), "2026-27");
    EXPECT_EQ(IncomeYearHeading(doc, 39), "2065-66");
}

TEST(ReportLaw, OneScaleForEveryYearAddsNothing) {
    CVELPPCDoc doc;
    SetUpEstablishedDecember2026(doc);
    doc.TaxLaw = 0;
    doc.PurchaseMonth = 7;
    doc.PurchaseYear = 2026;
    doc.Recalculate(false, ShippedDutyScale(kDutyLocationNone), ShippedTaxScale(0));
    EXPECT_EQ(SaleSection(doc).lines.size(), 9u);
    EXPECT_EQ(SaleLawText(doc), "");
    EXPECT_EQ(IncomeYearHeading(doc, 0), "");
    for (const ReportSection& s : InputSections(doc)) EXPECT_NE(s.title, "Purchase and Law");
}

} // namespace
