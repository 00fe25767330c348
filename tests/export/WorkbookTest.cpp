#include <gtest/gtest.h>

#include <unistd.h>

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>

#include "export/Workbook.h"
#include "format/Format.h"
#include "tests/model/LawExample.h"
#include "tests/model/WorkedExample.h"

namespace {

namespace fs = std::filesystem;

// One member of the archive, through the system's unzip.
std::string Member(const fs::path& zip, const std::string& name) {
    const std::string command = "unzip -p '" + zip.string() + "' '" + name + "'";
    std::string out;
    if (std::FILE* p = ::popen(command.c_str(), "r")) {
        char buf[4096];
        for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, p)) > 0;) out.append(buf, n);
        ::pclose(p);
    }
    return out;
}

// The cells of a sheet: reference to the text of its value, "" for a cell without one.
std::map<std::string, std::string> Cells(const std::string& xml) {
    std::map<std::string, std::string> cells;
    for (std::size_t at = 0; (at = xml.find("<c r=\"", at)) != std::string::npos;) {
        const std::size_t nameEnd = xml.find('"', at + 6);
        const std::string name = xml.substr(at + 6, nameEnd - at - 6);
        const std::size_t tagEnd = xml.find('>', at);
        if (xml[tagEnd - 1] == '/') {
            cells[name] = "";
        } else {
            const std::size_t v = xml.find("<v>", at), end = xml.find("</v>", at);
            cells[name] = xml.substr(v + 3, end - v - 3);
        }
        at = tagEnd;
    }
    return cells;
}

double Number(const std::string& text) {
    double v = 0;
    const auto r = std::from_chars(text.data(), text.data() + text.size(), v);
    EXPECT_EQ(r.ptr, text.data() + text.size()) << text;
    return v;
}

TEST(Workbook, NumbersAreTheExactDoublesAndNoValueIsAnEmptyCell) {
    const fs::path path = fs::temp_directory_path() / ("vel-book-" + std::to_string(::getpid()) + ".xlsx");
    CVELPPCDoc doc;
    SetUpWorkedExample(doc);
    // Numbers that 16 digits do not give back, and a value that is none.
    doc.At(Row::Debt, 0) = 0.1 + 0.2;
    doc.At(Row::Equity, 4) = 1.0 / 3.0;
    doc.At(Row::Equity, 5) = NoValue;
    std::string reason;
    ASSERT_TRUE(WriteWorkbook(doc, path.string(), reason)) << reason;

    const std::string book = Member(path, "xl/workbook.xml");
    for (const char* sheet : {"name=\"Summary\"", "name=\"Projection\"", "name=\"Scales\""})
        EXPECT_NE(book.find(sheet), std::string::npos) << sheet;
    const auto cells = Cells(Member(path, "xl/worksheets/sheet2.xml"));
    // Row 2 is year 1; column A the year, B property value, C debt, D equity.
    EXPECT_EQ(cells.at("A2"), "1");
    EXPECT_EQ(cells.at("A41"), "40");
    EXPECT_EQ(Number(cells.at("C2")), 0.30000000000000004);
    EXPECT_EQ(Number(cells.at("D6")), 1.0 / 3.0);
    EXPECT_EQ(cells.at("D7"), "");
    EXPECT_EQ(Number(cells.at("B2")), 313500.0) << "300,000 grown by 4.5 %";
    // Both charts are in the workbook.
    EXPECT_NE(Member(path, "xl/charts/chart1.xml").find("Projection!$B$2:$B$26"), std::string::npos);
    EXPECT_NE(Member(path, "xl/charts/chart2.xml").find("<c:barChart>"), std::string::npos);
    fs::remove(path);
}

// Under the law of the years the projection sheet has the income year of each year after the
// rows (column Q); without it, no such column.
TEST(Workbook, TheIncomeYearsUnderTheLawOfTheYears) {
    const fs::path path = fs::temp_directory_path() / ("vel-law-" + std::to_string(::getpid()) + ".xlsx");
    for (const int law : {0, 1}) {
        CVELPPCDoc doc;
        SetUpLawExample(doc, {.law = law});
        std::string reason;
        ASSERT_TRUE(WriteWorkbook(doc, path.string(), reason)) << reason;
        const auto cells = Cells(Member(path, "xl/worksheets/sheet2.xml"));
        const std::string strings = Member(path, "xl/sharedStrings.xml");
        EXPECT_EQ(cells.count("Q1"), static_cast<std::size_t>(law)) << law;
        EXPECT_EQ(cells.count("Q41"), static_cast<std::size_t>(law)) << law;
        EXPECT_EQ(strings.find("Income year") != std::string::npos, law == 1);
        EXPECT_EQ(strings.find("2065-66") != std::string::npos, law == 1);
        fs::remove(path);
    }
}

} // namespace
