// The page "Land Tax and Depreciation", driven without widgets.
#include "model/LandTax.h"
#include "model/Scales.h"
#include "tests/model/WorkedExample.h"
#include "tests/ui/dialogs/DialogTestSupport.h"

#include "ui/dialogs/AssumptionEditors.h"
#include "ui/dialogs/DepreciationEditors.h"

namespace {

using C = LandTaxAssumptions;

TEST(LandTaxPage, TheStateAndTheLandGiveTheTaxAndAPastedColumnTheSchedule) {
    Investment doc;
    SetUpWorkedExample(doc);
    doc.Recalculate(Scales{});
    C page(doc, Scales{});
    FakePort port;
    page.Open(port);
    EXPECT_EQ(port.choices[C::kState], 0);
    EXPECT_EQ(port.Text(C::kScheduleNote), "No schedule: the rate and method of the depreciation apply.");

    // Qld, 350,000 of land and 250,000 held elsewhere: 600,000 in all pays 500.
    port.choices[C::kState] = kLandTaxQld;
    page.Choose(port, C::kState);
    port.Type(C::kLandValue, "350000");
    port.Type(C::kOtherLand, "250000");
    // A column pasted from a spreadsheet, with a currency sign and thousands.
    port.Type(C::kBuilding, "$9,140\r\n9,140\r\n");
    page.Recalculate(port);
    EXPECT_EQ(port.Text(C::kTaxFirstYear), "$500");
    EXPECT_EQ(port.Text(C::kBuilding), "9140\n9140\n");
    Investment applied;
    page.Apply(applied);
    EXPECT_EQ(applied.LandTaxState, kLandTaxQld);
    EXPECT_EQ(applied.BuildingSchedule, (std::vector<double>{9140, 9140}));

    // The first row's amount edited: the rows become the investment's own; another State
    // gives its built-in rows again. 600,000 in all then pays nothing below 700,000.
    port.Type(C::kRowAbove, "700000");
    page.Recalculate(port);
    EXPECT_EQ(page.rows.size(), 5u);
    EXPECT_EQ(port.Text(C::kTaxFirstYear), "$0");
    port.choices[C::kState] = kLandTaxNSW;
    page.Choose(port, C::kState);
    EXPECT_TRUE(page.rows.empty());

    // A text that is no column leaves the schedule as it was, and says so.
    port.Type(C::kBuilding, "9140\nabout 9000\n");
    page.Recalculate(port);
    EXPECT_EQ(page.building, (std::vector<double>{9140, 9140}));
    EXPECT_EQ(port.Text(C::kScheduleNote).rfind("A line is not a figure", 0), 0u);
}

// The Depreciation editor's page shows the schedule's first year instead of rate x value.
TEST(LandTaxPage, TheDepreciationPageSaysTheScheduleGivesTheFigures) {
    BuildingDepreciationLogic page;
    page.value.amount = 250000;
    page.rate = 2.5;
    page.scheduled = true;
    page.scheduledFirstYear = 9140;
    FakePort port;
    page.Open(port);
    EXPECT_EQ(page.depreciation, 9140);
    EXPECT_TRUE(port.Shown(DepreciationPageLogic::kNilReason));
}

} // namespace
