#include <gtest/gtest.h>

#include <unistd.h>

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "export/Workbook.h"
#include "format/Format.h"
#include "tests/model/LawExample.h"
#include "tests/model/WorkedExample.h"
#include "tests/support/WorkbookCells.h"

namespace {

namespace fs = std::filesystem;

double Number(const std::string& text) {
    double v = 0;
    const auto r = std::from_chars(text.data(), text.data() + text.size(), v);
    EXPECT_EQ(r.ptr, text.data() + text.size()) << text;
    return v;
}

// Within what the workbook library's 16 significant digits keep.
void ExpectClose(const std::string& text, double wanted, const std::string& where) {
    EXPECT_LE(std::fabs(Number(text) - wanted), 1e-15 * std::fabs(wanted)) << where << ": " << text;
}

class Workbook : public ::testing::Test {
protected:
    Scales scales;
    void SetUp() override { SetUpWorkedExample(doc); }
    void TearDown() override { fs::remove(path); }

    void Write() {
        std::string reason;
        ASSERT_TRUE(WriteWorkbook(doc, scales, path.string(), reason)) << reason;
    }

    Investment doc;
    const fs::path path =
        fs::temp_directory_path() / ("vel-book-" + std::to_string(::getpid()) + ".xlsx");
};

TEST_F(Workbook, NumbersToSixteenDigitsAndNoValueOrInfinityIsAnEmptyCell) {
    // Numbers that 16 digits do not give back exactly, and a value that is none.
    doc.At(Row::Debt, 0) = 0.1 + 0.2;
    doc.At(Row::Equity, 4) = 1.0 / 3.0;
    doc.At(Row::Equity, 5) = NoValue;
    doc.At(Row::Equity, 6) = HUGE_VAL;
    doc.At(Row::Equity, 7) = -HUGE_VAL;
    Write();

    const std::string book = WorkbookMember(path, "xl/workbook.xml");
    for (const char* sheet : {"name=\"Summary\"", "name=\"Projection\"", "name=\"Scales\""})
        EXPECT_NE(book.find(sheet), std::string::npos) << sheet;
    const auto cells = WorkbookSheet(path, 2);
    // Row 2 is year 1; column A the year, B property value, C debt, D equity.
    EXPECT_EQ(cells.at("A2").text, "1");
    EXPECT_EQ(cells.at("A41").text, "40");
    ExpectClose(cells.at("C2").text, 0.3, "C2");
    ExpectClose(cells.at("D6").text, 1.0 / 3.0, "D6");
    for (const char* empty : {"D7", "D8", "D9"}) EXPECT_EQ(cells.at(empty).text, "") << empty;
    EXPECT_EQ(Number(cells.at("B2").text), 313500.0) << "300,000 grown by 4.5 %";
    // Both charts are in the workbook.
    EXPECT_NE(WorkbookMember(path, "xl/charts/chart1.xml").find("Projection!$B$2:$B$26"), std::string::npos);
    EXPECT_NE(WorkbookMember(path, "xl/charts/chart2.xml").find("<c:barChart>"), std::string::npos);
}

// A spreadsheet keeps 13.86 % as 0.1386 shown through a percent format; so does the workbook,
// on the summary and in the scales.
TEST_F(Workbook, RatesAreFractionsShownAsPercentages) {
    Write();
    const auto summary = WorkbookLabelled(WorkbookSheet(path, 1));
    const struct { const char* label; double fraction, tolerance; } rates[] = {
        {"Internal rate of return:", 0.1386, 0.00005}, // the worked example's 13.86 %
        {"Interest rate:", 0.085, 1e-17},
        {"Growth of the value a year:", 0.045, 1e-17},
        {"Selling costs:", 0.025, 1e-17},
    };
    for (const auto& r : rates) {
        ASSERT_TRUE(summary.count(r.label)) << r.label;
        const WorkbookCell& cell = summary.at(r.label);
        EXPECT_NEAR(Number(cell.text), r.fraction, r.tolerance) << r.label;
        EXPECT_EQ(WorkbookNumberFormat(path, cell.style), "0.00%") << r.label;
    }
    // Amounts stay as they are.
    EXPECT_EQ(Number(summary.at("Property price:").text), 300000.0);
    // The scales' rates too: Qld's duty of 2.25 % above 20,000, the tax scale's 30 % above 25,000.
    const auto scales = WorkbookSheet(path, 3);
    for (const double rate : {0.0225, 0.3}) {
        int found = 0;
        for (const auto& [ref, cell] : scales)
            if (ref[0] == 'B' && !cell.isString && !cell.text.empty() && Number(cell.text) == rate) {
                ++found;
                EXPECT_EQ(WorkbookNumberFormat(path, cell.style), "0.00%") << ref;
            }
        EXPECT_EQ(found, 1) << rate;
    }
}

// Characters XML 1.0 cannot hold would make the workbook unreadable, and a NUL would end the
// text early: each becomes U+FFFD and the rest of the text stays.
TEST_F(Workbook, TextsXmlCannotHoldAreReplacedNotCut) {
    const std::string r = "\xEF\xBF\xBD"; // U+FFFD
    const struct { std::u16string address; std::string shown; } cases[] = {
        {u"12 Main St", "12 Main St"},
        {std::u16string(u"a\0b", 3), "a" + r + "b"},
        {u"a\uFFFEb\uFFFFc", "a" + r + "b" + r + "c"},
        {u"a\x01" u"b\x1F" u"c\x7F", "a" + r + "b" + r + "c\x7F"},
        {u"a\xD800" u"b\xDC00", "a" + r + "b" + r},
        {u"a\tb", "a\tb"},
        {u"Caf\u00E9 \U0001F3E0 <&>", "Caf\xC3\xA9 \xF0\x9F\x8F\xA0 <&>"},
    };
    for (const auto& c : cases) {
        doc.Address = c.address;
        Write();
        for (const char* member : {"xl/sharedStrings.xml", "xl/worksheets/sheet1.xml"}) {
            const std::string check = "unzip -p '" + path.string() + "' " + member +
                                      " | xmllint --noout - 2>/dev/null";
            EXPECT_EQ(std::system(check.c_str()), 0) << member << " not well-formed, case " << c.shown;
        }
        const auto summary = WorkbookSheet(path, 1);
        EXPECT_EQ(summary.at("A1").text, c.shown);
        EXPECT_EQ(WorkbookLabelled(summary).at("Property address:").text, c.shown);
    }
}

// A cell holds at most 32,767 characters; a longer text is not left out of the workbook
// silently: the export fails, says why and leaves no file.
TEST_F(Workbook, ATextTooLongForACellFailsTheExport) {
    doc.Notes = std::u16string(32767, u'n');
    Write();
    EXPECT_EQ(WorkbookLabelled(WorkbookSheet(path, 1)).at("Notes:").text.size(), 32767u);
    fs::remove(path);
    doc.Notes += u'n';
    std::string reason;
    EXPECT_FALSE(WriteWorkbook(doc, scales, path.string(), reason));
    EXPECT_NE(reason.find("32,767"), std::string::npos) << reason;
    EXPECT_FALSE(fs::exists(path));
}

// Under the law of the years the projection sheet has the income year of each year after the
// rows (column Q); without it, no such column.
TEST_F(Workbook, TheIncomeYearsUnderTheLawOfTheYears) {
    for (const int law : {0, 1}) {
        doc = Investment();
        SetUpLawExample(doc, {.law = law});
        std::string reason;
        ASSERT_TRUE(WriteWorkbook(doc, scales, path.string(), reason)) << reason;
        const auto cells = WorkbookSheet(path, 2);
        const std::string strings = WorkbookMember(path, "xl/sharedStrings.xml");
        EXPECT_EQ(cells.count("Q1"), static_cast<std::size_t>(law)) << law;
        EXPECT_EQ(cells.count("Q41"), static_cast<std::size_t>(law)) << law;
        EXPECT_EQ(strings.find("Income year") != std::string::npos, law == 1);
        EXPECT_EQ(strings.find("2065-66") != std::string::npos, law == 1);
        fs::remove(path);
    }
}

} // namespace

