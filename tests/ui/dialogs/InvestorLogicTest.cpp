// The whole years of "Annual Projections" and "Specify Results Year", limited to the table when
// the editor is accepted; driven without widgets.
#include "tests/ui/dialogs/DialogTestSupport.h"
#include "ui/dialogs/InvestorEditors.h"

TEST(ProjectionsLogic, UpperLimitIsWholeYearsWithinTheTable) {
    struct {
        const char* typed;
        int years;
    } const cases[] = {{"12.5", 13}, {"9.96", 10}, {"9.4", 9}, {"0", 1},    {"-4", 1},
                       {"99", 40},   {"40", 40},   {"1", 1},    {"abc", 10}, {"20yr", 20}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        ProjectionsLogic ed;
        ed.upperLimit = 10;
        FakePort port;
        ed.Open(port);
        EXPECT_EQ(port.Text(ProjectionsLogic::kUpperLimit), "10yr");
        port.Type(ProjectionsLogic::kUpperLimit, c.typed);
        ed.Ok(port);
        EXPECT_EQ(ed.upperLimit, c.years);
    }
}

TEST(ResultsYearLogic, UntouchedAndLimited) {
    ResultsYearLogic ed;
    ed.resultsYear = 7;
    FakePort port;
    ed.Open(port);
    EXPECT_EQ(port.Text(ResultsYearLogic::kResultsYear), "7yr");
    ed.Ok(port);
    EXPECT_EQ(ed.resultsYear, 7);

    for (auto [typed, year] : {std::pair{"12.4", 12}, {"0", 1}, {"99", 40}, {"-1", 1}}) {
        SCOPED_TRACE(typed);
        ResultsYearLogic e;
        FakePort p;
        e.Open(p);
        p.Type(ResultsYearLogic::kResultsYear, typed);
        e.Ok(p);
        EXPECT_EQ(e.resultsYear, year);
    }
    // A year from outside the table (a record never limited) comes back within it.
    ResultsYearLogic stale;
    stale.resultsYear = 41;
    FakePort p;
    stale.Open(p);
    stale.Ok(p);
    EXPECT_EQ(stale.resultsYear, 40);
}
