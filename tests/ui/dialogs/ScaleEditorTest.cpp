// The scale editors' logic: the custom check and its tolerances, adding, modifying and removing
// rows, the buttons' rules, the "Custom" entries and the order on OK.
#include <gtest/gtest.h>

#include "format/Format.h"
#include "model/Scales.h"
#include "tests/ui/dialogs/ScaleTestSupport.h"
#include "ui/dialogs/ScaleEditors.h"

namespace {

using Rows = std::array<double, kScaleRows>;

template <class Editor, class Item> struct ScaleEditorTest : ::testing::Test {
    ScalePort port;
    FakeScaleList list;
    Editor ed;
    // What the item dialog does with the item: OK (true) or Cancel (false).
    std::function<bool(Item&)> reply = [](Item&) { return false; };
    Item offered; // the item as the dialog received it
    int itemDialogs = 0;

    void SetUp() override {
        ed.SetList(&list);
        ed.editItem = [this](EditorLogic& row) {
            auto& item = static_cast<Item&>(row);
            ++itemDialogs;
            offered = item;
            return reply(item);
        };
    }

    template <class Scale> void Open(const Scale& scale) {
        ed.scale = scale;
        ed.Open(port);
    }
    void Choose(int location) {
        port.choices[ScaleEditorLogic::kLocation] = location;
        ed.Choose(port, ScaleEditorLogic::kLocation);
    }
    void Click(int id) { ed.Click(port, id); }
    // "Modify" on `line`, its rate changed by `delta`.
    void ChangeRate(int line, double delta) {
        ed.Tap(port, line);
        reply = [=](Item& item) {
            item.rate += delta;
            return true;
        };
        Click(ScaleEditorLogic::kModify);
    }
    bool ButtonsAre(bool add, bool modify, bool remove) const {
        return port.Enabled(ScaleEditorLogic::kAdd) == add &&
               port.Enabled(ScaleEditorLogic::kModify) == modify &&
               port.Enabled(ScaleEditorLogic::kRemove) == remove;
    }
};

struct DutyEditor : ScaleEditorTest<StampDutyScaleLogic, StampDutyItemLogic> {
    // The editor's "Custom" entry stands for the investment's, which a caller hands it.
    DutyEditor() { ed.custom = scales.customDuty; }
    Scales scales;
    void Reply(double above, double rate, int flat) {
        reply = [=](StampDutyItemLogic& item) {
            item.above = above;
            item.rate = rate;
            item.flat = flat;
            return true;
        };
    }
};

struct TaxEditor : ScaleEditorTest<TaxScalesLogic, ScaleItemLogic> {
    TaxEditor() { ed.custom = scales.customTax; }
    Scales scales;
    void Leave(int id, const std::string& typed) {
        port.Type(id, typed);
        ed.LeaveEdit(port, id);
    }
};

} // namespace

// --- the custom check ---

TEST_F(DutyEditor, CustomCheckToleratesACentAndNoMore) {
    Open(scales.duty);
    ChangeRate(1, 0.005);
    EXPECT_EQ(ed.scale.Location, 0) << "within 0.01 of the built-in rate";
    EXPECT_DOUBLE_EQ(ed.scale.Rate[1], 2.255);
    EXPECT_EQ(ed.custom, ShippedDutyScale(kDutyLocationCustom));

    ChangeRate(1, 0.015); // 2.27: 0.02 from 2.25
    EXPECT_EQ(ed.scale.Location, kDutyLocationCustom);
    EXPECT_EQ(port.choices[ScaleEditorLogic::kLocation], kDutyLocationCustom);
    const DutyScale& custom = ed.custom;
    EXPECT_EQ(custom.Count, 7);
    EXPECT_DOUBLE_EQ(custom.Rate[1], 2.27);
    EXPECT_EQ(custom.Above, ed.scale.Above);
    EXPECT_EQ(custom.Location, kDutyLocationCustom);
}

TEST_F(DutyEditor, TheFlatSwitchIsComparedToo) {
    Open(scales.duty);
    ed.Tap(port, 2);
    reply = [](StampDutyItemLogic& item) {
        item.flat = 1;
        return true;
    };
    Click(ScaleEditorLogic::kModify);
    EXPECT_EQ(offered.above, 50000);
    EXPECT_EQ(ed.scale.Location, kDutyLocationCustom);
    EXPECT_EQ(list.Cell(2, 2), "Flat");
}

// --- add, modify, remove and the buttons ---

