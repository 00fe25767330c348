#include <gtest/gtest.h>

#include <sstream>

#include "model/Scales.h"
#include "tests/support/HostileFiles.h"
#include "tests/support/TestFiles.h"

namespace {

// The one reader that the program, velcalc and velreport share: every hostile file is opened
// or refused with its reason within a second, and nothing blocks.
TEST(HostileFiles, TheReaderOpensOrRefusesEachAtOnce) {
    const auto dir = FreshTestFolder("vel-hostile");
    int keepOpen = -1;
    for (const HostileFile& f : MakeHostileFiles(dir, keepOpen)) {
        SCOPED_TRACE(f.name);
        std::string bytes, reason;
        bool read = false;
        CVELPPCDoc doc;
        DutyScale duty = ShippedDutyScale(0);
        TaxScale tax = ShippedTaxScale(0);
        MessageList messages;
        const double seconds = SecondsTaken([&] {
            if (!ReadInvestmentFileBytes(f.path.string(), bytes, reason)) return;
            std::istringstream in(bytes, std::ios::binary);
            read = ReadInvestment(doc, duty, tax, in, &messages);
            if (!messages.texts.empty()) reason = messages.texts.front();
        });
        EXPECT_LT(seconds, kHostileSeconds);
        EXPECT_EQ(read, f.opens) << reason;
        if (!f.opens) {
            EXPECT_NE(reason.find(f.refusal), std::string::npos) << reason;
        } else {
            EXPECT_TRUE(messages.texts.empty());
            EXPECT_EQ(doc.SellingCostsPC, f.sellingCostsPC);
            for (double v : {doc.Price, doc.Conveyancing, doc.TotalCost, doc.IRR, doc.NPV})
                EXPECT_TRUE(std::isfinite(v)) << v;
        }
    }
    ::close(keepOpen);
    std::filesystem::remove_all(dir);
}

} // namespace
