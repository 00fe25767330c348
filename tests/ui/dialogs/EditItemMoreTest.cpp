// EditItem end to end for depreciation, loans, investor, results year, projections, linked
// variables and the breakdowns, offscreen: type, move the focus, press Recalculate, accept or
// cancel, then read the record and the settings store with the order of its writes.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <vector>

#include "format/Format.h"
#include "model/Investment.h"
#include "model/Scales.h"
#include "persist/Defaults.h"
#include "persist/SettingsStore.h"
#include "tests/ui/dialogs/DialogTestSupport.h"
#include "ui/dialogs/BreakdownDialogs.h"
#include "ui/dialogs/BreakdownEditors.h"
#include "ui/dialogs/DepreciationEditors.h"
#include "ui/dialogs/EditItem.h"
#include "ui/dialogs/ItemEditors.h"
#include "ui/dialogs/InvestorEditors.h"
#include "ui/dialogs/LoanEditors.h"
#include "ui/dialogs/NumEdit.h"

namespace {

using Strings = std::vector<std::string>;

struct EditItemMore : ::testing::Test {
    Scales scales;
    MemorySettingsStore store;
    Investment doc;
    void SetUp() override {
        NewInvestment(doc, scales, store);
        doc.Price = doc.MarketValue = 300000;
        doc.Rent = 350;
        doc.Recalculate(scales);
        store.log.clear();
    }

    void Edit(unsigned item, std::function<void(QDialog&)> act) {
        OnNextDialog(std::move(act));
        EditItem(doc, scales, store, KeepingUi(), item, nullptr);
    }
    // Every field of the record and the whole table.
    std::vector<double> Snapshot() const {
        std::vector<double> v = {doc.Price,
                                 doc.StampDutyCost,
                                 doc.PurchaseCosts,
                                 double(doc.UseSDScale),
                                 doc.CashDeposit,
                                 doc.DepositPC,
                                 double(doc.CalcDeposit),
                                 double(doc.CalcLoanCosts),
                                 doc.LoanCosts,
                                 doc.LoanCostsPC,
                                 double(doc.LCYears),
                                 double(doc.LoanType),
                                 doc.RateInterest,
                                 doc.AdditionalLoan,
                                 doc.LoanAmount,
                                 double(doc.LoanTerm),
                                 doc.TotalCost,
                                 doc.Expenses,
                                 double(doc.CalcExpenses),
                                 double(doc.CalcDepFitt),
                                 doc.DepFittPC,
                                 doc.DepFittValue,
                                 doc.DepFittRate,
                                 double(doc.DepFittMethod),
                                 double(doc.CalcDepBuild),
                                 doc.DepBuildPC,
                                 doc.DepBuildValue,
                                 doc.DepBuildRate,
                                 double(doc.DepBuildMethod),
                                 doc.TaxableHim,
                                 doc.TaxableHer,
                                 double(doc.NamesOnTitle),
                                 doc.RateGrowth,
                                 doc.RateInfl,
                                 double(doc.ShowYear),
                                 double(doc.ProjectionYear),
                                 doc.AvgCashFlowWeek,
                                 doc.IRR,
                                 doc.NPV};
        v.insert(v.end(), doc.table.begin(), doc.table.end());
        return v;
    }
};

template <class W> W* In(QWidget& d, int id) {
    W* w = ControlOf<W>(d, id);
    EXPECT_NE(w, nullptr) << "control " << id;
    return w;
}
QLineEdit* EditOf(QWidget& d, int id) {
    return In<QLineEdit>(d, id);
}
QString Figure(QWidget& d, int id) {
    return In<QLabel>(d, id)->text();
}
// Moves the focus on to `next`, as the Tab key or a tap on another field does.
void MoveFocusTo(QWidget* next) {
    next->setFocus(Qt::TabFocusReason);
}
void Recalculate(QWidget& d) {
    ClickLikeUser(RecalculateOf(d));
}
QString Money(double v, const char* format = "0,m") {
    return QString::fromStdString(FormatValue(v, format));
}

} // namespace

// --- "Depreciation" ---