TEST_F(DutyEditor, TenRowsDisableAdd) {
    Open(scales.duty); // 7 rows
    for (int i = 0; i < 3; ++i) {
        Reply(1000000.0 + i, 5, 0);
        Click(ScaleEditorLogic::kAdd);
    }
    EXPECT_EQ(list.lines.size(), 10u);
    EXPECT_TRUE(ButtonsAre(false, true, true));
    Click(ScaleEditorLogic::kAdd);
    EXPECT_EQ(itemDialogs, 3) << "no eleventh row";
    EXPECT_EQ(ed.scale.Count, 10);

    Choose(5); // NT has ten rows of its own
    EXPECT_TRUE(ButtonsAre(false, true, true));
}

// "Add" offers a blank item, even where the scale still holds figures past its last row (a row
// removed before); "Modify" offers the row's own.
TEST_F(DutyEditor, AddOffersABlankItemModifyTheRows) {
    DutyScale scale = scales.duty; // 7 rows
    scale.Above[7] = 250000;
    scale.Rate[7] = 9;
    scale.Flat[7] = 1;
    Open(scale);
    const struct { int click, line; double above, rate; int flat; } cases[] = {
        {ScaleEditorLogic::kAdd, -1, 0, 0, 0},
        {ScaleEditorLogic::kModify, 6, scale.Above[6], scale.Rate[6], 0},
    };
    for (const auto& c : cases) {
        if (c.line >= 0) ed.Tap(port, c.line);
        Click(c.click);
        EXPECT_EQ(offered.above, c.above);
        EXPECT_EQ(offered.rate, c.rate);
        EXPECT_EQ(offered.flat, c.flat);
    }
    EXPECT_EQ(itemDialogs, 2);
    EXPECT_EQ(ed.scale.Count, 7) << "both cancelled";
}

TEST_F(DutyEditor, NoneCannotBeEdited) {
    Open(scales.duty);
    Choose(kDutyLocationNone);
    EXPECT_TRUE(ButtonsAre(false, false, false));
    const DutyScale before = ed.scale;
    Reply(5000, 3, 0);
    Click(ScaleEditorLogic::kAdd);
    Click(ScaleEditorLogic::kModify);
    Click(ScaleEditorLogic::kRemove);
    ed.DoubleTap(port, 0);
    EXPECT_EQ(itemDialogs, 0);
    EXPECT_EQ(ed.scale, before);
}

TEST_F(DutyEditor, RemovingEveryRowLeavesAnEmptyCustomScale) {
    Open(scales.duty);
    for (int i = 0; i < 7; ++i) Click(ScaleEditorLogic::kRemove);
    EXPECT_EQ(ed.scale.Count, 0);
    EXPECT_EQ(ed.selected, -1);
    EXPECT_TRUE(list.lines.empty());
    EXPECT_TRUE(ButtonsAre(true, false, false));
    Click(ScaleEditorLogic::kRemove);
    EXPECT_EQ(ed.scale.Count, 0);
    EXPECT_EQ(ed.custom.Count, 0);
    EXPECT_EQ(ComputeStampDuty(500000, ed.scale), 0);
}

// --- the "Custom" entry's life ---

TEST_F(DutyEditor, CustomKeepsTheEditsAfterCancel) {
    Open(scales.duty);
    ChangeRate(4, 0.5);
    Reply(900000, 4.75, 1);
    Click(ScaleEditorLogic::kAdd);
    // Cancel: the working copy is dropped, the scale in force was never touched.
    EXPECT_EQ(scales.duty, StartupDutyScale());

    Open(scales.duty); // the next run of the editor
    EXPECT_EQ(ed.scale.Location, 0);
    Choose(kDutyLocationCustom);
    ASSERT_EQ(list.lines.size(), 8u);
    EXPECT_EQ(list.Cell(4, 1), "4.00");
    EXPECT_EQ(list.Cell(7, 0), "$900,000");
    EXPECT_EQ(list.Cell(7, 2), "Flat");
}

TEST_F(DutyEditor, OpeningACustomScaleFillsTheCustomEntry) {
    DutyScale custom = ShippedDutyScale(6);
    custom.Location = kDutyLocationCustom;
    custom.Rate[0] = 9;
    Open(custom);
    Choose(0);
    Choose(kDutyLocationCustom);
    EXPECT_EQ(ed.scale.Count, 6);
    EXPECT_EQ(ed.scale.Rate[0], 9);
}

// --- OK ---

TEST_F(DutyEditor, OkPutsTheRowsInAscendingOrderStably) {
    Open(ShippedDutyScale(kDutyLocationCustom)); // one row 0: 0
    Reply(50000, 3, 0);
    Click(ScaleEditorLogic::kAdd);
    Reply(20000, 2, 0);
    Click(ScaleEditorLogic::kAdd);
    Reply(20000, 2.5, 1); // same amount: stays after the first 20000
    Click(ScaleEditorLogic::kAdd);
    ed.Ok(port);
    ASSERT_EQ(ed.scale.Count, 4);
    EXPECT_EQ(ed.scale.Above, (Rows{0, 20000, 20000, 50000}));
    EXPECT_EQ(ed.scale.Rate, (Rows{0, 2, 2.5, 3}));
    EXPECT_EQ(ed.scale.Flat, (std::array<std::int16_t, kScaleRows>{0, 0, 1, 0}));
    // Choosing "Custom" next time shows the rows as they were taken.
    EXPECT_EQ(ed.custom.Above, ed.scale.Above);
}