namespace {

// With nothing varying every future is the projection: the sheet "Risk" holds the summary's
// figures at every percentile, and the table's equity of each year.
TEST_F(Workbook, RiskSheetWithNothingVaryingHoldsTheProjectionsFigures) {
    RiskSetup still;
    still.parameters.growthSD = still.parameters.interestSD = still.parameters.rentGrowthSD = 0;
    still.parameters.inflationSD = still.parameters.vacancyDrawn = 0;
    still.paths = 200;
    doc.Recalculate(scales);
    std::string reason;
    ASSERT_TRUE(WriteWorkbook(doc, scales, path.string(), reason, still)) << reason;
    EXPECT_NE(WorkbookMember(path, "xl/workbook.xml").find("name=\"Risk\""), std::string::npos);
    const auto sheet = WorkbookSheet(path, 4);
    const auto labelled = WorkbookLabelled(sheet);
    ExpectClose(labelled.at("IRR after sale").text, doc.IRRAfterSale / 100, "IRR after sale");
    ExpectClose(labelled.at("NPV after sale").text, doc.NPVAfterSale, "NPV after sale");
    EXPECT_EQ(Number(labelled.at("Futures (paths)").text), 200.0);
    int found = 0;
    for (const auto& [cell, value] : sheet) {
        if (cell[0] != 'A' || value.isString || value.text.empty()) continue;
        const int year = static_cast<int>(Number(value.text));
        const std::string row = cell.substr(1);
        ExpectClose(sheet.at("D" + row).text, doc.At(Row::Equity, year - 1), cell); // the median
        ++found;
    }
    EXPECT_EQ(found, 40);
}

} // namespace
