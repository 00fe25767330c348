// The breakdowns against the annual table: every year, single and joint names.
#include "format/Format.h"
#include "model/Scales.h"
#include "tests/model/WorkedExample.h"
#include "tests/ui/dialogs/DialogTestSupport.h"
#include "ui/dialogs/BreakdownEditors.h"

namespace {

TaxSavingsLogic TaxSavingsOf(const Investment& doc, const Scales& scales) {
    TaxSavingsLogic b;
    b.taxScale = scales.tax;
    b.table = doc.table;
    b.investorIncomes = doc.TaxableHimByYear;
    b.partnerIncomes = doc.TaxableHerByYear;
    b.ownership = doc.NamesOnTitle;
    return b;
}

struct BreakdownLogic : ::testing::TestWithParam<int> {
    Investment doc;
};

} // namespace

// Parameter: NamesOnTitle. Principal and interest, so that the loan is repaid within the 40
// years and the deductions change their shape.
TEST_P(BreakdownLogic, TaxSavingEqualsTheTableEveryYear) {
    Scales scales;
    SetUpWorkedExample(doc, 1);
    doc.NamesOnTitle = GetParam();
    doc.Recalculate(scales);
    TaxSavingsLogic b = TaxSavingsOf(doc, scales);
    FakePort port;
    b.Open(port);
    const double rowsBefore = doc.At(Row::TaxSaving, 0);
    for (int year = 1; year <= 40; ++year) {
        SCOPED_TRACE(year);
        b.ShowYear(port, year);
        const int c = year - 1;
        const TaxSavingsLogic::Figures f = b.Compute();
        EXPECT_EQ(f.taxSaving, doc.At(Row::TaxSaving, c));
        EXPECT_EQ(f.rentalIncome, doc.At(Row::RentReceived, c));
        EXPECT_EQ(f.rentalDeductions, doc.At(Row::Deductions, c));
        EXPECT_EQ(port.Text(TaxSavingsLogic::kTaxSaving),
                  FormatValue(doc.At(Row::TaxSaving, c), "0,m"));
        EXPECT_EQ(port.Text(TaxSavingsLogic::kYear), FormatValue(year, "0y"));
    }
    EXPECT_EQ(doc.At(Row::TaxSaving, 0), rowsBefore);
}
INSTANTIATE_TEST_SUITE_P(Ownership, BreakdownLogic, ::testing::Values(1, 2));

// Losses carried forward (the model's tax rules case: a 70 % deposit, losses of years 1-3
// used up in years 4-6): the breakdown gives the table's saving in every year.
TEST(TaxSavingsLogic, LossesCarriedForwardGiveTheTablesSaving) {
    Scales scales;
    for (int owners : {1, 2}) {
        Investment doc;
        SetUpWorkedExample(doc);
        doc.DepositPC = 70;
        doc.NamesOnTitle = owners;
        doc.LossTreatment = 1;
        doc.Recalculate(scales);
        TaxSavingsLogic b = TaxSavingsOf(doc, scales);
        b.lossRuleFromYear = doc.LossRuleFromYear;
        b.carriedLoss = doc.CarriedLossByYear;
        FakePort port;
        b.Open(port);
        for (int year = 1; year <= 10; ++year) {
            b.ShowYear(port, year);
            EXPECT_NEAR(b.Compute().taxSaving, doc.At(Row::TaxSaving, year - 1), 1e-9)
                << owners << " " << year;
        }
        b.ShowYear(port, 6);
        EXPECT_NEAR(b.Compute().taxSaving, owners == 1 ? -432.82 : -329.76, 0.005);
    }
}

// Joint names: the incomes add up, the taxes are each owner's own, not the tax on the sum.
TEST(TaxSavingsLogic, JointNamesSplitRentAndDeductions) {
    Scales scales;
    Investment doc;
    SetUpWorkedExample(doc);
    doc.NamesOnTitle = 2;
    doc.Recalculate(scales);
    TaxSavingsLogic b = TaxSavingsOf(doc, scales);
    FakePort port;
    b.Open(port);
    const TaxSavingsLogic::Figures f = b.Compute();
    auto tax = [&](double x) { return ComputeIncomeTax(x, scales.tax); };
    EXPECT_EQ(port.Text(TaxSavingsLogic::kOwnership), "Joint");
    EXPECT_EQ(f.presentTaxable, 66000);
    EXPECT_EQ(f.presentTax, tax(47000) + tax(19000));
    EXPECT_NE(f.presentTax, tax(66000));
    EXPECT_EQ(f.newTaxable, 66000 + 17836 - doc.At(Row::Deductions, 0));
    EXPECT_EQ(f.newTax, tax(47000 + 17836 / 2.0 - doc.At(Row::Deductions, 0) / 2) +
                            tax(19000 + 17836 / 2.0 - doc.At(Row::Deductions, 0) / 2));
    // Any ownership other than 1 counts as joint.
    b.ownership = 0;
    EXPECT_TRUE(b.Compute().joint);
}

TEST(AfterTaxCashLogic, EveryFigureIsTheTablesRow) {
    Investment doc;
    SetUpWorkedExample(doc, 1);
    AfterTaxCashLogic b;
    b.table = doc.table;
    FakePort port;
    b.Open(port);
    EXPECT_EQ(port.Text(AfterTaxCashLogic::kPrincipal), "3,613");
    EXPECT_EQ(port.Text(AfterTaxCashLogic::kInterest), "25,263");
    const std::pair<int, Row> rows[] = {{AfterTaxCashLogic::kAnnualRent, Row::RentReceived},
                                        {AfterTaxCashLogic::kPrincipal, Row::PrincipalPaid},
                                        {AfterTaxCashLogic::kInterest, Row::InterestPaid},
                                        {AfterTaxCashLogic::kExpenses, Row::ExpensesPaid},
                                        {AfterTaxCashLogic::kPreTaxCash, Row::PreTaxCash},
                                        {AfterTaxCashLogic::kTaxCredits, Row::TaxSaving},
                                        {AfterTaxCashLogic::kAfterTaxCash, Row::AfterTaxCash}};
    for (int year = 1; year <= 40; ++year) {
        b.ShowYear(port, year);
        for (auto [id, row] : rows)
            EXPECT_EQ(port.Text(id), FormatValue(doc.At(row, year - 1), "0,m"))
                << "year " << year << " control " << id;
    }
}

// The year starts at 1 whatever the summary shows, and stays within the table's 40 years.
TEST(BreakdownYear, StartsAtOneAndStaysWithinTheTable) {
    AfterTaxCashLogic b;
    b.year = 10;
    FakePort port;
    b.Open(port);
    EXPECT_EQ(b.year, 1);
    EXPECT_EQ(port.Text(AfterTaxCashLogic::kYear), "1yr");
    b.Step(port, -1);
    EXPECT_EQ(b.year, 1);
    b.Step(port, +1);
    EXPECT_EQ(port.Text(AfterTaxCashLogic::kYear), "2yr");
    b.ShowYear(port, 40);
    b.Step(port, +1);
    EXPECT_EQ(b.year, 40);
    EXPECT_EQ(port.Text(AfterTaxCashLogic::kYear), "40yr");
    b.ShowYear(port, 1000);
    EXPECT_EQ(b.year, 40);
    b.ShowYear(port, -7);
    EXPECT_EQ(b.year, 1);
}
