// The investment files in examples/: how each one is made, and what velcalc makes of the
// committed copies. `VEL_EXAMPLES_DIR=<folder> test_examples` writes them afresh
// (`make examples`).
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "format/Text.h"
#include "model/Investment.h"
#include "model/Scales.h"
#include "persist/InvestmentFile.h"
#include "tests/model/WorkedExample.h"

namespace {

namespace fs = std::filesystem;
using Json = nlohmann::json;

struct Example {
    const char* file;
    std::function<void(Investment&)> make;
};

void Describe(Investment& doc, const char* address, const char* description, const char* notes) {
    doc.Address = FromUtf8(address);
    doc.Description = FromUtf8(description);
    doc.Notes = FromUtf8(notes);
}

// The worked example of the guide: the start-up scales (Queensland duty, the start-up tax
// scale), every other input at its built-in default.
void WorkedExample(Investment& doc, int loanType) {
    SetUpWorkedExample(doc, loanType);
    Describe(doc, "12 Example Street, Toowong QLD",
             loanType == 0 ? "Worked example, interest only"
                           : "Worked example, principal and interest over 25 years",
             "Price and market value 300,000, rent 350 a week. Every other input is the "
             "program's default: 5% deposit, 8.5% interest, 2% vacancy, expenses 22.5% of the "
             "rent, the investor alone on the title with a taxable income of 47,000.\n"
             "Tap a line of the summary to change it.");
}

const std::vector<Example>& Examples() {
    static const std::vector<Example> examples = {
        {"worked-example-interest-only.vel", [](Investment& doc) { WorkedExample(doc, 0); }},
        {"worked-example-principal-and-interest.vel",
         [](Investment& doc) { WorkedExample(doc, 1); }},
        {"joint-names.vel",
         [](Investment& doc) {
             doc.ResetFixedDefaults();
             Describe(doc, "4/27 Example Road, Hamilton QLD", "Two-bedroom unit in joint names",
                      "Bought by a couple: both names on the title, so each claims half of the "
                      "deductions against their own taxable income (95,000 and 62,000).\n"
                      "Principal and interest over 30 years; 10% deposit.");
             doc.Price = 460000;
             doc.MarketValue = 460000;
             doc.Furniture = 6000;
             doc.Rent = 480;
             doc.DepositPC = 10;
             doc.LoanType = 1;
             doc.LoanTerm = 30;
             doc.RateInterest = 7.95;
             doc.NamesOnTitle = 2;
             doc.TaxableHim = 95000;
             doc.TaxableHer = 62000;
             doc.Recalculate(Scales{});
         }},
        {"hand-set-amounts.vel",
         [](Investment& doc) {
             doc.ResetFixedDefaults();
             Describe(doc, "88 Sample Parade, Ipswich QLD", "House with hand-set amounts",
                      "Every linked amount is typed in instead of worked out: stamp duty, "
                      "deposit, loan costs, expenses and both depreciation values. They stay "
                      "as they are when the price or the rent changes; tick the link in the "
                      "editor (or Settings - Linked Variables) to have them worked out again.");
             doc.Price = 385000;
             doc.MarketValue = 395000;
             doc.Renovations = 15000;
             doc.UseSDScale = 0;
             doc.StampDutyCost = 9875;
             doc.Conveyancing = 1400;
             doc.OtherCosts = 650;
             doc.CalcDeposit = 0;
             doc.CashDeposit = 60000;
             doc.CalcLoanCosts = 0;
             doc.LoanCosts = 1800;
             doc.CalcExpenses = 0;
             doc.Expenses = 4600;
             doc.CalcDepFitt = 0;
             doc.DepFittValue = 12000;
             doc.CalcDepBuild = 0;
             doc.DepBuildValue = 165000;
             doc.Rent = 1700;
             doc.PeriodsPerYear = 12;
             doc.Recalculate(Scales{});
         }},
    };
    return examples;
}

fs::path CommittedExample(const char* file) { return fs::path(VEL_SOURCE_DIR) / "examples" / file; }

struct Run {
    int status;
    std::string out;
};

// velcalc's JSON for a file.
Run Velcalc(const fs::path& file) {
    const fs::path out = fs::temp_directory_path() /
                         ("velcalc-example-" + std::to_string(::getpid()) + ".json");
    const std::string cmd = std::string("'") + VELCALC_PATH + "' '" + file.string() + "' >'" +
                            out.string() + "' 2>/dev/null </dev/null";
    const int raw = std::system(cmd.c_str());
    std::ifstream in(out, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    fs::remove(out);
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, text.str()};
}

Json Fields(const fs::path& file) {
    const Run run = Velcalc(file);
    EXPECT_EQ(run.status, 0) << file;
    Json result = Json::parse(run.out, nullptr, false);
    EXPECT_FALSE(result.is_discarded()) << file;
    return result.is_discarded() ? Json::object() : result["fields"];
}

class ExamplesTest : public ::testing::Test {
protected:
    Scales scales;
};

} // namespace

