#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>

#include "format/Format.h"
#include "format/Text.h"

namespace {

TEST(ParseValue, ReadsEveryDocumentedExample) {
    struct Case {
        const char* text;
        double value;
    } cases[] = {
        {"$1,234", 1234},  {"$-1,234", -1234}, {"1.5m", 1500000}, {"1.5 M", 1500000},
        {"250k", 250000},  {"12k5", 125000},   {"2.5%", 2.5},     {"12.5%k", 12500},
        {"10yr", 10},      {"1 234", 1},       {"", 0},           {"-", 0},
        {"+++++", 0},      {"  42", 42},       {".5", 0.5},       {"7.", 7},
    };
    for (const auto& c : cases) EXPECT_DOUBLE_EQ(ParseValue(c.text), c.value) << c.text;
}

TEST(ParseValue, TextThatIsNotANumberIsNoValue) {
    for (const char* t : {"(1,234)", "abc", "1e5", "?????", "0x10", "inf", "nan", "12/3"})
        EXPECT_EQ(ParseValue(t), NoValue) << t;
}

TEST(ParseValue, ControlCharactersAndHighCodesEndTheText) {
    EXPECT_EQ(ParseValue(std::string("12\tabc")), 12);
    EXPECT_EQ(ParseValue(std::string("34\xE9xyz")), 34);
    // Only the low eight bits of a UTF-16 character count: U+0131 reads as "1".
    EXPECT_EQ(ParseValue(std::u16string(u"\u0131\u0135")), 15);
}

TEST(ParseValue, OnlyTheFirst79CharactersCount) {
    std::string text(78, ' ');
    text += "9";   // 79th character
    text += "abc"; // ignored
    EXPECT_EQ(ParseValue(text), 9);
    std::string longer(79, ' ');
    longer += "5";
    EXPECT_EQ(ParseValue(longer), 0);
    EXPECT_EQ(ParseValue(std::string(200, '9')), ParseValue(std::string(79, '9')));
}

TEST(ParseValue, ReadsBackWhatTheSettingsFormatWrites) {
    for (double v : {0.0, 950.0, 47000.0, 8.126, -3.14, 1234567.891, 0.005}) {
        double back = ParseValue(FormatValue(v, "0.00"));
        EXPECT_NEAR(back, v, 0.005 + 1e-9) << v;
    }
    EXPECT_DOUBLE_EQ(ParseValue(FormatValue(8.126, "0.00")), 8.13);
}

TEST(SaturatingConversions, NeverLeaveTheIntegerRange) {
    EXPECT_EQ(SaturateToInt32(1e300), INT32_MAX);
    EXPECT_EQ(SaturateToInt32(-1e300), INT32_MIN);
    EXPECT_EQ(SaturateToInt32(NoValue), INT32_MIN);
    EXPECT_EQ(SaturateToInt32(std::nan("")), 0);
    EXPECT_EQ(SaturateToInt32(-2.7), -2);
    EXPECT_EQ(SaturateToInt16(40000.0), INT16_MAX);
    EXPECT_EQ(SaturateToInt16(-5.9), -5);
    EXPECT_EQ(SaturateToInt64(9.3e18), INT64_MAX);
}

TEST(Text, Utf16AndUtf8RoundTrip) {
    std::u16string s = u"Straße 12, Zürich \U0001F3E0";
    EXPECT_EQ(FromUtf8(ToUtf8(s)), s);
    EXPECT_EQ(ToUtf8(u"\xD800x"), "\xEF\xBF\xBDx"); // lone surrogate
    EXPECT_EQ(FromUtf8("a\xFF" "b"), u"a\uFFFDb");
    EXPECT_EQ(FromUtf8("\xE2\x82"), u"\uFFFD\uFFFD"); // truncated sequence
}

} // namespace

// A comma is a thousands separator only with three digits after it and at most three before
// the first one.
TEST(ParseValue, CommasThatCannotSeparateThousands) {
    const struct {
        const char* typed;
        bool cannotGroup;
    } cases[] = {{"6,5", true},       {"1,23", true},    {"12,3456", true}, {"1234,567", true},
                 {",5", true},        {"1,500", false},  {"1,500,000", false},
                 {"$1,234.56", false}, {"6.5", false},  {"(1,234)", false}, {"1,50,000", true},
                 {"8.50%", false}};
    for (const auto& c : cases) EXPECT_EQ(CommaCannotGroup(c.typed), c.cannotGroup) << c.typed;
}
