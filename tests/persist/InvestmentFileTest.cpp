#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <sstream>
#include <streambuf>
#include <string>

#include "model/Investment.h"
#include "model/Scales.h"
#include "persist/InvestmentFile.h"
#include "tests/persist/SampleInvestment.h"

namespace {

constexpr std::size_t kEmptyBlockStart = 19; // header 13 + three empty lengths

std::int16_t get16(const std::string& b, std::size_t off) {
    return static_cast<std::int16_t>(static_cast<unsigned char>(b[off]) |
                                     (static_cast<unsigned char>(b[off + 1]) << 8));
}
void put16(std::string& b, std::size_t off, std::int16_t v) {
    b[off] = static_cast<char>(v & 0xFF);
    b[off + 1] = static_cast<char>((static_cast<std::uint16_t>(v) >> 8) & 0xFF);
}
void put32(std::string& b, std::size_t off, std::int32_t v) {
    for (int i = 0; i < 4; ++i)
        b[off + i] = static_cast<char>((static_cast<std::uint32_t>(v) >> (8 * i)) & 0xFF);
}
std::string bytesAt(const std::string& b, std::size_t off, std::size_t n) {
    return b.substr(off, n);
}
double getF64(const std::string& b, std::size_t off) {
    std::uint64_t v = 0;
    for (int i = 0; i < 8; ++i)
        v |= static_cast<std::uint64_t>(static_cast<unsigned char>(b[off + i])) << (8 * i);
    double d;
    std::memcpy(&d, &v, 8);
    return d;
}

// Everything a load could touch: the stored fields and both scales (through the writer),
// the table and the results.
struct Snapshot {
    std::string stored;
    DutyScale duty;
    TaxScale tax;
    Investment::Table table;
    double irr, npv, avg;

    Snapshot(const Investment& d, const Scales& scales)
        : stored(SaveToString(d, scales)), duty(scales.duty), tax(scales.tax), table(d.table),
          irr(d.IRR), npv(d.NPV), avg(d.AvgCashFlowWeek) {}
    bool operator==(const Snapshot& o) const {
        return stored == o.stored && duty == o.duty && tax == o.tax &&
               std::memcmp(table.data(), o.table.data(), sizeof table) == 0 &&
               std::memcmp(&irr, &o.irr, sizeof irr) == 0 && npv == o.npv && avg == o.avg;
    }
};

class InvestmentFile : public ::testing::Test {
protected:
    Scales scales;

    // A real file: the sample under the Vic and 05/06 scales, with leftovers in unused rows.
    static std::string realFile() {
        Scales fileScales;
        fileScales.duty = ShippedDutyScale(2);
        fileScales.duty.BaseDuty = 12.5;
        fileScales.duty.Above[9] = 777; // beyond Count: stored all the same
        fileScales.tax = ShippedTaxScale(2);
        fileScales.tax.Rate[8] = 99;
        Investment doc;
        FillSampleInvestment(doc, fileScales);
        std::string bytes = SaveToString(doc, fileScales);
        return bytes;
    }

    // A different investment and different scales in force, to see that a failed load
    // leaves all of it alone.
    void prepareOther(Investment& doc) {
        scales.duty = ShippedDutyScale(1);
        scales.tax = ShippedTaxScale(1);
        doc.ResetFixedDefaults();
        doc.Address = u"before";
        doc.Price = 123456;
        doc.MarketValue = 123456;
        doc.Rent = 200;
        doc.Recalculate(scales);
    }

