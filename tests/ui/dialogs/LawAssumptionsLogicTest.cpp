// The page "Purchase and Law" and the depreciation pages' reasons, driven without widgets.
#include "model/Law.h"
#include "model/Scales.h"
#include "tests/model/WorkedExample.h"
#include "tests/ui/dialogs/DialogTestSupport.h"
#include <QDir>

#include "ui/dialogs/AssumptionDialogs.h"
#include "ui/dialogs/AssumptionEditors.h"
#include "ui/dialogs/DepreciationEditors.h"

namespace {

using C = LawAssumptions;

// The worked example, bought December 2026: under one scale until the page says otherwise.
TEST(LawPageLogic, ChoosingTheLawShowsWhatItDoes) {
    Investment doc;
    SetUpWorkedExample(doc);
    doc.PurchaseYear = 2026;
    doc.PurchaseMonth = 12;
    C page(doc, Scales{});
    FakePort port;
    page.Open(port);
    EXPECT_EQ(port.choices[C::kTaxLaw], 0);
    EXPECT_EQ(port.choices[C::kPurchaseMonth], 11);
    EXPECT_EQ(port.Text(C::kIncomeYears), "Every year is taxed under the scale in force.");
    EXPECT_EQ(port.Text(C::kFittingsNil), "");

    port.choices[C::kTaxLaw] = 1;
    page.Choose(port, C::kTaxLaw);
    EXPECT_EQ(page.law.TaxLaw, 1);
    // Ten years from December 2026: sold December 2036.
    EXPECT_EQ(port.Text(C::kIncomeYears),
              "Year 1 is taxed under 2026-27, year 10 under 2035-36; sold Dec 2036.");
    EXPECT_EQ(port.Text(C::kLosses), "Rental losses are carried forward from year 2.");
    EXPECT_EQ(port.Text(C::kFittingsNil), std::string(kNoFittingsReason));

    // A new build keeps its losses and its fittings.
    port.choices[C::kDwelling] = 1;
    page.Choose(port, C::kDwelling);
    EXPECT_EQ(port.Text(C::kLosses), "Rental losses reduce other income.");
    EXPECT_EQ(port.Text(C::kFittingsNil), "");

    port.Type(C::kPurchaseYear, "2028");
    port.Type(C::kBrightLine, "3");
    page.Recalculate(port);
    Investment applied;
    page.Apply(applied);
    EXPECT_EQ(applied.TaxLaw, 1);
    EXPECT_EQ(applied.PurchaseYear, 2028);
    EXPECT_EQ(applied.PurchaseMonth, 12);
    EXPECT_EQ(applied.NewBuild, 1);
    EXPECT_EQ(applied.BrightLineYears, 3);
}

TEST(DepreciationNilReason, TheFigureIsZeroAndThePageSaysWhy) {
    FittingsDepreciationLogic page;
    page.value.amount = 18000;
    page.rate = 20;
    FakePort port;
    page.Open(port);
    EXPECT_EQ(page.depreciation, 3600);
    EXPECT_FALSE(port.Shown(DepreciationPageLogic::kNilReason));
    page.nilReason = std::string(kNoFittingsReason);
    page.Recalculate(port);
    EXPECT_EQ(page.depreciation, 0);
    EXPECT_TRUE(port.Shown(DepreciationPageLogic::kNilReason));
    EXPECT_EQ(port.Text(DepreciationPageLogic::kNilReason), std::string(kNoFittingsReason) + ".");
    // Fittings the owner bought new are deductible again once the box is ticked.
    page.offerBoughtNew = true;
    SetCheck(port, DepreciationPageLogic::kBoughtNew, 1);
    page.Click(port, DepreciationPageLogic::kBoughtNew);
    EXPECT_EQ(page.boughtNew, 1);
    EXPECT_EQ(page.depreciation, 3600);
    EXPECT_FALSE(port.Shown(DepreciationPageLogic::kNilReason));
}

// $VEL_SCREENSHOT_DIR/dialog-purchase-and-law.png: the page as a new user meets it, the worked
// example bought December 2026 under "Australia by income year". Skipped without it.
TEST(Screenshots, PurchaseAndLaw) {
    Scales scales;
    const QString dir = qEnvironmentVariable("VEL_SCREENSHOT_DIR");
    if (dir.isEmpty()) GTEST_SKIP() << "VEL_SCREENSHOT_DIR is not set";
    QDir().mkpath(dir);
    Investment doc;
    SetUpWorkedExample(doc);
    doc.TaxLaw = kAustraliaByIncomeYear;
    doc.PurchaseYear = 2026;
    doc.PurchaseMonth = 12;
    doc.Recalculate(scales);
    LawAssumptions law(doc, scales);
    SaleAssumptions sale(doc, scales);
    TaxRulesAssumptions taxRules(doc, scales);
    RentAssumptions rent(doc, scales);
    LoanAssumptions loan(doc, scales);
    LandTaxAssumptions landTax(doc, scales);
    AssumptionsSheet sheet(law, sale, taxRules, rent, loan, landTax, KeepingUi());
    sheet.show();
    QCoreApplication::processEvents();
    const QString path = QDir(dir).filePath(QStringLiteral("dialog-purchase-and-law.png"));
    EXPECT_TRUE(sheet.grab().save(path)) << path.toStdString();
}

} // namespace
