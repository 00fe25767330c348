// Number entry without widgets: key classes, the changed-edit rule and the value exchange.
#include <climits>

#include "format/Format.h"
#include "tests/ui/dialogs/DialogTestSupport.h"
#include "ui/dialogs/NumEntry.h"

TEST(NumEntry, KeyClassesAndMasks) {
    for (char16_t c : std::u16string_view(u" 0123456789,.+-$mMkK%"))
        EXPECT_EQ(KeyClass(c), kKeyNumber) << char(c);
    EXPECT_EQ(KeyClass(u'\b'), kKeyControl);
    EXPECT_EQ(KeyClass(u'q'), kKeyLetter);
    EXPECT_EQ(KeyClass(u'Z'), kKeyLetter);
    EXPECT_EQ(KeyClass(u'?'), kKeyOther);
    EXPECT_EQ(KeyClass(u'('), kKeyOther);
    EXPECT_EQ(KeyClass(u'\u00e9'), kKeyOther);

    EXPECT_EQ(KeyMaskForFormat("a"), kMaskText);
    EXPECT_EQ(KeyMaskForFormat("0,m"), kMaskNumber);
    EXPECT_EQ(KeyMaskForFormat(""), kMaskNumber);

    EXPECT_FALSE(KeyPasses(u'q', kMaskNumber));
    EXPECT_TRUE(KeyPasses(u'k', kMaskNumber));
    EXPECT_TRUE(KeyPasses(u'\b', kMaskNumber));
    EXPECT_TRUE(KeyPasses(u'?', kMaskText));
    EXPECT_TRUE(TextPasses(u"$1,234.5k", kMaskNumber));
    EXPECT_FALSE(TextPasses(u"12a", kMaskNumber));
}

TEST(NumEntry, UntouchedFieldKeepsFullPrecision) {
    double v = 1234.4;
    EXPECT_FALSE(TakeIfChanged(v, 1234.0, "0,m")); // the field showed 1,234
    EXPECT_DOUBLE_EQ(v, 1234.4);
    EXPECT_TRUE(TakeIfChanged(v, 1234.3, "0,m"));
    EXPECT_DOUBLE_EQ(v, 1234.3);

    double big = 1234567.0; // shown as 1.235m
    EXPECT_FALSE(TakeIfChanged(big, 1235000.0, "0,m"));
    EXPECT_DOUBLE_EQ(big, 1234567.0);

    double rate = 8.126; // shown 8.13%
    EXPECT_FALSE(TakeIfChanged(rate, 8.1305, "0.00%"));
    EXPECT_TRUE(TakeIfChanged(rate, 8.132, "0.00%"));
}

TEST(NumEntry, ClearedAndUnreadableFields) {
    double v = 950.0;
    EXPECT_TRUE(TakeIfChanged(v, ParseValue(""), "0,m"));
    EXPECT_EQ(v, 0.0);

    EXPECT_TRUE(TakeIfChanged(v, NoValue, "0,m"));
    EXPECT_EQ(v, NoValue);
    // A field showing "?????" left alone does not count as changed.
    EXPECT_FALSE(TakeIfChanged(v, ParseValue("?????"), "0,m"));
}

TEST(NumEntry, WholeNumbers) {
    int n = 25;
    EXPECT_FALSE(TakeIntIfChanged(n, 25.0, "0y"));
    // The nearest whole number, halves away from zero.
    const struct { double typed; int taken; } cases[] = {
        {7.96, 8}, {-3.0, -3}, {6.9999, 7}, {9.94, 10}, {9.4, 9}, {2.5, 3}, {-2.5, -3}, {-0.4, 0}};
    for (const auto& c : cases) {
        n = 25;
        EXPECT_TRUE(TakeIntIfChanged(n, c.typed, "0y")) << c.typed;
        EXPECT_EQ(n, c.taken) << c.typed;
    }
    EXPECT_TRUE(TakeIntIfChanged(n, 1e15, "0y"));
    EXPECT_EQ(n, INT_MAX);
    n = 5;
    EXPECT_FALSE(TakeIntIfChanged(n, NoValue, "0y"));
    EXPECT_EQ(n, 5);
}

TEST(ValueExchange, ShowReadAndChecks) {
    FakePort port;
    ShowValue(port, 1, 15496.25, "0,m");
    EXPECT_EQ(port.Text(1), "15,496");
    ShowInt(port, 2, 25, "0y");
    EXPECT_EQ(port.Text(2), "25yr");
    ShowValue(port, 3, NoValue, "0.00%");
    EXPECT_EQ(port.Text(3), "?????");

    port.Type(4, "250k");
    EXPECT_EQ(ReadValue(port, 4), 250000.0);
    port.Type(4, "");
    EXPECT_EQ(ReadValue(port, 4), 0.0);

    double deposit = 15496.25;
    port.Type(1, "15,496");
    EXPECT_FALSE(ReadValueIfChanged(port, 1, deposit, "0,m"));
    port.Type(1, "20000");
    EXPECT_TRUE(ReadValueIfChanged(port, 1, deposit, "0,m"));
    EXPECT_EQ(deposit, 20000.0);

    int years = 25;
    port.Type(2, "24.96");
    EXPECT_TRUE(ReadIntIfChanged(port, 2, years, "0y"));
    EXPECT_EQ(years, 25);

    SetCheck(port, 5, 7);
    EXPECT_EQ(GetCheck(port, 5), 1);
    SetCheck(port, 5, 0);
    EXPECT_EQ(GetCheck(port, 5), 0);
}