    void expectRefusedUnchanged(const std::string& bytes, std::vector<std::string> messages,
                                const std::string& what) {
        Investment doc;
        prepareOther(doc);
        Snapshot before(doc, scales);
        RecordMessages sink;
        EXPECT_FALSE(LoadFromString(doc, scales, bytes, &sink)) << what;
        EXPECT_EQ(sink.texts, messages) << what;
        EXPECT_TRUE(Snapshot(doc, scales) == before) << what;
    }
};

TEST_F(InvestmentFile, EmptyTextsGiveExactly709BytesWithTheHeader) {
    Investment doc;
    std::string b = SaveToString(doc, scales);
    ASSERT_EQ(b.size(), 709u);
    EXPECT_EQ(b.size(), static_cast<std::size_t>(kFileFixedSize));
    EXPECT_EQ(bytesAt(b, 0, 13), std::string("P1.02VEL\0PPC\0", 13));
    EXPECT_EQ(bytesAt(b, 13, 6), std::string(6, '\0'));
    EXPECT_EQ(get16(b, kEmptyBlockStart), 51); // layout number
}

TEST_F(InvestmentFile, FieldsSitAtTheirOffsetsLittleEndian) {
    Investment doc;
    doc.Price = 1.0;
    doc.PurchaseCosts = -2.5;
    doc.UseSDScale = 1;
    doc.CashDeposit = 3.0;
    doc.LCYears = 0x0102;
    doc.LoanTerm = 30;
    doc.PeriodsPerYear = 26;
    doc.DepBuildMethod = 1;
    doc.ShowYear = 7;
    doc.ProjectionYear = 40;
    scales.duty.Location = 9;
    scales.duty.Flat[3] = 1;
    std::string b = SaveToString(doc, scales);
    const std::size_t o = kEmptyBlockStart;
    EXPECT_EQ(bytesAt(b, o + 2, 8), std::string("\0\0\0\0\0\0\xF0\x3F", 8));
    EXPECT_EQ(getF64(b, o + 58), -2.5);
    EXPECT_EQ(bytesAt(b, o + 66, 4), std::string("\x01\0\0\0", 4));
    EXPECT_EQ(get16(b, o + 70), 0); // ReservedFlag
    EXPECT_EQ(getF64(b, o + 72), 3.0);
    EXPECT_EQ(bytesAt(b, o + 112, 2), std::string("\x02\x01", 2));
    EXPECT_EQ(get16(b, o + 140), 30);
    EXPECT_EQ(get16(b, o + 158), 26);
    EXPECT_EQ(getF64(b, o + 280), 47000.0);
    EXPECT_EQ(get16(b, o + 270), 1);
    EXPECT_EQ(get16(b, o + 314), 7);
    EXPECT_EQ(get16(b, o + 316), 40);
    // The start-up tax scale, then the duty scale.
    EXPECT_EQ(get16(b, o + 318), 5);
    EXPECT_EQ(getF64(b, o + 320 + 2 * 8), 25000.0);
    EXPECT_EQ(getF64(b, o + 400 + 1 * 8), 15.0);
    EXPECT_EQ(getF64(b, o + 480), 1.5);
    EXPECT_EQ(getF64(b, o + 488), 15529.0);
    EXPECT_EQ(get16(b, o + 496), 0);
    EXPECT_EQ(get16(b, o + 498), 7);
    EXPECT_EQ(getF64(b, o + 500 + 6 * 8), 700000.0);
    EXPECT_EQ(getF64(b, o + 580), 1.5);
    EXPECT_EQ(get16(b, o + 660 + 3 * 2), 1);
    EXPECT_EQ(getF64(b, o + 680), 0.0);
    EXPECT_EQ(get16(b, o + 688), 9);
}

TEST_F(InvestmentFile, TextsAreLengthPrefixedUtf16LittleEndian) {
    Investment doc;
    doc.Address = u"\u00df\u20ac";    // 2 units
    doc.Notes = u"\U0001F3E0x"; // surrogate pair + 1
    std::string b = SaveToString(doc, scales);
    EXPECT_EQ(b.size(), 709u + 2 * 5);
    EXPECT_EQ(bytesAt(b, 13, 6), std::string("\x02\0\xDF\0\xAC\x20", 6));
    EXPECT_EQ(get16(b, 19), 0); // Description
    EXPECT_EQ(bytesAt(b, 21, 8), std::string("\x03\0\x3C\xD8\xE0\xDF\x78\0", 8));
}

TEST_F(InvestmentFile, RoundTripRestoresEveryFieldAndBothScalesBitForBit) {
    scales.duty = ShippedDutyScale(5);
    scales.duty.BaseDuty = 0.1;
    scales.duty.Rate[9] = -0.0;
    scales.tax = ShippedTaxScale(1);
    scales.tax.Above[7] = 1e300;
    scales.tax.Location = 4;
    const DutyScale duty = scales.duty;
    const TaxScale tax = scales.tax;

    for (int switches : {1, 0}) {
        Investment doc;
        FillSampleInvestment(doc, scales);
        // With every switch off the linked amounts are inputs of their own.
        doc.UseSDScale = doc.CalcDeposit = doc.CalcLoanCosts = switches;
        doc.CalcExpenses = doc.CalcDepFitt = doc.CalcDepBuild = switches;
        doc.StampDutyCost = 9876.54321;
        doc.CashDeposit = 33333.3333;
        doc.LoanCosts = 1111.11;
        doc.Expenses = 2222.2;
        doc.DepFittValue = 4444.4;
        doc.DepBuildValue = 155555.5;
        doc.RateGrowth = 1.0 / 3.0;
        doc.Recalculate(scales);
        const std::string saved = SaveToString(doc, scales);

        Investment back;
        RecordMessages sink;
        ASSERT_TRUE(LoadFromString(back, scales, saved, &sink));
        EXPECT_TRUE(sink.texts.empty());
        EXPECT_EQ(scales.duty, duty);
        EXPECT_EQ(scales.tax, tax);
        EXPECT_EQ(std::memcmp(&scales.duty.Rate[9], &duty.Rate[9], 8), 0); // -0.0 kept
        EXPECT_EQ(back.Address, doc.Address);
        EXPECT_EQ(back.Description, doc.Description);
        EXPECT_EQ(back.Notes, doc.Notes);
        EXPECT_EQ(SaveToString(back, scales), saved) << "switches " << switches;
        EXPECT_EQ(back.table, doc.table);
        EXPECT_EQ(back.NPV, doc.NPV);
    }
}

TEST_F(InvestmentFile, LoadingMakesTheFileScalesCurrentAndRecalculates) {
    const std::string bytes = realFile();
    Investment doc;
    ASSERT_TRUE(LoadFromString(doc, scales, bytes));
    EXPECT_EQ(scales.duty.Location, 2);
    EXPECT_EQ(scales.duty.Above[9], 777);
    EXPECT_EQ(scales.tax, [] {
        TaxScale t = ShippedTaxScale(2);
        t.Rate[8] = 99;
        return t;
    }());
    EXPECT_GT(doc.At(Row::PropertyValue, 39), doc.At(Row::PropertyValue, 0));
    EXPECT_EQ(doc.At(Row::ReservedRow5, 3), 0.0);
    EXPECT_EQ(doc.ShowYear, 7);
    EXPECT_EQ(doc.ProjectionYear, 25);
}

TEST_F(InvestmentFile, LaterVersionIsReadAfterTheMessage) {
    const std::string good = realFile();
    Investment expected;
    ASSERT_TRUE(LoadFromString(expected, scales, good));

    struct Case {
        std::size_t offset;
        char c;
        bool later;
    } cases[] = {{3, '1', true}, {4, '3', true}, {1, '2', true}, {4, '2', false},
                 {3, '0', false}, {4, '1', false}};
    for (const auto& c : cases) {
        std::string b = good;
        b[c.offset] = c.c;
        Investment doc;
        RecordMessages sink;
        ASSERT_TRUE(LoadFromString(doc, scales, b, &sink)) << c.offset << c.c;
        if (c.later) EXPECT_EQ(sink.texts, std::vector<std::string>{kMsgLaterVersion});
        else EXPECT_TRUE(sink.texts.empty()) << c.offset << c.c;
        EXPECT_EQ(SaveToString(doc, scales), SaveToString(expected, scales));
    }
}

TEST_F(InvestmentFile, FirstByteOtherThanPIsRefusedAndChangesNothing) {
    std::string b = realFile();
    b[0] = 'Q';
    expectRefusedUnchanged(b, {kMsgDifferentVel}, "Q header");
    expectRefusedUnchanged("p", {kMsgDifferentVel}, "one byte");
    expectRefusedUnchanged(std::string(800, '\0'), {kMsgDifferentVel}, "zeros");
    expectRefusedUnchanged("", {}, "empty file");
}

TEST_F(InvestmentFile, EveryTruncationFailsSilentlyAndChangesNothing) {
    const std::string bytes = realFile();
    ASSERT_GT(bytes.size(), 709u);
    Investment doc;
    prepareOther(doc);
    const Snapshot before(doc, scales);
    for (std::size_t n = 0; n < bytes.size(); ++n) {
        RecordMessages sink;
        ASSERT_FALSE(LoadFromString(doc, scales, bytes.substr(0, n), &sink)) << n;
        ASSERT_TRUE(sink.texts.empty()) << n;
        ASSERT_TRUE(Snapshot(doc, scales) == before) << "changed by a file cut at " << n;
    }
    EXPECT_TRUE(LoadFromString(doc, scales, bytes));
}

TEST_F(InvestmentFile, NegativeStringLengthIsRefused) {
    const std::string good = realFile();
    const std::size_t addressLen = get16(good, 13);
    std::string b = good;
    put16(b, 13, -1);
    expectRefusedUnchanged(b, {}, "Address -1");
    b = good;
    const std::size_t descOffset = 13 + 2 + 2 * addressLen;
    put16(b, descOffset, -32768);
    expectRefusedUnchanged(b, {}, "Description -32768");
}

TEST_F(InvestmentFile, LongestStringLength) {
    // A length of 32767 in a file that does not hold that many characters.
    std::string b = realFile();
    put16(b, 13, 32767);
    expectRefusedUnchanged(b, {}, "Address 32767 in a short file");

    // A text of exactly 32767 characters is written and read back whole.
    Investment doc;
    doc.Notes.assign(32767, u'\u00e4');
    std::string full = SaveToString(doc, scales);
    EXPECT_EQ(full.size(), 709u + 2 * 32767);
    Investment back;
    ASSERT_TRUE(LoadFromString(back, scales, full));
    EXPECT_EQ(back.Notes, doc.Notes);
}

// A text is never cut: one at the longest a file holds comes back whole, a longer one is
// refused with its name, and nothing is written.
TEST_F(InvestmentFile, TextsAtTheLimitComeBackAndLongerOnesAreRefused) {
    Investment doc;
    doc.Address.assign(32767, u'a');
    doc.Description = std::u16string(32765, u'b') + u"\U0001F3E0";
    doc.Notes = u"kept";
    Investment back;
    ASSERT_TRUE(LoadFromString(back, scales, SaveToString(doc, scales)));
    EXPECT_EQ(back.Address, doc.Address);
    EXPECT_EQ(back.Description, doc.Description);

    const struct {
        std::u16string Investment::*text;
        const char* message;
    } cases[] = {{&Investment::Address, "The address is longer than an investment file can hold "
                                        "(32,767 characters)."},
                 {&Investment::Notes, "The notes are longer than an investment file can hold "
                                      "(32,767 characters)."}};
    for (const auto& c : cases) {
        Investment longer = doc;
        (longer.*c.text).assign(32768, u'x');
        std::ostringstream out(std::ios::binary);
        RecordMessages sink;
        EXPECT_FALSE(SaveInvestment(longer, scales, out, &sink));
        EXPECT_EQ(out.str(), "");
        EXPECT_EQ(sink.texts, std::vector<std::string>{c.message});
    }
}

// The whole header is an investment file's or the file is refused, however it goes on.
TEST_F(InvestmentFile, TheWholeHeaderIsChecked) {
    const std::string good = realFile();
    const struct {
        std::size_t at;
        char c;
    } cases[] = {{1, 'x'}, {2, ','}, {4, 'r'}, {5, 'v'}, {8, ' '}, {9, 'Q'}, {12, '1'}};
    for (const auto& c : cases) {
        std::string b = good;
        b[c.at] = c.c;
        expectRefusedUnchanged(b, {kMsgDifferentVel}, std::to_string(c.at).c_str());
    }
    expectRefusedUnchanged("Pocket notes", {kMsgDifferentVel}, "a text beginning with P");
    expectRefusedUnchanged(good.substr(0, 9), {}, "a header cut short");
}

TEST_F(InvestmentFile, OutOfRangeValuesAreLimitedBeforeUse) {
    Investment doc;
    FillSampleInvestment(doc, scales);
    std::string b = SaveToString(doc, scales);
    const std::size_t o = b.size() - kFileBlockSize;
    put16(b, o + 318, 11);  // tax Count
    put16(b, o + 496, 77);  // tax Location outside its list
    put16(b, o + 498, -5);  // duty Count
    put16(b, o + 688, -3);  // duty Location
    put16(b, o + 112, -2);  // LCYears
    put16(b, o + 114, 5);   // LoanType
    put16(b, o + 296, 3);   // NamesOnTitle
    put16(b, o + 314, 0);   // ShowYear
    put16(b, o + 316, 300); // ProjectionYear
    put32(b, o + 66, 7);    // UseSDScale
    put32(b, o + 242, -1);  // CalcDepBuild
    Investment back;
    ASSERT_TRUE(LoadFromString(back, scales, b));
    EXPECT_EQ(scales.tax.Count, 10);
    EXPECT_EQ(scales.tax.Location, 77);
    EXPECT_EQ(scales.duty.Count, 0);
    EXPECT_EQ(scales.duty.Location, -3);
    EXPECT_EQ(back.LCYears, 1);
    EXPECT_EQ(back.LoanType, 0);
    EXPECT_EQ(back.NamesOnTitle, 1);
    EXPECT_EQ(back.ShowYear, 1);
    EXPECT_EQ(back.ProjectionYear, 40);
    EXPECT_EQ(back.UseSDScale, 1);
    EXPECT_EQ(back.CalcDepBuild, 1);
    EXPECT_EQ(back.StampDutyCost, 0.0); // a duty scale without rows charges nothing
    EXPECT_GT(back.At(Row::PropertyValue, 39), 0.0);

    // Counts on the other side.
    put16(b, o + 318, -5);
    put16(b, o + 498, 11);
    ASSERT_TRUE(LoadFromString(back, scales, b));
    EXPECT_EQ(scales.tax.Count, 0);
    EXPECT_EQ(scales.duty.Count, 10);
}

TEST_F(InvestmentFile, IntegerFieldsTooWideForTheFileSaturate) {
    Investment doc;
    doc.LoanTerm = 100000;
    doc.PeriodsPerYear = -70000;
    std::string b = SaveToString(doc, scales);
    EXPECT_EQ(get16(b, kEmptyBlockStart + 140), 32767);
    EXPECT_EQ(get16(b, kEmptyBlockStart + 158), -32768);
}

// Accepts a fixed number of bytes, then refuses.
class ShortBuffer : public std::streambuf {
public:
    explicit ShortBuffer(std::size_t room) : room_(room) {}

protected:
    int_type overflow(int_type c) override {
        if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
        if (room_ == 0) return traits_type::eof();
        --room_;
        return c;
    }

private:
    std::size_t room_;
};

TEST_F(InvestmentFile, SaveReportsWhetherTheStreamTookEveryByte) {
    Investment doc;
    ShortBuffer full(708);
    std::ostream shortStream(&full);
    EXPECT_FALSE(SaveInvestment(doc, scales, shortStream));
    ShortBuffer enough(709);
    std::ostream exactStream(&enough);
    EXPECT_TRUE(SaveInvestment(doc, scales, exactStream));
    std::ostream none(nullptr);
    EXPECT_FALSE(SaveInvestment(doc, scales, none));
    RecordMessages sink;
    EXPECT_FALSE(SaveInvestment(doc, scales, none, &sink));
    EXPECT_EQ(sink.texts, std::vector<std::string>{kMsgBadFilePointer});
}

// The reserved field has no use: whatever a file held there, it is written back as 0.
TEST_F(InvestmentFile, ReservedFieldIsWrittenAsZero) {
    Investment doc;
    doc.ReservedFlag = 0x1234;
    EXPECT_EQ(bytesAt(SaveToString(doc, scales), kEmptyBlockStart + 70, 2), std::string("\0\0", 2));
}

TEST_F(InvestmentFile, StreamsWithoutBufferOrThatThrowFailQuietly) {
    const std::string cut = realFile().substr(0, 300);
    Investment doc;
    prepareOther(doc);
    const Snapshot before(doc, scales);
    std::istream none(nullptr);
    RecordMessages sink;
    EXPECT_FALSE(LoadInvestment(doc, scales, none, &sink));
    EXPECT_EQ(sink.texts, std::vector<std::string>{kMsgBadFilePointer});

    std::istringstream throwing(cut, std::ios::binary);
    throwing.exceptions(std::ios::failbit | std::ios::eofbit);
    EXPECT_FALSE(LoadInvestment(doc, scales, throwing, nullptr));
    EXPECT_TRUE(Snapshot(doc, scales) == before);
}

} // namespace
