// The projection in a decimal-comma spreadsheet's form: every cell a plain number.
#include <gtest/gtest.h>

#include <string>

#include "export/ProjectionCsv.h"
#include "model/Investment.h"
#include "tests/model/WorkedExample.h"

namespace {

TEST(ProjectionCsv, DecimalCommaNumbersArePlain) {
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {0, "0"},         {-0.0, "0"},         {1446064.18, "1446064,18"}, {-5394.25, "-5394,25"},
        {0.5, "0,5"},     {1e20, "100000000000000000000"}, {1e-15, "0"},   {NoValue, ""},
        {2.0 / 3, "0,6666666666666666"},
    };
    for (const auto& c : cases) EXPECT_EQ(DecimalCommaNumber(c.value), c.text) << c.value;
}

// The same cells as the point form, line by line: semicolons for commas, a comma for the point.
TEST(ProjectionCsv, TheDecimalCommaFormHoldsTheSameNumbers) {
    Investment doc;
    SetUpWorkedExample(doc);
    const std::string points = ProjectionCsv(doc), commas = ProjectionCsvDecimalComma(doc);
    std::string expected = points;
    for (char& c : expected) c = c == ',' ? ';' : c == '.' ? ',' : c;
    EXPECT_EQ(commas, expected);
    // No exponent and no thousands mark in any cell.
    EXPECT_EQ(commas.substr(commas.find('\n')).find_first_of("eE$"), std::string::npos);
}

} // namespace
