// The extension block after the file's fixed layout: absent at the built-in values, read and
// written back exactly, and never a reason for a file not to open.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <limits>

#include "model/Scales.h"
#include "tests/persist/SampleInvestment.h"

namespace {

// Little-endian pieces, written out by hand as the layout describes them.
std::string U16(unsigned v) { return {char(v & 0xFF), char(v >> 8)}; }
std::string U32(unsigned v) { return U16(v & 0xFFFF) + U16(v >> 16); }
std::string F64(double v) {
    std::uint64_t bits;
    std::memcpy(&bits, &v, 8);
    return U32(static_cast<unsigned>(bits)) + U32(static_cast<unsigned>(bits >> 32));
}
std::string Entry(unsigned tag, const std::string& value) { return U16(tag) + U16(value.size()) + value; }
std::string Block(const std::string& entries, unsigned version = 1) {
    return "VELX" + U16(version) + U32(entries.size()) + entries;
}

class ExtensionBlock : public ::testing::Test {
protected:
    Scales scales;
};

TEST_F(ExtensionBlock, BuiltInValuesLeaveTheFileAsTheFixedLayout) {
    Investment doc;
    EXPECT_EQ(SaveToString(doc, scales).size(), 709u);

    // A file written before the block existed comes back byte for byte.
    std::ifstream in(VEL_SOURCE_DIR "/examples/worked-example-interest-only.vel", std::ios::binary);
    const std::string original{std::istreambuf_iterator<char>(in), {}};
    ASSERT_GT(original.size(), 709u);
    Investment example;
    ASSERT_TRUE(LoadFromString(example, scales, original));
    EXPECT_EQ(example.SellingCostsPC, 2.5);
    EXPECT_EQ(example.CGTDiscountPC, 50.0);
    EXPECT_EQ(SaveToString(example, scales), original);
}

TEST_F(ExtensionBlock, ChangedInputsAreWrittenAsEntriesAfterTheFixedLayout) {
    Investment doc;
    FillSampleInvestment(doc, scales);
    const std::string fixed = SaveToString(doc, scales);
    doc.SellingCostsPC = 3.3;
    doc.CGTDiscountPC = 0;
    const std::string bytes = SaveToString(doc, scales);
    ASSERT_EQ(bytes.substr(0, fixed.size()), fixed);
    EXPECT_EQ(bytes.substr(fixed.size()), Block(Entry(1, F64(3.3)) + Entry(2, F64(0))));

    Investment back;
    RecordMessages sink;
    ASSERT_TRUE(LoadFromString(back, scales, bytes, &sink));
    EXPECT_TRUE(sink.texts.empty());
    EXPECT_EQ(back.SellingCostsPC, 3.3);
    EXPECT_EQ(back.CGTDiscountPC, 0.0);

    // A reader of the fixed layout alone reads the same investment.
    Investment fixedOnly;
    ASSERT_TRUE(LoadFromString(fixedOnly, scales, bytes.substr(0, fixed.size())));
    EXPECT_EQ(fixedOnly.table, back.table);
    EXPECT_EQ(fixedOnly.IRR, back.IRR);
    EXPECT_EQ(fixedOnly.SellingCostsPC, 2.5);

    // One input back at its built-in value: only the other is written.
    back.CGTDiscountPC = 50;
    EXPECT_EQ(SaveToString(back, scales).substr(fixed.size()), Block(Entry(1, F64(3.3))));
}

TEST_F(ExtensionBlock, EntriesOfUnknownTagsAreKeptOnSave) {
    Investment doc;
    FillSampleInvestment(doc, scales);
    const std::string fixed = SaveToString(doc, scales);
    const std::string later = Entry(700, "abc") + Entry(2, F64(40)) + Entry(701, "");
    Investment back;
    ASSERT_TRUE(LoadFromString(back, scales, fixed + Block(later)));
    EXPECT_EQ(back.CGTDiscountPC, 40.0);
    EXPECT_EQ(SaveToString(back, scales).substr(fixed.size()),
              Block(Entry(2, F64(40)) + Entry(700, "abc") + Entry(701, "")));
}

TEST_F(ExtensionBlock, DamageNeverKeepsTheFileFromOpening) {
    Investment sample;
    FillSampleInvestment(sample, scales);
    const std::string fixed = SaveToString(sample, scales);
    const std::string good = Entry(1, F64(4));
    const struct {
        const char* what;
        std::string tail;
        bool told;
    } cases[] = {
        {"nothing after the magic", "VELX", true},
        {"length past the end", "VELX" + U16(1) + U32(100) + good, true},
        {"entry longer than the block", Block(U16(1) + U16(40) + F64(4)), true},
        {"cut inside an entry's head", Block(good + U16(2)), true},
        {"a number of the wrong size", Block(Entry(2, U32(40))), true},
        {"not a number", Block(Entry(1, F64(std::numeric_limits<double>::quiet_NaN()))), true},
        {"infinite", Block(Entry(2, F64(std::numeric_limits<double>::infinity()))), true},
        {"a later layout", Block(good, 2), true},
        {"huge length", "VELX" + U16(1) + U32(0xFFFFFFFFu), true},
        {"other bytes follow: ignored as before", "junk that is no block", false},
        {"a part of the magic", "VEL", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Investment doc;
        doc.SellingCostsPC = 9; // left from another investment: must not survive
        RecordMessages sink;
        std::istringstream in(fixed + c.tail, std::ios::binary);
        ASSERT_TRUE(LoadInvestment(doc, scales, in, &sink, "/home/me/house.vel"));
        EXPECT_EQ(doc.table, sample.table);
        EXPECT_EQ(doc.SellingCostsPC, 2.5);
        EXPECT_EQ(doc.CGTDiscountPC, 50.0);
        if (c.told) {
            ASSERT_EQ(sink.texts.size(), 1u);
            EXPECT_NE(sink.texts[0].find("/home/me/house.vel"), std::string::npos);
        } else {
            EXPECT_TRUE(sink.texts.empty());
        }
    }
}

TEST_F(ExtensionBlock, ValuesOutOfRangeAreLimited) {
    Investment sample;
    FillSampleInvestment(sample, scales);
    Investment doc;
    ASSERT_TRUE(LoadFromString(doc, scales, SaveToString(sample, scales) +
                                        Block(Entry(1, F64(-5)) + Entry(2, F64(1e300)))));
    EXPECT_EQ(doc.SellingCostsPC, 0.0);
    EXPECT_EQ(doc.CGTDiscountPC, 100.0);
}

TEST_F(ExtensionBlock, TheRulesOfTodayAndTheReducedLevyAreEntriesOfTheirOwn) {
    Investment doc;
    FillSampleInvestment(doc, scales);
    const std::string fixed = SaveToString(doc, scales);
    doc.LossTreatment = 1;
    doc.LossRuleFromYear = 2;
    doc.RentFollowsInflation = 0;
    doc.RateRentGrowth = 4.5;
    doc.InterestOnlyYears = 5;
    scales.tax.MedicareShadeIn = true;
    const std::string bytes = SaveToString(doc, scales);
    ASSERT_EQ(bytes.substr(0, fixed.size()), fixed);
    EXPECT_EQ(bytes.substr(fixed.size()),
              Block(Entry(3, U32(1)) + Entry(4, U32(2)) + Entry(5, U32(0)) +
                    Entry(6, F64(4.5)) + Entry(7, U32(5)) + Entry(8, U32(1))));

    scales.tax.MedicareShadeIn = false;
    Investment back;
    RecordMessages sink;
    ASSERT_TRUE(LoadFromString(back, scales, bytes, &sink));
    EXPECT_TRUE(sink.texts.empty());
    EXPECT_EQ(back.LossTreatment, 1);
    EXPECT_EQ(back.LossRuleFromYear, 2);
    EXPECT_EQ(back.RentFollowsInflation, 0);
    EXPECT_EQ(back.RateRentGrowth, 4.5);
    EXPECT_EQ(back.InterestOnlyYears, 5);
    EXPECT_TRUE(scales.tax.MedicareShadeIn);
    EXPECT_EQ(SaveToString(back, scales), bytes);

    // A file without the entry turns the reduction off, whatever was in force before.
    ASSERT_TRUE(LoadFromString(back, scales, fixed));
    EXPECT_FALSE(scales.tax.MedicareShadeIn);
    EXPECT_EQ(back.LossTreatment, 0);
    EXPECT_EQ(SaveToString(back, scales), fixed);

    // Out of range: limited as the record holds them.
    ASSERT_TRUE(LoadFromString(back, scales, fixed + Block(Entry(4, U32(0)) + Entry(7, U32(99)) +
                                                   Entry(3, U32(0xFFFFFFFFu)))));
    EXPECT_EQ(back.LossRuleFromYear, 1);
    EXPECT_EQ(back.InterestOnlyYears, 40);
    EXPECT_EQ(back.LossTreatment, 0);
}

// The law of the years: entries 9 to 18, each only when it differs from its built-in value.
TEST_F(ExtensionBlock, TheLawOfTheYearsIsStoredInEntriesOfItsOwn) {
    Investment doc;
    FillSampleInvestment(doc, scales);
    const std::string fixed = SaveToString(doc, scales);
    doc.TaxLaw = 1;
    doc.PurchaseMonth = 12;
    doc.PurchaseYear = 2026; // the built-in year: no entry
    doc.NewBuild = 1;
    doc.FittingsBoughtNew = 1;
    doc.ThresholdsGrow = 1;
    doc.CGTSwitchMonth = 1;
    doc.CGTSwitchYear = 2028;
    doc.MinimumTaxPC = 25;
    doc.BrightLineYears = 5;
    const std::string bytes = SaveToString(doc, scales);
    ASSERT_EQ(bytes.substr(0, fixed.size()), fixed);
    EXPECT_EQ(bytes.substr(fixed.size()),
              Block(Entry(9, U32(1)) + Entry(10, U32(12)) + Entry(12, U32(1)) +
                    Entry(13, U32(1)) + Entry(14, U32(1)) + Entry(15, U32(1)) +
                    Entry(16, U32(2028)) + Entry(17, F64(25)) + Entry(18, F64(5))));

    Investment back;
    ASSERT_TRUE(LoadFromString(back, scales, bytes));
    EXPECT_EQ(back.CGTSwitchYear, 2028);
    EXPECT_EQ(SaveToString(back, scales), bytes);

    // A file without them is under one scale for every year.
    ASSERT_TRUE(LoadFromString(back, scales, fixed));
    EXPECT_EQ(back.TaxLaw, 0);
    EXPECT_EQ(SaveToString(back, scales), fixed);
}

TEST_F(ExtensionBlock, TheLoanAndTheCostsAreEntriesOfTheirOwn) {
    Investment doc;
    FillSampleInvestment(doc, scales);
    const std::string fixed = SaveToString(doc, scales);
    doc.OffsetOpening = 50000;
    doc.OffsetSurplus = 1;
    doc.ExtraFromYear = 3;
    doc.RateSteps = {{3, 7.5}, {10, 6}};
    const std::string bytes = SaveToString(doc, scales);
    ASSERT_EQ(bytes.substr(0, fixed.size()), fixed);
    // The changes in one entry of 12 bytes each: year, rate.
    EXPECT_EQ(bytes.substr(fixed.size()),
              Block(Entry(19, F64(50000)) + Entry(21, U32(1)) + Entry(23, U32(3)) +
                    Entry(26, U32(3) + F64(7.5) + U32(10) + F64(6))));
    Investment back;
    ASSERT_TRUE(LoadFromString(back, scales, bytes));
    EXPECT_EQ(back.RateSteps, doc.RateSteps);
    EXPECT_EQ(back.OffsetOpening, 50000);
    EXPECT_EQ(SaveToString(back, scales), bytes);

    // A changes entry that is not whole steps, holds more than ten or a rate that is no
    // number is damage: the file opens with none of the block's inputs.
    std::string eleven;
    for (int i = 0; i < 11; ++i) eleven += U32(i + 1) + F64(5);
    for (const std::string& bad : {U32(3) + F64(7.5) + "x", eleven,
                                   U32(3) + F64(std::numeric_limits<double>::infinity())}) {
        RecordMessages sink;
        ASSERT_TRUE(LoadFromString(back, scales, fixed + Block(Entry(19, F64(1)) + Entry(26, bad)),
                                   &sink));
        EXPECT_TRUE(back.RateSteps.empty());
        EXPECT_EQ(back.OffsetOpening, 0);
        EXPECT_EQ(sink.texts.size(), 1u);
    }
}

TEST_F(ExtensionBlock, LandTaxAndTheSchedulesAreEntriesOfTheirOwn) {
    Investment doc;
    FillSampleInvestment(doc, scales);
    const std::string fixed = SaveToString(doc, scales);
    doc.LandTaxState = 3;
    doc.LandValue = 350000;
    doc.BuildingSchedule = {9140, 9140.5};
    doc.PlantSchedule = {3200};
    doc.LandTaxRows = {{600000, 1.0, 500, true}};
    // The schedules change the year's depreciation that the fixed layout holds.
    doc.Recalculate(scales);
    const std::string bytes = SaveToString(doc, scales);
    // A schedule in one entry of 8 bytes a year.
    const std::string block = Block(Entry(27, U32(3)) + Entry(28, F64(350000)) +
                                    Entry(33, F64(9140) + F64(9140.5)) + Entry(34, F64(3200)) +
                                    Entry(35, F64(600000) + F64(1) + F64(500) + U32(1)));
    ASSERT_GT(bytes.size(), block.size());
    EXPECT_EQ(bytes.substr(bytes.size() - block.size()), block);
    Investment back;
    ASSERT_TRUE(LoadFromString(back, scales, bytes));
    EXPECT_EQ(back.BuildingSchedule, doc.BuildingSchedule);
    EXPECT_EQ(back.PlantSchedule, doc.PlantSchedule);
    EXPECT_EQ(back.LandTaxRows, doc.LandTaxRows);
    EXPECT_EQ(back.LandValue, 350000);
    EXPECT_EQ(SaveToString(back, scales), bytes);

    // Part of a figure, more than forty years or a figure that is no number is damage.
    std::string many;
    for (int i = 0; i < 41; ++i) many += F64(1);
    for (const std::string& bad :
         {F64(1) + "x", many, F64(std::numeric_limits<double>::quiet_NaN())}) {
        RecordMessages sink;
        ASSERT_TRUE(LoadFromString(back, scales, fixed + Block(Entry(27, U32(1)) + Entry(33, bad)),
                                   &sink));
        EXPECT_TRUE(back.BuildingSchedule.empty());
        EXPECT_EQ(back.LandTaxState, 0);
        EXPECT_EQ(sink.texts.size(), 1u);
    }
}

} // namespace