TEST_F(DutyEditor, RowsOfADamagedScaleAreReadWithinTheirBounds) {
    DutyScale damaged = ShippedDutyScale(5);
    damaged.Count = 300;
    damaged.Location = 42;
    Open(damaged);
    EXPECT_EQ(ed.scale.Count, 10);
    EXPECT_EQ(list.lines.size(), 10u);
    ChangeRate(0, 0);
    EXPECT_EQ(ed.scale.Location, kDutyLocationCustom) << "no built-in scale to equal";

    damaged.Count = -4;
    Open(damaged);
    EXPECT_EQ(ed.scale.Count, 0);
    EXPECT_EQ(ed.selected, -1);
}

// --- today's entries, after the original ones ---

TEST_F(DutyEditor, ATodaysEntryIsChosenAndCheckedLikeAnOriginalOne) {
    Open(scales.duty);
    const int nsw = FindDutyLocation("NSW 2025");
    Choose(nsw);
    EXPECT_EQ(ed.scale, ShippedDutyScale(nsw));
    EXPECT_EQ(port.choices[ScaleEditorLogic::kLocation], nsw);
    ASSERT_EQ(list.lines.size(), 7u);
    EXPECT_EQ(list.Cell(1, 0), "$17,000");
    EXPECT_EQ(list.Cell(1, 1), "1.50");
    EXPECT_TRUE(ButtonsAre(true, true, true));

    ChangeRate(1, 0.005);
    EXPECT_EQ(ed.scale.Location, nsw) << "within 0.01 of the built-in rate";
    ChangeRate(1, 0.5);
    EXPECT_EQ(ed.scale.Location, kDutyLocationCustom);
    EXPECT_EQ(ed.custom.Above, ShippedDutyScale(nsw).Above);

    Choose(nsw);
    ed.Ok(port);
    EXPECT_EQ(ed.scale, ShippedDutyScale(nsw));
}

TEST_F(DutyEditor, TodaysTasmanianEntryReadFromTheSettingsStaysItself) {
    const int tas = FindDutyLocation("Tas 2025");
    DutyScale stored = ShippedDutyScale(tas);
    stored.Rate[0] = 1.67; // the settings text keeps two decimals of 1.6666667
    Open(stored);
    Click(ScaleEditorLogic::kAdd); // cancelled, but the custom check runs
    EXPECT_EQ(itemDialogs, 1);
    EXPECT_EQ(ed.scale.Location, tas);
}

TEST_F(TaxEditor, ATodaysEntryBringsItsRowsAndMedicareValues) {
    Open(scales.tax);
    const int au = FindTaxLocation("Australia (25/26)");
    Choose(au);
    EXPECT_EQ(ed.scale, ShippedTaxScale(au));
    EXPECT_EQ(port.Text(TaxScalesLogic::kThreshold), "28,011");
    EXPECT_EQ(port.Text(TaxScalesLogic::kMedicareRate), "2.00%");
    EXPECT_EQ(list.Cell(1, 0), "$18,200");
    EXPECT_EQ(list.Cell(1, 1), "16.00");
    Leave(TaxScalesLogic::kMedicareRate, "2%");
    EXPECT_EQ(ed.scale.Location, au);
    ed.Ok(port);
    EXPECT_EQ(ed.scale, ShippedTaxScale(au));

    Choose(FindTaxLocation("New Zealand (25/26)"));
    EXPECT_EQ(port.Text(TaxScalesLogic::kThreshold), "0");
    EXPECT_EQ(list.Cell(0, 1), "10.50");
    Leave(TaxScalesLogic::kThreshold, "1");
    EXPECT_EQ(ed.scale.Location, kTaxLocationCustom);
}

TEST_F(TaxEditor, TheReducedLevyIsChosenWithTheEntryAndPartOfTheCustomCheck) {
    Open(scales.tax);
    EXPECT_EQ(port.checks[TaxScalesLogic::kShadeIn], 0);
    const int au = FindTaxLocation("Australia (25/26)");
    Choose(au);
    EXPECT_TRUE(ed.scale.MedicareShadeIn);
    EXPECT_EQ(port.checks[TaxScalesLogic::kShadeIn], 1);

    port.checks[TaxScalesLogic::kShadeIn] = 0;
    Click(TaxScalesLogic::kShadeIn);
    EXPECT_FALSE(ed.scale.MedicareShadeIn);
    EXPECT_EQ(ed.scale.Location, kTaxLocationCustom);
    EXPECT_FALSE(ed.custom.MedicareShadeIn);

    Choose(0);
    EXPECT_FALSE(ed.scale.MedicareShadeIn);
    port.checks[TaxScalesLogic::kShadeIn] = 1;
    Click(TaxScalesLogic::kShadeIn);
    EXPECT_EQ(ed.scale.Location, kTaxLocationCustom);
    EXPECT_TRUE(ed.custom.MedicareShadeIn);
}