TEST_F(EditItemMore, DepreciationTypedBuildingValueLeavesFittingsAsTheyCame) {
    doc.DepFittValue = 12345.678; // unlinked and off its percentage: must come back unchanged
    doc.CalcDepFitt = 0;
    const double fittingsPC = doc.DepFittPC;
    Edit(ItemDepreciation, [](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Depreciation"));
        auto* tabs = d.findChild<QTabWidget*>();
        EXPECT_EQ(tabs->currentIndex(), 0);
        EXPECT_EQ(tabs->tabText(0), QStringLiteral("Building"));
        EXPECT_EQ(tabs->tabText(1), QStringLiteral("Fittings"));
        QWidget& page = *tabs->widget(0);
        EXPECT_EQ(Figure(page, DepreciationPageLogic::kPropertyCost), QStringLiteral("300,000"));
        EXPECT_EQ(Figure(page, DepreciationPageLogic::kDepreciation), QStringLiteral("3,750"));
        EXPECT_EQ(In<QComboBox>(page, DepreciationPageLogic::kMethod)->currentText(),
                  QStringLiteral("Straight line"));
        Retype(EditOf(page, DepreciationPageLogic::kDepreciableValue), QStringLiteral("120000"));
        MoveFocusTo(EditOf(page, DepreciationPageLogic::kDepreciationRate));
        EXPECT_FALSE(In<QCheckBox>(page, DepreciationPageLogic::kValueLink)->isChecked());
        EXPECT_FALSE(EditOf(page, DepreciationPageLogic::kPercentOfCost)->isVisible());
        EXPECT_EQ(EditOf(page, DepreciationPageLogic::kPercentOfCost)->text(), QStringLiteral("40.00%"));
        EXPECT_EQ(Figure(page, DepreciationPageLogic::kDepreciation), QStringLiteral("3,000"));
        Retype(EditOf(page, DepreciationPageLogic::kDepreciationRate), QStringLiteral("4"));
        MoveFocusTo(In<QComboBox>(page, DepreciationPageLogic::kMethod));
        EXPECT_EQ(Figure(page, DepreciationPageLogic::kDepreciation), QStringLiteral("3,000"));
        Recalculate(page);
        EXPECT_EQ(Figure(page, DepreciationPageLogic::kDepreciation), QStringLiteral("4,800"));
        auto* method = In<QComboBox>(page, DepreciationPageLogic::kMethod);
        method->setCurrentIndex(0);
        emit method->activated(0);
        OkButton(d)->click();
    });
    EXPECT_EQ(doc.DepBuildValue, 120000);
    EXPECT_EQ(doc.CalcDepBuild, 0);
    EXPECT_EQ(doc.DepBuildPC, 40);
    EXPECT_EQ(doc.DepBuildRate, 4);
    EXPECT_EQ(doc.DepBuildMethod, 0);
    EXPECT_EQ(doc.DepFittValue, 12345.678);
    EXPECT_EQ(doc.DepFittPC, fittingsPC);
    EXPECT_EQ(doc.CalcDepFitt, 0);
    EXPECT_EQ(doc.At(Row::BuildingDep, 0), 4800); // recalculated
    EXPECT_EQ(store.log,
              (Strings{"SettingsFile/CalcDepFitt=0", "SettingsFile/CalcDepBuild=0",
                       "SettingsFile/DepFittPC=6.00", "SettingsFile/DepFittRate=20.00",
                       "SettingsFile/DepFittMethod=0", "SettingsFile/DepBuildPC=40.00",
                       "SettingsFile/DepBuildRate=4.00", "SettingsFile/DepBuildMethod=0"}));
}

