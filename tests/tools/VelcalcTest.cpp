#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "format/Text.h"
#include "model/Investment.h"
#include "model/Scales.h"
#include "tests/persist/SampleInvestment.h"
#include "tests/support/Locale.h"

namespace {

namespace fs = std::filesystem;

struct Outcome {
    int status;
    std::string out, err;
};

std::string slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string l; std::getline(in, l);) out.push_back(l);
    return out;
}

class Velcalc : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("velcalc-test-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir);
        ResetScalesToStartup();
        CurrentDutyScale = ShippedDutyScale(2);
        FillSampleInvestment(sample);
        bytes = SaveToString(sample);
        ResetScalesToStartup();
        file = write("sample.vel", bytes);
    }
    void TearDown() override {
        fs::remove_all(dir);
        ResetScalesToStartup();
    }

    fs::path write(const std::string& name, const std::string& content) {
        fs::path p = dir / name;
        std::ofstream(p, std::ios::binary) << content;
        return p;
    }

    Outcome run(const std::string& args, const std::string& environment = "") {
        const fs::path out = dir / "stdout", err = dir / "stderr";
        std::string cmd = environment + " '" + VELCALC_PATH + "' " + args + " >'" + out.string() +
                          "' 2>'" + err.string() + "' </dev/null";
        int raw = std::system(cmd.c_str());
        return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, slurp(out), slurp(err)};
    }
    static std::string quoted(const fs::path& p) { return "'" + p.string() + "'"; }

    // What the library makes of the sample file.
    CVELPPCDoc loadedSample() {
        ResetScalesToStartup();
        CVELPPCDoc doc;
        EXPECT_TRUE(LoadFromString(doc, bytes));
        return doc;
    }

    fs::path dir, file;
    CVELPPCDoc sample;
    std::string bytes;
};

TEST_F(Velcalc, JsonHoldsEveryFieldTableRowAndScaleExactly) {
    Outcome r = run(quoted(file));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const auto j = nlohmann::ordered_json::parse(r.out);
    const CVELPPCDoc doc = loadedSample();

    // Three texts, the 50 stored fields and five working values and results, in record order.
    const auto& f = j.at("fields");
    std::vector<std::string> names;
    for (const auto& item : f.items()) names.push_back(item.key());
    ASSERT_EQ(names.size(), 58u);
    EXPECT_EQ(names[0], "Address");
    EXPECT_EQ(names[3], "Price");
    EXPECT_EQ(names[12], "ReservedFlag");
    EXPECT_EQ(names[52], "ProjectionYear");
    EXPECT_EQ(names[53], "DepFittRemaining");
    EXPECT_EQ(names[57], "NPV");
    EXPECT_EQ(f.at("Address").get<std::string>(), ToUtf8(doc.Address));
    EXPECT_EQ(f.at("Description").get<std::string>(), "Unit \xF0\x9F\x8F\xA0 with view");
    EXPECT_EQ(f.at("Price").get<double>(), 300000);
    EXPECT_EQ(f.at("AdditionalLoan").get<double>(), 0.1 + 0.2);
    EXPECT_EQ(f.at("LoanAmount").get<double>(), doc.LoanAmount);
    EXPECT_EQ(f.at("StampDutyCost").get<double>(), doc.StampDutyCost);
    EXPECT_EQ(f.at("ProjectionYear").get<int>(), 25);
    EXPECT_EQ(f.at("ReservedFlag").get<int>(), 0);
    EXPECT_EQ(f.at("DepBuildRemaining").get<double>(), doc.DepBuildRemaining);
    EXPECT_EQ(f.at("IRR").get<double>(), doc.IRR);
    EXPECT_EQ(f.at("NPV").get<double>(), doc.NPV);
    EXPECT_EQ(f.at("AvgCashFlowWeek").get<double>(), doc.AvgCashFlowWeek);

    const auto& t = j.at("table");
    ASSERT_EQ(t.size(), static_cast<std::size_t>(kTableRows));
    for (int row = 0; row < kTableRows; ++row) {
        const auto& cells = t.at(kRowNames[row]);
        ASSERT_EQ(cells.size(), 40u);
        for (int c = 0; c < kTableColumns; ++c)
            ASSERT_EQ(cells[c].get<double>(), doc.At(static_cast<Row>(row), c))
                << kRowNames[row] << " year " << c + 1;
    }
    for (int c = 0; c < kTableColumns; ++c) {
        EXPECT_EQ(j.at("TaxableHimByYear")[c].get<double>(), doc.TaxableHimByYear[c]);
        EXPECT_EQ(j.at("TaxableHerByYear")[c].get<double>(), doc.TaxableHerByYear[c]);
    }

    const auto& duty = j.at("scales").at("duty");
    EXPECT_EQ(duty.at("Location").get<int>(), 2);
    EXPECT_EQ(duty.at("Count").get<int>(), 4);
    EXPECT_EQ(duty.at("Above").size(), 10u);
    EXPECT_EQ(duty.at("Flat")[3].get<int>(), 1);
    EXPECT_EQ(duty.at("BaseDuty").get<double>(), 0);
    const auto& tax = j.at("scales").at("tax");
    EXPECT_EQ(tax.at("Rate").size(), 10u);
    EXPECT_EQ(tax.at("Above")[2].get<double>(), 25000);
    EXPECT_EQ(tax.at("MedicareThreshold").get<double>(), 15529);
}

