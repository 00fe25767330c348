#include <gtest/gtest.h>

#include <string>

#include "format/Format.h"
#include "tests/model/WorkedExample.h"
#include "ui/report/ReportPainter.h"

namespace {

// The text drawn on the same line as `label` and right of it, on `page`.
std::string ValueBeside(const ReportPage& page, const std::string& label) {
    for (const ReportText& l : page.texts)
        if (l.text == label)
            for (const ReportText& v : page.texts)
                if (&v != &l && v.box.top == l.box.top && v.box.left > l.box.left) return v.text;
    return "(none)";
}

} // namespace

TEST(Report, ShowsNoValueAndTooLargeAsTheSummaryDoes) {
    Scales scales;
    Investment doc;
    SetUpWorkedExample(doc);
    doc.IRR = NoValue;
    doc.NPV = 2e20;
    const ReportDocument report = MakeReport(doc, scales, "house.vel");
    ASSERT_FALSE(report.pages.empty());
    EXPECT_EQ(ValueBeside(report.pages[0], "Internal rate of return:"), "?????");
    // The net present value's label names its rate over two lines.
    EXPECT_EQ(ValueBeside(report.pages[0], "2.00% a year:"), "+++++");
    // A loss in brackets and red, as on the summary: year 1 costs 5,394 after tax.
    EXPECT_EQ(ValueBeside(report.pages[0], "Cash flow after tax for the year:"), "($5,394)");
}

TEST(Report, PagesFollowTheTextsAndEveryTextStaysOnItsPage) {
    Scales scales;
    struct Case {
        const char* name;
        void (*change)(Investment&);
        std::size_t pages;
    };
    const Case cases[] = {
        {"worked example", [](Investment&) {}, 7},
        {"principal and interest", [](Investment& d) { d.LoanType = 1; }, 7},
        {"long texts", [](Investment& d) {
             d.Address = std::u16string(300, u'A');
             d.Description = std::u16string(300, u'B');
             d.Notes = std::u16string(2000, u'\n');
         }, 7},
        {"nothing entered", [](Investment& d) { d.ResetFixedDefaults(); }, 7},
    };
    for (const Case& c : cases) {
        Investment doc;
        SetUpWorkedExample(doc);
        c.change(doc);
        doc.Recalculate(scales);
        const ReportDocument report = MakeReport(doc, scales, "house.vel");
        // Two pages of figures and inputs, the table's two, the charts' three, the futures.
        EXPECT_EQ(report.pages.size(), c.pages + 1) << c.name;
        EXPECT_EQ(report.pages[report.pages.size() - 2].charts.size(), 1u) << c.name;
        EXPECT_EQ(report.pages.back().texts.front().text, "Risk: how sure is the answer") << c.name;
        // Every text stays on the page, above the footer's line.
        for (const ReportPage& page : report.pages)
            for (const ReportText& t : page.texts) {
                EXPECT_GE(t.box.left, 0.0) << c.name << " " << t.text;
                EXPECT_LE(t.box.right, kPageWidth) << c.name << " " << t.text;
                EXPECT_LE(t.box.bottom, kPageHeight) << c.name << " " << t.text;
            }
    }
}

TEST(Report, ProjectionPageShadesThePeriodAndMarksTheResultsYear) {
    Scales scales;
    Investment doc;
    SetUpWorkedExample(doc);
    doc.ProjectionYear = 10;
    doc.ShowYear = 12;
    doc.Recalculate(scales);
    const ReportDocument report = MakeReport(doc, scales, "house.vel");
    // On each of the table's two pages years 1 to 10 shaded, year 12 highlighted.
    int tables = 0;
    for (const ReportPage& table : report.pages) {
        if (table.texts.empty() || !table.texts.front().text.starts_with("Projection:")) continue;
        ++tables;
        EXPECT_EQ(table.fills.size(), 11u);
        int boldYears = 0;
        for (const ReportText& t : table.texts)
            if (t.bold && t.text == "12") ++boldYears;
        EXPECT_EQ(boldYears, 1);
        EXPECT_EQ(ValueBeside(table, "40").substr(0, 1), "$");
    }
    EXPECT_EQ(tables, 2);
}

// The grid under the last chart: the worked example's IRR bold at its centre, the break-even
// rent as the What If tab shows it.
TEST(Report, WhatIfGridAndBreakEvenUnderTheLastChart) {
    Scales scales;
    Investment doc;
    SetUpWorkedExample(doc);
    const ReportDocument report = MakeReport(doc, scales, "house.vel");
    const ReportPage& last = report.pages[report.pages.size() - 2]; // "Risk" follows
    int bold = 0;
    bool heading = false;
    for (const ReportText& t : last.texts) {
        heading |= t.text == "What If";
        if (t.bold && t.text == "13.86%") ++bold;
    }
    EXPECT_TRUE(heading);
    EXPECT_EQ(bold, 1);
    EXPECT_EQ(ValueBeside(last, "Rent for a cash flow of $0 in year 1:"), "$550.58 a week");
    EXPECT_EQ(last.fills.size(), 81u);
}