// The page links the fittings as the recalculation does: Price x percent + Furniture.
TEST_F(EditItemMore, DepreciationFittingsLinkedAfterAcceptance) {
    doc.Price = 400000;
    doc.Furniture = 10000;
    doc.CalcDepFitt = 0;
    doc.DepFittValue = 0;
    doc.Recalculate(scales);
    Edit(ItemDepreciation, [](QDialog& d) {
        auto* tabs = d.findChild<QTabWidget*>();
        tabs->setCurrentIndex(1);
        QWidget& page = *tabs->widget(1);
        EXPECT_EQ(Figure(page, DepreciationPageLogic::kPropertyCost), QStringLiteral("410,000"));
        ClickLikeUser(In<QCheckBox>(page, DepreciationPageLogic::kValueLink));
        EXPECT_EQ(EditOf(page, DepreciationPageLogic::kDepreciableValue)->text(), QStringLiteral("34,000"));
        Retype(EditOf(page, DepreciationPageLogic::kDepreciationRate), QStringLiteral("15"));
        auto* method = In<QComboBox>(page, DepreciationPageLogic::kMethod);
        method->setCurrentIndex(1);
        emit method->activated(1);
        OkButton(d)->click();
    });
    EXPECT_EQ(doc.CalcDepFitt, 1);
    EXPECT_EQ(doc.DepFittValue, 34000);
    EXPECT_EQ(doc.DepFittRate, 15);
    EXPECT_EQ(doc.DepFittMethod, 1);
    EXPECT_EQ(store.log[0], "SettingsFile/CalcDepFitt=1");
    EXPECT_EQ(store.log[2], "SettingsFile/DepFittPC=6.00");
    EXPECT_EQ(store.log[3], "SettingsFile/DepFittRate=15.00");
    EXPECT_EQ(store.log[4], "SettingsFile/DepFittMethod=1");
}

// --- "Loan Amount", "Loan Type", "Loan Costs" ---

TEST_F(EditItemMore, LoanAmountBorrowsFromTheDeposit) {
    Edit(ItemLoanDetails, [](QDialog& d) {
        EXPECT_EQ(Figure(d, LoanAmountLogic::kTotalCost), QStringLiteral("314,341"));
        EXPECT_EQ(Figure(d, LoanAmountLogic::kCashDeposit), QStringLiteral("15,496"));
        EXPECT_EQ(Figure(d, LoanAmountLogic::kDeficit), QStringLiteral("298,845"));
        EXPECT_EQ(EditOf(d, LoanAmountLogic::kLoanAmount)->text(), QStringLiteral("298,845"));
        Retype(EditOf(d, LoanAmountLogic::kLoanAmount), QStringLiteral("305000"));
        Recalculate(d);
        EXPECT_EQ(Figure(d, LoanAmountLogic::kCashDeposit), QStringLiteral("9,341"));
        EXPECT_EQ(Figure(d, LoanAmountLogic::kDeficit), QStringLiteral("305,000"));
        EXPECT_EQ(Figure(d, LoanAmountLogic::kAdditionalLoan), QStringLiteral("0"));
        OkButton(d)->click();
    });
    EXPECT_NEAR(doc.CashDeposit, 9341.43125, 1e-6);
    EXPECT_EQ(doc.CalcDeposit, 0);
    EXPECT_EQ(doc.AdditionalLoan, 0);
    // The loan costs follow the larger deficit, and with them the loan.
    EXPECT_NEAR(doc.LoanCosts, (309925 - 9341.43125) * 0.015, 1e-6);
    EXPECT_NEAR(doc.LoanAmount, 309925 + doc.LoanCosts - 9341.43125, 1e-6);
    EXPECT_EQ(store.log, (Strings{"SettingsFile/CalcDeposit=0"}));
}

