// The pages "Tax Rules", "Rent" and "Loan" of the sheet "Assumptions" as the user meets them,
// on the worked example, through the real frame: live figures, OK with undo and remembered
// defaults, and the projection table's column of the carried loss. The figures were worked out
// apart from the program (the loss of year 1 is its deductions of 37,730.13 less the rent of
// 17,836; the repayments are the annuities of 298,845.18 at 8.5 % over 20 and 25 years).
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <gtest/gtest.h>

#include "persist/Settings.h"
#include "tests/ui/dialogs/DialogTestSupport.h"
#include "tests/ui/shell/ShellTestSupport.h"
#include "tests/ui/workspace/WorkedExampleFrame.h"
#include "ui/dialogs/AssumptionEditors.h"
#include "ui/charts/ChartKind.h"
#include "app/MainWindow.h"
#include "ui/workspace/ProjectionTable.h"
#include "ui/workspace/Workspace.h"

namespace {

QString Figure(QDialog& d, int id) { return ControlOf<QLabel>(d, id)->text(); }

struct TaxRulesFrame : WorkedExampleFrame {
    // Runs the sheet on the page of this title; `act` closes it.
    void OnPage(const QString& title, std::function<void(QDialog&)> act) {
        OnNextDialog([title, act](QDialog& d) {
            QTabWidget* tabs = d.findChild<QTabWidget*>();
            for (int i = 0; i < tabs->count(); ++i)
                if (tabs->tabText(i) == title) tabs->setCurrentIndex(i);
            ASSERT_EQ(tabs->tabText(tabs->currentIndex()), title);
            act(d);
        });
        frame->Action("Assumptions")->trigger();
    }
};

TEST_F(TaxRulesFrame, CarryingLossesForwardShowsLiveAndKeepsWithUndoAndDefaults) {
    QString before, after;
    OnPage(QStringLiteral("Tax Rules"), [&](QDialog& d) {
        using C = TaxRulesAssumptions;
        before = Figure(d, C::kCarriedAtSale) + " " + Figure(d, C::kTaxSaving);
        EXPECT_FALSE(ControlOf<QLineEdit>(d, C::kFromYear)->isEnabled());
        ClickLikeUser(ControlOf<QCheckBox>(d, C::kCarryForward));
        EXPECT_TRUE(ControlOf<QLineEdit>(d, C::kFromYear)->isEnabled());
        after = Figure(d, C::kTaxSaving);
        OkButton(d)->click();
    });
    EXPECT_EQ(before, "$0 $6,267");
    EXPECT_EQ(after, "$0");

    Investment& doc = frame->Document();
    EXPECT_EQ(doc.LossTreatment, 1);
    EXPECT_NEAR(doc.CarriedLossByYear[0], 19894.13, 0.005);
    EXPECT_EQ(ReadSettingInt(store, "LossTreatment", -1), 1);
    ProjectionTable* table = dynamic_cast<Workspace*>(frame->Pane())->findChild<ProjectionTable*>();
    ASSERT_NE(table, nullptr);
    ASSERT_EQ(table->Model().columnCount(), ProjectionModel::kCarriedLossColumn + 1);
    EXPECT_EQ(table->Model().headerData(ProjectionModel::kCarriedLossColumn, Qt::Horizontal),
              QStringLiteral("Loss\ncarried"));
    EXPECT_EQ(table->Model().data(table->Model().index(0, ProjectionModel::kCarriedLossColumn)),
              QStringLiteral("$19,894"));

    frame->Action("Undo")->trigger();
    EXPECT_EQ(doc.LossTreatment, 0);
    EXPECT_EQ(doc.CarriedLossByYear[0], 0.0);
    EXPECT_EQ(table->Model().columnCount(), ProjectionModel::kCarriedLossColumn);
}

TEST_F(TaxRulesFrame, OkLimitsTheFirstYearOfTheRule) {
    OnPage(QStringLiteral("Tax Rules"), [&](QDialog& d) {
        ClickLikeUser(ControlOf<QCheckBox>(d, TaxRulesAssumptions::kCarryForward));
        Retype(ControlOf<QLineEdit>(d, TaxRulesAssumptions::kFromYear), QStringLiteral("99"));
        OkButton(d)->click();
    });
    EXPECT_EQ(frame->Document().LossRuleFromYear, 40);
}

TEST_F(TaxRulesFrame, RentGrowsByItsOwnRate) {
    QString last;
    OnPage(QStringLiteral("Rent and Expenses"), [&](QDialog& d) {
        using C = RentAssumptions;
        EXPECT_EQ(Figure(d, C::kRentLastYear), "$21,316");
        ClickLikeUser(ControlOf<QCheckBox>(d, C::kFollowsInflation));
        Retype(ControlOf<QLineEdit>(d, C::kRentGrowth), QStringLiteral("5"));
        ClickLikeUser(RecalculateOf(*ControlOf<QLineEdit>(d, C::kRentGrowth)->parentWidget()));
        last = Figure(d, C::kRentLastYear);
        OkButton(d)->click();
    });
    EXPECT_EQ(last, "$27,669");
    EXPECT_EQ(frame->Document().RentFollowsInflation, 0);
    EXPECT_EQ(frame->Document().RateRentGrowth, 5.0);
    EXPECT_EQ(ReadSettingDouble(store, "RateRentGrowth", -1), 5.0);
}

TEST_F(TaxRulesFrame, LoanPageShowsTheRepaymentBeforeAndAfter) {
    Scales& scales = frame->InvestmentScales();
    frame->Document().LoanType = 1;
    frame->Document().Recalculate(scales);
    QString figures;
    OnPage(QStringLiteral("Loan"), [&](QDialog& d) {
        using C = LoanAssumptions;
        QLineEdit* years = ControlOf<QLineEdit>(d, C::kInterestOnlyYears);
        EXPECT_TRUE(years->isEnabled());
        Retype(years, QStringLiteral("5"));
        ClickLikeUser(RecalculateOf(*years->parentWidget()));
        figures = Figure(d, C::kRepaymentBefore) + " " + Figure(d, C::kRepaymentAfter);
        OkButton(d)->click();
    });
    EXPECT_EQ(figures, "$2,117 $2,593");
    EXPECT_EQ(frame->Document().InterestOnlyYears, 5);
    EXPECT_NEAR(frame->Document().At(Row::Debt, 4), 298845.18, 0.005);
}

TEST_F(TaxRulesFrame, LoanPageTakesRateChangesAndExtraRepayments) {
    Scales& scales = frame->InvestmentScales();
    frame->Document().LoanType = 1;
    frame->Document().Recalculate(scales);
    QString periods, paidOff;
    OnPage(QStringLiteral("Loan"), [&](QDialog& d) {
        using C = LoanAssumptions;
        QLineEdit* year = ControlOf<QLineEdit>(d, C::kStepYear);
        Retype(year, QStringLiteral("3"));
        Retype(ControlOf<QLineEdit>(d, C::kStepRate), QStringLiteral("7"));
        ClickLikeUser(RecalculateOf(*year->parentWidget()));
        periods = Figure(d, C::kPeriods);
        // A blank year takes the change away again.
        Retype(year, QString());
        Retype(ControlOf<QLineEdit>(d, C::kExtraRepayment), QStringLiteral("1000"));
        ClickLikeUser(RecalculateOf(*year->parentWidget()));
        paidOff = Figure(d, C::kPaidOff);
        OkButton(d)->click();
    });
    // 298,845.18 at 8.5 % over 25 years, then the balance of 291,299.06 at 7 % over 23.
    EXPECT_EQ(periods, "Years 1-2: $2,406 / month at 8.50%; years 3-10: $2,126 / month at 7.00%.");
    EXPECT_EQ(paidOff, "The loan is repaid in year 12.");
    const Investment& doc = frame->Document();
    EXPECT_TRUE(doc.RateSteps.empty());
    EXPECT_EQ(doc.ExtraRepayment, 1000);
    EXPECT_EQ(doc.LoanPaidOffYear, 12);
    EXPECT_EQ(ReadSettingDouble(store, "ExtraRepayment", -1), 1000.0);
}

} // namespace