TEST_F(Velcalc, NumberThatIsNotFiniteIsNull) {
    CurrentDutyScale.BaseDuty = std::numeric_limits<double>::quiet_NaN();
    CVELPPCDoc doc;
    FillSampleInvestment(doc);
    Outcome r = run(quoted(write("nan.vel", SaveToString(doc))));
    ASSERT_EQ(r.status, 0) << r.err;
    const auto j = nlohmann::json::parse(r.out);
    EXPECT_TRUE(j.at("scales").at("duty").at("BaseDuty").is_null());
    EXPECT_TRUE(j.at("fields").at("StampDutyCost").is_null());
}

TEST_F(Velcalc, CsvHasTheNamedRowsForEveryYearExactly) {
    Outcome r = run("--csv " + quoted(file));
    ASSERT_EQ(r.status, 0) << r.err;
    const auto ls = lines(r.out);
    ASSERT_EQ(ls.size(), 41u);
    EXPECT_EQ(ls[0], "Year,PropertyValue,Debt,Equity,RentReceived,InterestPaid,ExpensesPaid,"
                     "BuildingDep,FittingsDep,LoanCostWriteOff,Deductions,TaxSaving,AfterTaxCash,"
                     "AfterTaxCashWeek,PrincipalPaid,PreTaxCash");
    const CVELPPCDoc doc = loadedSample();
    for (int c = 0; c < kTableColumns; ++c) {
        std::istringstream in(ls[c + 1]);
        std::string cell;
        std::getline(in, cell, ',');
        EXPECT_EQ(cell, std::to_string(c + 1));
        for (int row = 0; row < kTableRows; ++row) {
            if (row == static_cast<int>(Row::ReservedRow0) ||
                row == static_cast<int>(Row::ReservedRow5))
                continue;
            ASSERT_TRUE(std::getline(in, cell, ','));
            // Read without the C library, whose reading follows the process locale.
            double v = 0;
            std::from_chars(cell.data(), cell.data() + cell.size(), v);
            EXPECT_EQ(v, doc.At(static_cast<Row>(row), c))
                << kRowNames[row] << " year " << c + 1;
        }
        EXPECT_FALSE(std::getline(in, cell, ','));
    }
}

TEST_F(Velcalc, ExitStatusesAndMessages) {
    Outcome help = run("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("usage: velcalc"), std::string::npos);

    for (const std::string& args : {std::string(), "--bogus " + quoted(file),
                                    quoted(file) + " " + quoted(file), std::string("--csv")}) {
        Outcome r = run(args);
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_EQ(r.out, "") << args;
        EXPECT_NE(r.err.find("usage: velcalc"), std::string::npos) << args;
    }

    std::string other = bytes;
    other[0] = 'X';
    std::string later = bytes;
    later[3] = '1';
    struct Case {
        fs::path path;
        int status;
        std::string message;
    } cases[] = {
        {dir / "missing.vel", 1, "No such file"},
        {write("other.vel", other), 1, "Can't read file from different VEL"},
        {write("short.vel", bytes.substr(0, bytes.size() - 1)), 1, "not a complete"},
        {write("later.vel", later), 0, "File from later version of VEL"},
    };
    for (const auto& c : cases) {
        Outcome r = run(quoted(c.path));
        EXPECT_EQ(r.status, c.status) << c.path;
        EXPECT_EQ(lines(r.err).size(), 1u) << r.err;
        EXPECT_NE(r.err.find(c.path.string()), std::string::npos) << r.err;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        EXPECT_EQ(r.out.empty(), c.status != 0) << c.path;
    }
}

// The same bytes whatever the desktop's locale: a comma for the decimals would change numbers.
TEST_F(Velcalc, OutputIsTheSameUnderEveryLocale) {
    ASSERT_TRUE(LocaleAvailable(kCommaLocale)) << "the set-up generates " << kCommaLocale;
    for (const std::string& args : {quoted(file), "--csv " + quoted(file)}) {
        const Outcome c = run(args, "LC_ALL=C");
        const Outcome comma = run(args, std::string("LC_ALL=") + kCommaLocale);
        ASSERT_EQ(c.status, 0) << c.err;
        EXPECT_EQ(comma.out, c.out) << args;
    }
}

} // namespace