// The worked example switched to principal and interest over 25 years.
TEST_F(EditItemMore, LoanTypePrincipalAndInterestWorkedExample) {
    Edit(ItemLoanType, [](QDialog& d) {
        EXPECT_EQ(Figure(d, LoanTypeLogic::kLoanAmount), QStringLiteral("$298,845"));
        EXPECT_EQ(Figure(d, LoanTypeLogic::kRepayment), QStringLiteral("$2,117"));
        EXPECT_FALSE(EditOf(d, LoanTypeLogic::kTerm)->isVisible());
        ClickLikeUser(In<QRadioButton>(d, LoanTypeLogic::kPrincipalInterest));
        EXPECT_TRUE(EditOf(d, LoanTypeLogic::kTerm)->isVisible());
        EXPECT_TRUE(In<QLabel>(d, LoanTypeLogic::kTermLabel)->isVisible());
        EXPECT_EQ(EditOf(d, LoanTypeLogic::kTerm)->text(), QStringLiteral("25yr"));
        EXPECT_EQ(Figure(d, LoanTypeLogic::kRepayment), QStringLiteral("$2,406"));
        Retype(EditOf(d, LoanTypeLogic::kTerm), QStringLiteral("0"));
        MoveFocusTo(EditOf(d, LoanTypeLogic::kInterestRate));
        EXPECT_EQ(Figure(d, LoanTypeLogic::kRepayment), QStringLiteral("?????"));
        Retype(EditOf(d, LoanTypeLogic::kTerm), QStringLiteral("24.5"));
        Recalculate(d);
        EXPECT_EQ(EditOf(d, LoanTypeLogic::kTerm)->text(), QStringLiteral("25yr"));
        EXPECT_EQ(Figure(d, LoanTypeLogic::kRepayment), QStringLiteral("$2,406"));
        OkButton(d)->click();
    });
    EXPECT_EQ(doc.LoanType, 1);
    EXPECT_EQ(doc.LoanTerm, 25);
    EXPECT_NEAR(LoanRepayment(doc.LoanAmount, doc.LoanTerm, doc.RateInterest, 12), 2406.38, 0.005);
    EXPECT_NEAR(doc.At(Row::PrincipalPaid, 0), 3613.37, 0.005);
    EXPECT_NEAR(doc.IRR, 11.97, 0.005);
    EXPECT_NEAR(doc.NPV, 83217, 1);
    EXPECT_EQ(store.log, (Strings{"SettingsFile/LoanType=1", "SettingsFile/RateInterest=8.50",
                                  "SettingsFile/LoanTerm=25"}));
}

TEST_F(EditItemMore, LoanTypeOkTakesPendingRateAndTerm) {
    doc.LoanType = 1;
    doc.Recalculate(scales);
    Edit(ItemLoanType, [](QDialog& d) {
        EXPECT_TRUE(In<QRadioButton>(d, LoanTypeLogic::kPrincipalInterest)->isChecked());
        Retype(EditOf(d, LoanTypeLogic::kInterestRate), QStringLiteral("6.5"));
        Retype(EditOf(d, LoanTypeLogic::kTerm), QStringLiteral("24.4"));
        OkButton(d)->click(); // OK does not leave the term field first
    });
    EXPECT_EQ(doc.RateInterest, 6.5);
    EXPECT_EQ(doc.LoanTerm, 24);
    EXPECT_EQ(store.log, (Strings{"SettingsFile/LoanType=1", "SettingsFile/RateInterest=6.50",
                                  "SettingsFile/LoanTerm=24"}));
}

TEST_F(EditItemMore, LoanCostsWriteOffPeriodIsLimited) {
    Edit(ItemLoanCosts, [](QDialog& d) {
        EXPECT_EQ(Figure(d, LoanCostsLogic::kOtherCosts), QStringLiteral("9,925"));
        EXPECT_EQ(Figure(d, LoanCostsLogic::kDeficit), QStringLiteral("294,429"));
        EXPECT_EQ(EditOf(d, LoanCostsLogic::kWriteOffYears)->text(), QStringLiteral("5"));
        Retype(EditOf(d, LoanCostsLogic::kWriteOffYears), QStringLiteral("4.7"));
        OkButton(d)->click();
    });
    EXPECT_EQ(doc.LCYears, 4);
    EXPECT_NEAR(doc.At(Row::LoanCostWriteOff, 3), doc.LoanCosts / 4, 1e-9);
    EXPECT_EQ(doc.At(Row::LoanCostWriteOff, 4), 0);
    EXPECT_EQ(store.log, (Strings{"SettingsFile/LCYears=4", "SettingsFile/LoanCostsPC=1.50",
                                  "SettingsFile/CalcLoanCosts=1"}));

    // Text that is no number: the period becomes 1 and the editor shows it next time.
    store.log.clear();
    Edit(ItemLoanCosts, [](QDialog& d) {
        Retype(EditOf(d, LoanCostsLogic::kWriteOffYears), QStringLiteral("abc"));
        EXPECT_EQ(EditOf(d, LoanCostsLogic::kWriteOffYears)->text(), QStringLiteral("abc"));
        OkButton(d)->click();
    });
    EXPECT_EQ(doc.LCYears, 1);
    EXPECT_EQ(doc.At(Row::LoanCostWriteOff, 0), doc.LoanCosts);
    EXPECT_EQ(store.log.front(), "SettingsFile/LCYears=1");
    Edit(ItemLoanCosts, [](QDialog& d) {
        EXPECT_EQ(EditOf(d, LoanCostsLogic::kWriteOffYears)->text(), QStringLiteral("1"));
        Retype(EditOf(d, LoanCostsLogic::kWriteOffYears), QStringLiteral("-2"));
        OkButton(d)->click();
    });
    EXPECT_EQ(doc.LCYears, 1);
}

