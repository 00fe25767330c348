#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "tests/support/HostileFiles.h"
#include "tests/support/TestFiles.h"
#include "tests/support/WorkbookCells.h"

namespace {

namespace fs = std::filesystem;

const fs::path kExample = fs::path(VEL_SOURCE_DIR) / "examples/worked-example-interest-only.vel";

std::string Quoted(const fs::path& p) { return "'" + p.string() + "'"; }

struct Outcome {
    int status;
    std::string out, err;
};

class Velreport : public ::testing::Test {
protected:
    void SetUp() override {
        dir = FreshTestFolder("velreport-test");
    }
    void TearDown() override { fs::remove_all(dir); }

    Outcome Run(const std::string& program, const std::string& args) {
        const fs::path out = dir / ".stdout", err = dir / ".stderr";
        const std::string cmd = program + " " + args + " >" + Quoted(out) + " 2>" + Quoted(err) + " </dev/null";
        const int raw = std::system(cmd.c_str());
        Outcome o{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, Slurp(out), Slurp(err)};
        fs::remove(out);
        fs::remove(err);
        return o;
    }
    // Without any display.
    Outcome Report(const std::string& args) {
        return Run("env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " + Quoted(VELREPORT_PATH), args);
    }

    fs::path dir;
};

TEST_F(Velreport, ReportHoldsTheFiguresEveryInputAndTheLastYear) {
    const fs::path pdf = dir / "r.pdf";
    // No display: the program draws offscreen by itself.
    const Outcome r = Report(Quoted(kExample) + " -o " + Quoted(pdf));
    ASSERT_EQ(r.status, 0) << r.err;
    const Outcome text = Run("DISPLAY= pdftotext", Quoted(pdf) + " -");
    ASSERT_EQ(text.status, 0);
    // The worked example: IRR 13.86 %, NPV 75,030; year 40's equity 1,446,064.18 (velcalc),
    // which the table shows in whole dollars.
    for (const char* wanted :
         {"12 Example Street, Toowong QLD", "Worked example, interest only", "13.86%", "$75,030",
          "$1,446,064", "worked-example-interest-only.vel", "Page 1 of 8", "Page 8 of 8",
          // The futures, on the last page.
          "Risk: how sure is the answer", "futures the property beats the index fund after tax",
          // The inputs, grouped as the editors group them.
          "Property address:", "Property description:", "Notes:", "Property price:", "Renovations:",
          "Market value:", "Furniture package:", "Stamp duty:", "Stamp duty worked",
          "Conveyancing:", "Other costs:", "Cash deposit:", "Percent of cost:",
          "Deposit set to % of cost:", "Rent paid each:", "Amount:", "Vacancy rate:", "Annual expenses:",
          "Percent of rent:", "Expenses set as % of rent:", "Building value:", "Building rate:",
          "Building method:", "Fittings value:", "Fittings rate:", "Fittings method:",
          "Additional loan:", "Loan amount:", "Interest rate:", "Loan type:", "Loan costs:",
          "Percent of the deficit:", "Loan costs as % of the", "Loan costs written off over:",
          "Registration of title:", "Investor:", "Partner:", "Projection period:",
          "Growth of the value a year:", "Inflation a year:", "Show results for year:",
          "Selling costs:", "Discount on the gain:", "Rental losses:", "Reduce other income",
          "Losses carried from year:", "Rent follows inflation:", "Rent growth a year:",
          "Interest-only years:",
          // The sale held ten years (worked out apart: see the sale's model tests).
          "Sale at the end of year 10", "$119,554", "$35,844", "8.76%", "$35,685",
          // The scales in force, by name.
          "Stamp duty: Qld", "Income tax: Australia (06/07)", "Years from purchase"})
        EXPECT_NE(text.out.find(wanted), std::string::npos) << wanted;
    const Outcome info = Run("pdfinfo", Quoted(pdf));
    EXPECT_NE(info.out.find("Pages:           8\n"), std::string::npos) << info.out;
    EXPECT_NE(info.out.find("A4"), std::string::npos) << info.out;
}

// The workbook holds velcalc's numbers as far as the workbook library's 16 significant digits
// keep them; its rates are velcalc's divided by 100.
TEST_F(Velreport, WorkbookHoldsVelcalcsNumbers) {
    const fs::path xlsx = dir / "r.xlsx";
    ASSERT_EQ(Report(Quoted(kExample) + " -o " + Quoted(xlsx)).status, 0);
    const auto json = nlohmann::json::parse(Run(Quoted(VELCALC_PATH), Quoted(kExample)).out);
    const std::string book = WorkbookMember(xlsx, "xl/workbook.xml");
    EXPECT_NE(book.find("<sheet name=\"Summary\""), std::string::npos);
    EXPECT_NE(book.find("<sheet name=\"Projection\""), std::string::npos);
    EXPECT_NE(book.find("<sheet name=\"Scales\""), std::string::npos);
    const auto same = [](const WorkbookCell& cell, double wanted, const std::string& where) {
        double value = 0;
        const auto r = std::from_chars(cell.text.data(), cell.text.data() + cell.text.size(), value);
        ASSERT_TRUE(r.ec == std::errc() && r.ptr == cell.text.data() + cell.text.size()) << where;
        EXPECT_LE(std::fabs(value - wanted), 1e-15 * std::fabs(wanted)) << where << ": " << cell.text;
    };

    // Columns B to P in the order of velcalc's CSV; row 2 is year 1.
    const auto projection = WorkbookSheet(xlsx, 2);
    const std::string header = Run(Quoted(VELCALC_PATH), "--csv " + Quoted(kExample)).out;
    std::vector<std::string> names;
    std::istringstream line(header.substr(0, header.find('\n')));
    for (std::string name; std::getline(line, name, ',');) names.push_back(name);
    ASSERT_EQ(names.size(), 16u);
    int compared = 0;
    for (std::size_t c = 1; c < names.size(); ++c)
        for (int year = 1; year <= 40; ++year) {
            const std::string ref = std::string(1, static_cast<char>('A' + c)) + std::to_string(year + 1);
            ASSERT_TRUE(projection.count(ref)) << ref;
            same(projection.at(ref), json["table"][names[c]][year - 1].get<double>(), ref);
            ++compared;
        }
    EXPECT_EQ(compared, 600);

    const auto summary = WorkbookLabelled(WorkbookSheet(xlsx, 1));
    const struct { const char* label; const char* field; double scale; } fields[] = {
        {"Internal rate of return:", "IRR", 0.01},
        {"Net present value:", "NPV", 1},
        {"Average cash flow a week:", "AvgCashFlowWeek", 1},
        {"Rate of return after sale:", "IRRAfterSale", 0.01},
        {"Net present value after sale:", "NPVAfterSale", 1},
        {"Capital gains tax:", "SaleTax", 1},
        {"Property price:", "Price", 1},
        {"Interest rate:", "RateInterest", 0.01},
        {"Growth of the value a year:", "RateGrowth", 0.01},
        {"Inflation a year:", "RateInfl", 0.01},
        {"Vacancy rate:", "VacancyRate", 0.01},
        {"Selling costs:", "SellingCostsPC", 0.01},
    };
    for (const auto& f : fields) {
        ASSERT_TRUE(summary.count(f.label)) << f.label;
        same(summary.at(f.label), json["fields"][f.field].get<double>() * f.scale, f.label);
    }
}

TEST_F(Velreport, CsvIsVelcalcsByteForByte) {
    const fs::path csv = dir / "r.csv";
    ASSERT_EQ(Report("--duty 'NSW 2025' " + Quoted(kExample) + " -o " + Quoted(csv)).status, 0);
    EXPECT_EQ(Slurp(csv), Run(Quoted(VELCALC_PATH), "--csv --duty 'NSW 2025' " + Quoted(kExample)).out);
}

// Each hostile file gives its report or its reason at once; exports onto what is no plain file
// are refused and leave it as it was, and "-" streams the report for piping.
TEST_F(Velreport, HostileFilesAndTargets) {
    const fs::path files = dir / "in";
    fs::create_directories(files);
    int keepOpen = -1;
    for (const HostileFile& f : MakeHostileFiles(files, keepOpen)) {
        SCOPED_TRACE(f.name);
        Outcome r;
        EXPECT_LT(SecondsTaken([&] { r = Report(Quoted(f.path) + " -o " + Quoted(dir / "r.csv")); }),
                  kHostileSeconds);
        EXPECT_EQ(r.status, f.opens ? 0 : 1) << r.err;
        EXPECT_TRUE(f.opens || r.err.find(f.refusal) != std::string::npos) << r.err;
    }
    ::close(keepOpen);
    fs::remove_all(files);
    fs::remove(dir / "r.csv");

    const std::string in = Quoted(kExample);
    ASSERT_EQ(::mkfifo((dir / "pipe.pdf").c_str(), 0600), 0);
    const Outcome pipe = Report(in + " -o " + Quoted(dir / "pipe.pdf"));
    EXPECT_EQ(pipe.status, 1);
    EXPECT_NE(pipe.err.find("It is a pipe, not a file."), std::string::npos) << pipe.err;
    EXPECT_TRUE(fs::is_fifo(dir / "pipe.pdf"));
    fs::remove(dir / "pipe.pdf");
    for (const char* out : {"-", "/dev/stdout"}) {
        const Outcome streamed = Report(in + " -o " + out + " --format csv");
        EXPECT_EQ(streamed.status, 0) << streamed.err;
        EXPECT_EQ(streamed.out, Run(Quoted(VELCALC_PATH), "--csv " + in).out);
    }
    const Outcome xlsx = Report(in + " -o - --format xlsx");
    EXPECT_EQ(xlsx.status, 0) << xlsx.err;
    EXPECT_EQ(xlsx.out.substr(0, 2), "PK");
    EXPECT_TRUE(Listing(dir).empty());
}

TEST_F(Velreport, ExitStatusAndNothingHalfWritten) {
    struct Case {
        std::string args;
        int status;
        const char* message;
    };
    const std::string in = Quoted(kExample);
    const Case cases[] = {
        {"", 2, "no file given"},
        {in, 2, "no output file given"},
        {in + " -o " + Quoted(dir / "r.txt"), 2, "cannot tell the format"},
        {in + " -o " + Quoted(dir / "r.pdf") + " --format doc", 2, "unknown format"},
        {in + " -o " + Quoted(dir / "r.pdf") + " --tax Nowhere", 2, "no built-in tax scale"},
        {in + " -o " + Quoted(dir / "r.pdf") + " --bogus", 2, "unknown option --bogus"},
        {Quoted(dir / "missing.vel") + " -o " + Quoted(dir / "r.pdf"), 1, "missing.vel: cannot open"},
        {in + " -o " + Quoted(dir / "no-folder" / "r.pdf"), 1, "no-folder/r.pdf: could not be written"},
        {in + " -o " + Quoted(dir / "no-folder" / "r.xlsx"), 1, "could not be written"},
        {in + " -o " + Quoted(dir / "no-folder" / "r.csv"), 1, std::strerror(ENOENT)},
    };
    for (const Case& c : cases) {
        const Outcome r = Report(c.args);
        EXPECT_EQ(r.status, c.status) << c.args;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << c.args << "\n" << r.err;
        EXPECT_TRUE(Listing(dir).empty()) << c.args;
    }
    // The investment itself is never written over.
    const fs::path copy = dir / "house.vel";
    fs::copy_file(kExample, copy);
    const Outcome own = Report(Quoted(copy) + " -o " + Quoted(dir / "." / "house.vel") + " --format csv");
    EXPECT_EQ(own.status, 2);
    EXPECT_NE(own.err.find("is the investment file itself"), std::string::npos) << own.err;
    EXPECT_EQ(Slurp(copy), Slurp(kExample));
    fs::remove(copy);
    // A file-size limit set by the shell, as `ulimit -f` does: the write fails and is told,
    // rather than the process being killed with a part-written file left behind.
    const Outcome limited =
        Run("ulimit -f 8; env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " + Quoted(VELREPORT_PATH),
            in + " -o " + Quoted(dir / "r.pdf"));
    EXPECT_EQ(limited.status, 1);
    EXPECT_NE(limited.err.find(std::strerror(EFBIG)), std::string::npos) << limited.err;
    EXPECT_TRUE(Listing(dir).empty());
    // --format wins over the extension.
    ASSERT_EQ(Report(in + " -o " + Quoted(dir / "r.txt") + " --format csv").status, 0);
    EXPECT_EQ(Slurp(dir / "r.txt").substr(0, 18), "Year,PropertyValue");
}

} // namespace
