#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>

#include "format/Format.h"
#include "tests/support/Locale.h"

namespace {

struct Case {
    double value;
    const char* format;
    const char* text;
};

TEST(FormatValue, ShowsEveryDocumentedExample) {
    const Case cases[] = {
        {0, "$0,m", "$0"},
        {950, "$0,m", "$950"},
        {1234.4, "$0,m", "$1,234"},
        {-1234.6, "$0,m", "$-1,235"},
        {999990, "$0,m", "$999,990"},
        {999990.4, "$0,m", "$1.000m"},
        {1250000, "$0,m", "$1.250m"},
        {-2500000, "$0,m", "$-2.500m"},
        {-1234.6, "$0,m(", "($1,235)"},
        {-2500000, "$0,m(", "($2.500m)"},
        {-0.4, "$0,m(", "($0)"},
        {0.4, "$#,m", " "},
        {-0.5, "$#,m", " "},
        {-0.6, "$#,m", "$-1"},
        {8.5, "0.00%", "8.50%"},
        {6.5, "%0.00", "6.50%"},
        {25, "0y", "25yr"},
        {7.5, "0y", "8yr"},
        {-2.5, "0", "-2"},
        {0.004, "#.00", " "},
        {2.5, "#.00", "2.50"},
        {999.6, "0,m", "1000"},
        {-1000.3, "0,m", "-1,000"},
        {47000, "0.00", "47000.00"},
        {1e20, "0.00", "+++++"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatValue(c.value, c.format), c.text) << c.value << " under " << c.format;
}

TEST(FormatValue, NoValueShowsMarkerWithoutAffixes) {
    for (const char* f : {"0", "0y", "0,m", "$0,m", "$#,m", "$0,m(", "0.00%", "%0.00", "0.00",
                          "#.00"})
        EXPECT_EQ(FormatValue(NoValue, f), "?????") << f;
    EXPECT_EQ(FormatValue(-98999999999.5, "$0,m"), "?????");
    EXPECT_EQ(FormatValue(-98999999998.0, "0.00"), "-98999999998.00");
}

TEST(FormatValue, NonFiniteValuesNeverShowGarbage) {
    EXPECT_EQ(FormatValue(std::numeric_limits<double>::infinity(), "$0,m"), "+++++");
    EXPECT_EQ(FormatValue(-std::numeric_limits<double>::infinity(), "$0,m"), "?????");
    EXPECT_EQ(FormatValue(std::nan(""), "0"), "?????");
    EXPECT_EQ(FormatValue(std::nan(""), "0.00%"), "?????");
}

TEST(FormatValue, FlagPrecedenceAndDecimals) {
    EXPECT_EQ(FormatValue(12, "$0%y"), "$12");     // dollar wins over percent and years
    EXPECT_EQ(FormatValue(12, "0%y"), "12%");      // percent wins over years
    EXPECT_EQ(FormatValue(3.14159, "0.0"), "3.1"); // "." without "00": one decimal
    EXPECT_EQ(FormatValue(1234567.0, "0,.00"), "1234567.00"); // decimals: no separator
    EXPECT_EQ(FormatValue(1234567.0, "0,"), "1234,567");      // one separator only
    EXPECT_EQ(FormatValue(-5, "0("), "(5)");
    EXPECT_EQ(FormatValue(5, "a"), "5"); // a text pattern shows the nearest whole number
}

TEST(FormatValue, LargeValuesStayShortAndDefined) {
    for (const char* f : {"0", "0y", "0,", "0.00", "$0,m(", "#.00", "a"}) {
        for (double v : {9.99e19, -9.8e10, 3e9, -3e9, 1e15}) {
            std::string t = FormatValue(v, f);
            EXPECT_LE(t.size(), kMaxFormattedLength) << v << " " << f;
            EXPECT_FALSE(t.empty());
        }
    }
    EXPECT_EQ(FormatValue(3e9, "0"), "3000000000");
}

TEST(ParseFormat, FlagsOfTheFormatsInUse) {
    EXPECT_EQ(ParseFormat("a"), 0u);
    EXPECT_EQ(ParseFormat("0"), unsigned(FmtNumeric));
    EXPECT_EQ(ParseFormat("0y"), unsigned(FmtNumeric | FmtYears));
    EXPECT_EQ(ParseFormat("0,m"), unsigned(FmtNumeric | FmtThousands | FmtMillions));
    EXPECT_EQ(ParseFormat("$#,m"),
              unsigned(FmtNumeric | FmtBlankZero | FmtDollar | FmtThousands | FmtMillions));
    EXPECT_EQ(ParseFormat("$0,m("),
              unsigned(FmtNumeric | FmtDollar | FmtThousands | FmtMillions | FmtParens));
    EXPECT_EQ(ParseFormat("%0.00"), unsigned(FmtNumeric | FmtTwoDecimals | FmtPercent));
    EXPECT_EQ(ParseFormat("#.00"), unsigned(FmtNumeric | FmtBlankZero | FmtTwoDecimals));
    EXPECT_EQ(ParseFormat("0.0"), unsigned(FmtNumeric | FmtOneDecimal));
}

} // namespace

// The desktop's locale never reaches a number: under a comma-decimal locale the formats still
// show points, and what they show still reads back.
TEST(FormatValue, PointsForDecimalsUnderACommaLocale) {
    ScopedLocale comma(kCommaLocale);
    ASSERT_TRUE(comma.ok()) << "the set-up generates " << kCommaLocale;
    ASSERT_STREQ(std::localeconv()->decimal_point, ",");
    const struct { double v; const char* format; const char* shown; } cases[] = {
        {8.5, "0.00%", "8.50%"},        {-0.04, "0.0", "-0.0"},
        {1234567.0, "$0,m", "$1.235m"}, {-5394.19, "$0,m(", "($5,394)"},
        {0.125, "0.00", "0.12"},        {13.8649, "%0.00", "13.86%"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatValue(c.v, c.format), c.shown) << c.v;
    }
    EXPECT_EQ(ParseValue(FormatValue(8.5, "0.00")), 8.5);
    EXPECT_EQ(ParseValue("1,234.5"), 1234.5);
}