TEST_F(EditItemMore, LoanCostsTypedAmountUnlinks) {
    Edit(ItemLoanCosts, [](QDialog& d) {
        Retype(EditOf(d, LoanCostsLogic::kLoanCosts), QStringLiteral("3000"));
        Recalculate(d); // leaves the amount field
        EXPECT_FALSE(In<QCheckBox>(d, LoanCostsLogic::kCostsLink)->isChecked());
        EXPECT_FALSE(EditOf(d, LoanCostsLogic::kPercentOfDeficit)->isVisible());
        OkButton(d)->click();
    });
    EXPECT_EQ(doc.CalcLoanCosts, 0);
    EXPECT_EQ(doc.LoanCosts, 3000);
    EXPECT_EQ(store.log, (Strings{"SettingsFile/LCYears=5", "SettingsFile/LoanCostsPC=1.02",
                                  "SettingsFile/CalcLoanCosts=0"}));
}

// --- "Investor Details", "Specify Results Year", "Annual Projections" ---

TEST_F(EditItemMore, InvestorJointNames) {
    Edit(ItemInvestor, [](QDialog& d) {
        EXPECT_TRUE(In<QRadioButton>(d, InvestorDetailsLogic::kSingleName)->isChecked());
        ClickLikeUser(In<QRadioButton>(d, InvestorDetailsLogic::kJointNames));
        Retype(EditOf(d, InvestorDetailsLogic::kPartnerIncome), QStringLiteral("25k"));
        Recalculate(d);
        EXPECT_EQ(EditOf(d, InvestorDetailsLogic::kPartnerIncome)->text(), QStringLiteral("25,000"));
        EXPECT_TRUE(In<QRadioButton>(d, InvestorDetailsLogic::kJointNames)->isChecked());
        OkButton(d)->click();
    });
    EXPECT_EQ(doc.NamesOnTitle, 2);
    EXPECT_EQ(doc.TaxableHer, 25000);
    EXPECT_EQ(store.log,
              (Strings{"SettingsFile/TaxableHim=47000.00", "SettingsFile/TaxableHer=25000.00",
                       "SettingsFile/NamesOnTitle=2"}));
    Edit(ItemInvestor, [](QDialog& d) {
        EXPECT_TRUE(In<QRadioButton>(d, InvestorDetailsLogic::kJointNames)->isChecked());
        CancelButton(d)->click();
    });
}

TEST_F(EditItemMore, ResultsYearUntouchedStillRecalculatesAndWrites) {
    doc.ShowYear = 7;
    Edit(ItemResults, [](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Specify Results Year"));
        EXPECT_EQ(RecalculateOf(d), nullptr);
        EXPECT_EQ(EditOf(d, ResultsYearLogic::kResultsYear)->text(), QStringLiteral("7yr"));
        OkButton(d)->click();
    });
    EXPECT_EQ(doc.ShowYear, 7);
    EXPECT_EQ(store.log, (Strings{"SettingsFile/ShowYear=7"}));

    Edit(ItemResults, [](QDialog& d) {
        Retype(EditOf(d, ResultsYearLogic::kResultsYear), QStringLiteral("99"));
        OkButton(d)->click();
    });
    EXPECT_EQ(doc.ShowYear, 40);
    Edit(ItemResults, [](QDialog& d) {
        EXPECT_EQ(EditOf(d, ResultsYearLogic::kResultsYear)->text(), QStringLiteral("40yr"));
        CancelButton(d)->click();
    });
}

