// The report's and the workbook's land tax and depreciation schedule: present only when used.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "export/ProjectionCsv.h"
#include "export/ReportData.h"
#include "model/Investment.h"
#include "model/LandTax.h"
#include "model/Scales.h"
#include "tests/model/LawExample.h"

namespace {

std::vector<std::string> Titles(const Investment& doc) {
    std::vector<std::string> titles;
    for (const ReportSection& s : InputSections(doc)) titles.push_back(s.title);
    return titles;
}

TEST(ReportLandTax, TheSectionsAndTheColumnComeOnlyWithTheirInputs) {
    Investment doc;
    SetUpLawExample(doc, {});
    const std::vector<std::string> before = Titles(doc);
    EXPECT_TRUE(ExtraProjectionColumns(doc).empty());

    doc.LandTaxState = kLandTaxNSW;
    doc.LandValue = 1300000; // pays 100 + 1.6 % x 225,000 in year 1
    doc.PlantSchedule = {3200, 2500};
    doc.Recalculate(Scales{});
    // After the assumptions, before the law of the years.
    std::vector<std::string> expected = before;
    expected.insert(expected.end() - 1, {"Land Tax", "Depreciation Schedule"});
    EXPECT_EQ(Titles(doc), expected);
    ASSERT_EQ(ExtraProjectionColumns(doc).size(), 1u);
    EXPECT_NEAR(ExtraProjectionColumns(doc)[0].values[0], 3700, 0.005);
    // The CSV takes the column too, after the named rows.
    const std::string csv = ProjectionCsv(doc);
    EXPECT_NE(csv.find(",PreTaxCash,LandTax\n1,"), std::string::npos);
    EXPECT_NE(csv.find(",3700\n2,"), std::string::npos);
    EXPECT_EQ(InputSections(doc).end()[-2].lines[1].Shown(), "$3,200; $2,500");
}

} // namespace