// --- "Tax Scales" ---

TEST_F(TaxEditor, StartupScaleStaysAustraliaUntilTheFirstChange) {
    Open(scales.tax);
    EXPECT_EQ(port.choices[ScaleEditorLogic::kLocation], 0);
    EXPECT_EQ(list.Cell(2, 0), "$25,000");
    EXPECT_EQ(list.Cell(0, 1), "0.00");
    // Leaving the fields as they were changes nothing.
    ed.LeaveEdit(port, TaxScalesLogic::kThreshold);
    ed.LeaveEdit(port, TaxScalesLogic::kMedicareRate);
    ed.Ok(port);
    EXPECT_EQ(ed.scale, scales.tax);

    Open(scales.tax);
    ChangeRate(4, 1);
    EXPECT_EQ(offered.above, 150000);
    EXPECT_EQ(ed.scale.Location, kTaxLocationCustom);
    const TaxScale& custom = ed.custom;
    EXPECT_EQ(custom.Above[2], 25000);
    EXPECT_EQ(custom.Rate[4], 46);
    EXPECT_EQ(custom.MedicareThreshold, 15529);
}

TEST_F(TaxEditor, MedicareFieldsTakeAChangeWhenTheyLoseTheFocus) {
    Open(scales.tax);
    Choose(0); // the built-in "Australia (06/07)"
    EXPECT_EQ(port.Text(TaxScalesLogic::kThreshold), "16,740");
    Leave(TaxScalesLogic::kMedicareRate, "1.5005");
    EXPECT_EQ(ed.scale.MedicareRate, 1.5) << "not more than 0.001 from what was shown";
    EXPECT_EQ(ed.scale.Location, 0);

    Leave(TaxScalesLogic::kMedicareRate, "2%");
    EXPECT_EQ(ed.scale.MedicareRate, 2);
    EXPECT_EQ(ed.scale.Location, kTaxLocationCustom);
    EXPECT_EQ(port.Text(TaxScalesLogic::kMedicareRate), "2.00%");
    Leave(TaxScalesLogic::kThreshold, "17,000");
    EXPECT_EQ(ed.custom.MedicareThreshold, 17000);

    Choose(kTaxLocationNone);
    EXPECT_EQ(port.Text(TaxScalesLogic::kThreshold), "0");
    EXPECT_EQ(ed.selected, 0); // an empty list leaves the selection as it was
    EXPECT_TRUE(ButtonsAre(false, false, false));
}

// A value typed into one Medicare field is not lost because the other one differs too.
TEST_F(TaxEditor, OkTakesBothMedicareFields) {
    Open(scales.tax);
    port.Type(TaxScalesLogic::kThreshold, "20,000");
    port.Type(TaxScalesLogic::kMedicareRate, "2.5%");
    ed.Ok(port);
    EXPECT_EQ(ed.scale.MedicareThreshold, 20000);
    EXPECT_EQ(ed.scale.MedicareRate, 2.5);
    EXPECT_EQ(ed.scale.Location, kTaxLocationCustom);
    EXPECT_EQ(ed.custom.MedicareRate, 2.5);
}

// --- item dialogs ---

TEST(ScaleItems, OkTakesOnlyTypedChangesAndAlwaysTheCheckBox) {
    FakePort port;
    StampDutyItemLogic duty;
    duty.above = 1234.4;
    duty.rate = 2.2549;
    duty.flat = 1;
    duty.Open(port);
    EXPECT_EQ(port.Text(StampDutyItemLogic::kAbove), "1,234");
    EXPECT_EQ(port.Text(StampDutyItemLogic::kRate), "2.25%");
    port.checks[StampDutyItemLogic::kFlat] = 0;
    duty.Ok(port);
    EXPECT_EQ(duty.above, 1234.4);
    EXPECT_EQ(duty.rate, 2.2549);
    EXPECT_EQ(duty.flat, 0);

    ScaleItemLogic tax;
    tax.Open(port);
    port.Type(ScaleItemLogic::kAbove, "7k");
    port.Type(ScaleItemLogic::kRate, "abc");
    tax.Ok(port);
    EXPECT_EQ(tax.above, 7000);
    EXPECT_EQ(tax.rate, NoValue) << "what the number entry yields for text that is no number";
}