// The menu command and the summary row open the same editor through EditItem.
TEST_F(EditItemMore, ProjectionsFromTheMenu) {
    const double irr10 = doc.IRR;
    OnNextDialog([](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Annual Projections"));
        EXPECT_EQ(EditOf(d, ProjectionsLogic::kUpperLimit)->text(), QStringLiteral("10yr"));
        Retype(EditOf(d, ProjectionsLogic::kUpperLimit), QStringLiteral("11.5"));
        Retype(EditOf(d, ProjectionsLogic::kGrowthRate), QStringLiteral("5"));
        Recalculate(d);
        EXPECT_EQ(EditOf(d, ProjectionsLogic::kUpperLimit)->text(), QStringLiteral("12yr"));
        EXPECT_EQ(EditOf(d, ProjectionsLogic::kGrowthRate)->text(), QStringLiteral("5.00%"));
        OkButton(d)->click();
    });
    EditItem(doc, scales, store, KeepingUi(), ItemProjections, nullptr);
    EXPECT_EQ(doc.ProjectionYear, 12);
    EXPECT_EQ(doc.RateGrowth, 5);
    EXPECT_NE(doc.IRR, irr10);
    EXPECT_EQ(store.log, (Strings{"SettingsFile/RateGrowth=5.00", "SettingsFile/RateInfl=2.00",
                                  "SettingsFile/ProjectionYear=12"}));

    for (auto [typed, years] : {std::pair{"0", 1}, {"99", 40}}) {
        Edit(ItemProjections, [typed](QDialog& d) {
            Retype(EditOf(d, ProjectionsLogic::kUpperLimit), QString::fromLatin1(typed));
            Recalculate(d); // shows the typed number; OK limits it
            EXPECT_EQ(EditOf(d, ProjectionsLogic::kUpperLimit)->text(),
                      QString::fromLatin1(typed) + QStringLiteral("yr"));
            OkButton(d)->click();
        });
        EXPECT_EQ(doc.ProjectionYear, years);
        EXPECT_EQ(store.log.back(), "SettingsFile/ProjectionYear=" + std::to_string(years));
    }
    Edit(ItemProjections, [](QDialog& d) {
        EXPECT_EQ(EditOf(d, ProjectionsLogic::kUpperLimit)->text(), QStringLiteral("40yr"));
        CancelButton(d)->click();
    });
}

// --- "Specify Linked Variables" ---

TEST_F(EditItemMore, LinkedVariablesStampDutyFollowsTheScaleAgain) {
    doc.UseSDScale = 0;
    doc.StampDutyCost = 5000;
    doc.Recalculate(scales);
    OnNextDialog([](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Specify Linked Variables"));
        auto* duty = In<QCheckBox>(d, LinkedVariablesLogic::kStampDuty);
        EXPECT_EQ(duty->text(), QStringLiteral("Stamp duty (fn of price)"));
        EXPECT_FALSE(duty->isChecked());
        EXPECT_TRUE(In<QCheckBox>(d, LinkedVariablesLogic::kExpenses)->isChecked());
        ClickLikeUser(duty);
        ClickLikeUser(In<QCheckBox>(d, LinkedVariablesLogic::kFittingsValue));
        OkButton(d)->click();
    });
    EditLinkedVariables(doc, scales, store, KeepingUi(), nullptr);
    EXPECT_EQ(doc.UseSDScale, 1);
    EXPECT_EQ(doc.StampDutyCost, 8975);
    EXPECT_EQ(doc.CalcDepFitt, 0);
    EXPECT_EQ(store.log, (Strings{"SettingsFile/UseSDScale=1", "SettingsFile/CalcDeposit=1",
                                  "SettingsFile/CalcLoanCosts=1", "SettingsFile/CalcExpenses=1",
                                  "SettingsFile/CalcDepFitt=0", "SettingsFile/CalcDepBuild=1"}));
}