TEST_F(ExamplesTest, WriteWhenAsked) {
    const char* dir = std::getenv("VEL_EXAMPLES_DIR");
    if (dir == nullptr || *dir == '\0') GTEST_SKIP() << "VEL_EXAMPLES_DIR is not set";
    fs::create_directories(dir);
    for (const Example& example : Examples()) {
        Investment doc;
        example.make(doc);
        std::ofstream out(fs::path(dir) / example.file, std::ios::binary | std::ios::trunc);
        ASSERT_TRUE(SaveInvestment(doc, scales, out)) << example.file;
        out.close();
        ASSERT_TRUE(out) << example.file;
    }
}

// The guide quotes these figures for the worked example.
TEST_F(ExamplesTest, WorkedExampleGivesTheGuidesFigures) {
    const Json io = Fields(CommittedExample("worked-example-interest-only.vel"));
    EXPECT_EQ(io["LoanType"], 0);
    EXPECT_EQ(io["Price"], 300000.0);
    EXPECT_EQ(io["MarketValue"], 300000.0);
    EXPECT_EQ(io["Rent"], 350.0);
    EXPECT_EQ(io["ProjectionYear"], 10);
    EXPECT_NEAR(io["IRR"].get<double>(), 13.86, 0.005);
    EXPECT_NEAR(io["NPV"].get<double>(), 75030, 0.5);

    const Json pi = Fields(CommittedExample("worked-example-principal-and-interest.vel"));
    EXPECT_EQ(pi["LoanType"], 1);
    EXPECT_EQ(pi["LoanTerm"], 25);
    EXPECT_NEAR(pi["IRR"].get<double>(), 11.97, 0.005);
    EXPECT_NEAR(pi["NPV"].get<double>(), 83217, 0.5);
}

TEST_F(ExamplesTest, JointNamesAndHandSetAmountsKeepWhatMakesThemExamples) {
    const Json joint = Fields(CommittedExample("joint-names.vel"));
    EXPECT_EQ(joint["NamesOnTitle"], 2);
    EXPECT_EQ(joint["TaxableHer"], 62000.0);

    const Json hand = Fields(CommittedExample("hand-set-amounts.vel"));
    for (const char* link :
         {"UseSDScale", "CalcDeposit", "CalcLoanCosts", "CalcExpenses", "CalcDepFitt", "CalcDepBuild"})
        EXPECT_EQ(hand[link], 0) << link;
    // Unlinked amounts survive the recalculation that follows every read.
    EXPECT_EQ(hand["StampDutyCost"], 9875.0);
    EXPECT_EQ(hand["CashDeposit"], 60000.0);
    EXPECT_EQ(hand["LoanCosts"], 1800.0);
    EXPECT_EQ(hand["Expenses"], 4600.0);
    EXPECT_EQ(hand["DepFittValue"], 12000.0);
    EXPECT_EQ(hand["DepBuildValue"], 165000.0);
}

// A committed file that no longer matches how it is made (an edited recipe, a changed
// recalculation) must be written again.
TEST_F(ExamplesTest, CommittedFilesAreWhatTheirRecipesMake) {
    for (const Example& example : Examples()) {
        Investment made;
        example.make(made);
        const Json file = Fields(CommittedExample(example.file));
        ASSERT_TRUE(file.contains("IRR")) << example.file;
        EXPECT_EQ(file["Address"], ToUtf8(made.Address)) << example.file;
        EXPECT_EQ(file["Notes"], ToUtf8(made.Notes)) << example.file;
        for (const auto& [name, value] : std::initializer_list<std::pair<const char*, double>>{
                 {"Price", made.Price},
                 {"Rent", made.Rent},
                 {"PeriodsPerYear", made.PeriodsPerYear},
                 {"LoanType", made.LoanType},
                 {"LoanAmount", made.LoanAmount},
                 {"TotalCost", made.TotalCost},
                 {"AvgCashFlowWeek", made.AvgCashFlowWeek},
                 {"NPV", made.NPV}})
            EXPECT_NEAR(file[name].get<double>(), value, 1e-6 * (1 + std::abs(value)))
                << example.file << " " << name;
        EXPECT_NEAR(file["IRR"].get<double>(), made.IRR, 1e-6) << example.file;
        // A new user opens these: every one has a return to show.
        EXPECT_GT(made.IRR, 0) << example.file;
    }
}
