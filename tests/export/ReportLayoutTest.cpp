// The report's layout for a reader: sizes, text in full, plain words. Widths below are worked
// from Arial's published advance widths ("a" 556, space 278 thousandths of an em) with the
// layout's 8 % allowance for bold: "a" at 10 pt is 6.005 pt, space 3.002 pt.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "export/ReportData.h"
#include "export/ReportDocument.h"
#include "format/Format.h"
#include "export/SummaryText.h"
#include "model/Investment.h"
#include "model/Scales.h"
#include "tests/model/WorkedExample.h"

namespace {

using Lines = std::vector<std::string>;

TEST(ReportLayout, WrapsAtSpacesLineBreaksAndInsideLongWords) {
    const struct {
        const char* text;
        double width;
        Lines lines;
    } cases[] = {
        // "aa aa" is 27.02 pt: over 26, under 28.
        {"aa aa aa", 26, {"aa", "aa", "aa"}},
        {"aa aa aa", 28, {"aa aa", "aa"}},
        // Four "a" are 24.02 pt, five 30.02.
        {"aaaaaaaaaa", 30, {"aaaa", "aaaa", "aa"}},
        // A run of empty lines keeps one; none at the end; a carriage return is dropped.
        {"aa\r\n\n\n\naa\n\n", 100, {"aa", "", "aa"}},
        {"\n\n\n", 100, {}},
        {"aa  aa", 100, {"aa aa"}},
    };
    for (const auto& c : cases) EXPECT_EQ(WrapText(c.text, c.width, 10), c.lines) << c.text;
}

// The worked example (300,000, 350 a week, interest only): IRR 13.86 %, NPV 75,030 at the
// built-in inflation of 2 %; sold after 10 years for 465,891 leaving 119,554 (IRR 8.76 %);
// it costs 101 a week on average (the model's and velreport's checked figures).
TEST(ReportLayout, PlainWordsAtTheTop) {
    Investment doc;
    SetUpWorkedExample(doc);
    EXPECT_EQ(PlainSummary(doc),
              "Over 10 years this property returns 13.86% a year after tax (8.76% once it is sold "
              "and the selling costs and capital gains tax are paid). You put in $101 a week on "
              "average after tax. Selling at the end of year 10 for $465,891 leaves $119,554 once "
              "the loan, the selling costs and the capital gains tax are paid. Net present value "
              "$75,030, discounted at the inflation rate of 2.00% a year.");
    Investment empty;
    empty.ResetFixedDefaults();
    EXPECT_EQ(PlainSummary(empty), "Nothing has been entered yet: the figures below are all zero.");
}

TEST(ReportLayout, PlainLabelsForThePrintedSummary) {
    Investment doc;
    SetUpWorkedExample(doc, 1);
    const struct {
        int row;
        const char* label;
    } cases[] = {
        {ItemRent, "Rent ($350 a week), first year:"},
        {ItemLoanType, "Interest rate, principal and interest (25-year term):"},
        {ItemLoanCosts, "Loan costs, written off over 5 years:"},
        {ItemCashFlowWeek, "Cash flow after tax a week:"},
        {ItemNPV, "Net present value, discounted at 2.00% a year:"},
        {ItemPropertyValue, "Property value:"},
    };
    for (const auto& c : cases) {
        const std::string screen = SummaryLines(doc)[static_cast<std::size_t>(c.row)].label;
        EXPECT_EQ(PlainLabel(doc, c.row, screen), c.label) << c.row;
    }
}

// Every text at 7.5 pt or more, the inputs' and figures' at 9; each table page holds all 40
// years; the notes arrive whole, over as many lines as they need.
TEST(ReportLayout, ReadableSizesAndNotesInFull) {
    Scales scales;
    Investment doc;
    SetUpWorkedExample(doc);
    std::u16string notes;
    for (int i = 0; i < 300; ++i) notes += u"word" + std::u16string(1, static_cast<char16_t>(u'A' + i % 26)) + u" ";
    doc.Notes = notes;
    const ReportDocument report = BuildReport(doc, scales, {});
    int words = 0, years = 0;
    for (const ReportPage& page : report.pages)
        for (const ReportText& t : page.texts) {
            EXPECT_GE(t.size, 7.5) << t.text;
            for (std::size_t at = t.text.find("word"); at != std::string::npos; at = t.text.find("word", at + 1))
                ++words;
            if (t.text == "Interest rate:" || t.text == "Property price:") {
                EXPECT_GE(t.size, 9.0);
            }
            if (t.text == "40") ++years;
        }
    EXPECT_EQ(words, 300);
    // The year 40 on each of the table's two pages, and under the fan of the futures.
    EXPECT_EQ(years, 3);
}

} // namespace

namespace {

TEST(ReportLayout, WholeDollarsMarkEveryThousand) {
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {0, "$0"},          {999.4, "$999"},           {1000, "$1,000"},
        {-5394.2, "($5,394)"}, {1446064.18, "$1,446,064"}, {-12345678, "($12,345,678)"},
        {NoValue, "?????"},  {2e20, "+++++"},
    };
    for (const auto& c : cases) EXPECT_EQ(WholeDollars(c.value), c.text) << c.value;
}

} // namespace