// --- the breakdowns ---

TEST_F(EditItemMore, BreakdownsStepThroughTheYearsAndChangeNothing) {
    doc.ShowYear = 10;
    doc.Recalculate(scales);
    const auto before = Snapshot();
    for (bool ok : {true, false}) {
        Edit(ItemTaxSavings, [this, ok](QDialog& d) {
            EXPECT_EQ(d.windowTitle(), QStringLiteral("Tax Savings"));
            EXPECT_EQ(Figure(d, TaxSavingsLogic::kYear), QStringLiteral("1yr"));
            EXPECT_EQ(Figure(d, TaxSavingsLogic::kOwnership), QStringLiteral("Single"));
            auto* spin = d.findChild<QSpinBox*>();
            ASSERT_NE(spin, nullptr);
            EXPECT_EQ(spin->value(), 1);
            spin->stepDown();
            EXPECT_EQ(Figure(d, TaxSavingsLogic::kYear), QStringLiteral("1yr"));
            for (int year = 2; year <= 40; ++year) {
                spin->stepUp();
                ASSERT_EQ(Figure(d, TaxSavingsLogic::kYear), Money(year, "0y"));
                ASSERT_EQ(Figure(d, TaxSavingsLogic::kTaxSaving),
                          Money(doc.At(Row::TaxSaving, year - 1)));
            }
            spin->stepUp();
            EXPECT_EQ(Figure(d, TaxSavingsLogic::kYear), QStringLiteral("40yr"));
            if (ok)
                OkButton(d)->click();
            else
                CancelButton(d)->click();
        });
        Edit(ItemCashFlowYear, [this, ok](QDialog& d) {
            EXPECT_EQ(d.windowTitle(), QStringLiteral("After-tax Cash Flow"));
            EXPECT_EQ(Figure(d, AfterTaxCashLogic::kYear), QStringLiteral("1yr"));
            auto* spin = d.findChild<QSpinBox*>();
            spin->setValue(10); // typed into the spin
            EXPECT_EQ(Figure(d, AfterTaxCashLogic::kAfterTaxCash), Money(doc.At(Row::AfterTaxCash, 9)));
            EXPECT_EQ(Figure(d, AfterTaxCashLogic::kPreTaxCash), Money(doc.At(Row::PreTaxCash, 9)));
            if (ok)
                OkButton(d)->click();
            else
                SendKey(QApplication::focusWidget(), Qt::Key_Escape, "\x1b");
        });
    }
    EXPECT_EQ(Snapshot(), before);
    EXPECT_TRUE(store.log.empty());
}

TEST_F(EditItemMore, TaxSavingsJointNames) {
    doc.NamesOnTitle = 2;
    doc.Recalculate(scales);
    Edit(ItemTaxSavings, [this](QDialog& d) {
        EXPECT_EQ(Figure(d, TaxSavingsLogic::kOwnership), QStringLiteral("Joint"));
        EXPECT_EQ(Figure(d, TaxSavingsLogic::kPresentTaxable), QStringLiteral("66,000"));
        EXPECT_EQ(Figure(d, TaxSavingsLogic::kTaxSaving), Money(doc.At(Row::TaxSaving, 0)));
        OkButton(d)->click();
    });
}

// The year moves one step at a time, whatever key steps it.
TEST_F(EditItemMore, BreakdownYearStepsOneYearAtATime) {
    Edit(ItemCashFlowYear, [](QDialog& d) {
        auto* spin = d.findChild<QSpinBox*>(QStringLiteral("yearSpin"));
        ASSERT_NE(spin, nullptr);
        spin->setFocus();
        const struct { Qt::Key key; int year; } steps[] = {
            {Qt::Key_PageUp, 2}, {Qt::Key_Up, 3}, {Qt::Key_PageUp, 4}, {Qt::Key_PageDown, 3}};
        for (const auto& s : steps) {
            SendKey(spin, s.key, QString());
            EXPECT_EQ(spin->value(), s.year) << s.key;
        }
        OkButton(d)->click();
    });
}

// --- every way out without OK, and bad text in every field ---

TEST_F(EditItemMore, CancelAndEscapeChangeNothing) {
    const auto before = Snapshot();
    for (unsigned item : {ItemDepreciation, ItemLoanDetails, ItemLoanType, ItemLoanCosts,
                          ItemInvestor, ItemResults, ItemProjections}) {
        for (bool escape : {false, true}) {
            Edit(item, [escape](QDialog& d) {
                for (QLineEdit* edit : d.findChildren<QLineEdit*>())
                    if (edit->isVisible() && !qobject_cast<QSpinBox*>(edit->parent()))
                        Retype(edit, QStringLiteral("1234"));
                for (QAbstractButton* recalculate :
                     d.findChildren<QAbstractButton*>(QStringLiteral("recalculate")))
                    if (recalculate->isVisible()) ClickLikeUser(recalculate);
                if (escape)
                    SendKey(QApplication::focusWidget(), Qt::Key_Escape, "\x1b");
                else
                    CancelButton(d)->click();
            });
            EXPECT_EQ(Snapshot(), before) << "item " << item;
        }
    }
    OnNextDialog([](QDialog& d) {
        ClickLikeUser(In<QCheckBox>(d, LinkedVariablesLogic::kStampDuty));
        CancelButton(d)->click();
    });
    EditLinkedVariables(doc, scales, store, KeepingUi(), nullptr);
    EXPECT_EQ(Snapshot(), before);
    EXPECT_TRUE(store.log.empty());
}

// Letters are refused in every number field; the write-off period is a plain text field whose
// text, if no number, gives 1 year. Whatever is accepted, the table stays finite.
TEST_F(EditItemMore, BadTextInEveryField) {
    int fields = 0;
    for (unsigned item : {ItemDepreciation, ItemLoanDetails, ItemLoanType, ItemLoanCosts,
                          ItemInvestor, ItemResults, ItemProjections}) {
        Edit(item, [&fields](QDialog& d) {
            for (NumEdit* edit : d.findChildren<NumEdit*>()) {
                if (!edit->isVisible()) continue;
                ++fields;
                edit->setFocus(Qt::MouseFocusReason);
                const QString shown = edit->text();
                edit->end(false);
                TypeKeys(edit, QStringLiteral("abc?"));
                EXPECT_EQ(edit->text(), shown);
            }
            CancelButton(d)->click();
        });
    }
    // "Fittings" never shown; the term and the interest-only years hidden; the loan as an
    // amount and as a share of the price.
    EXPECT_EQ(fields, 3 + 2 + 1 + 2 + 2 + 1 + 3);

    // What the keys let through but is no number ("-", "$", "k" alone) and numbers far out of
    // range.
    for (const char* typed : {"-", "$", "k", "99999999999", "-99999999999", "1.5m%"}) {
        SCOPED_TRACE(typed);
        const QString text = QString::fromLatin1(typed);
        for (unsigned item : {ItemDepreciation, ItemLoanDetails, ItemLoanType, ItemLoanCosts,
                              ItemInvestor, ItemResults, ItemProjections}) {
            Edit(item, [&text](QDialog& d) {
                for (QRadioButton* r : d.findChildren<QRadioButton*>())
                    if (r->text().startsWith(QStringLiteral("Principal"))) ClickLikeUser(r);
                for (QLineEdit* edit : d.findChildren<QLineEdit*>())
                    if (edit->isVisible() && !qobject_cast<QSpinBox*>(edit->parent()))
                        Retype(edit, text);
                if (QAbstractButton* recalculate = RecalculateOf(d)) ClickLikeUser(recalculate);
                OkButton(d)->click();
            });
        }
        EXPECT_GE(doc.LCYears, 1);
        EXPECT_GE(doc.ProjectionYear, 1);
        EXPECT_LE(doc.ProjectionYear, 40);
        EXPECT_GE(doc.ShowYear, 1);
        EXPECT_LE(doc.ShowYear, 40);
        for (unsigned item : {ItemTaxSavings, ItemCashFlowYear})
            Edit(item, [](QDialog& d) {
                d.findChild<QSpinBox*>()->setValue(40);
                OkButton(d)->click();
            });
    }
}
