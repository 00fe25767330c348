#include "ui/dialogs/AssumptionDialogs.h"

#include <initializer_list>

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTabWidget>

#include "model/Investment.h"
#include "model/LandTax.h"
#include "model/Law.h"
#include "persist/Settings.h"
#include "ui/dialogs/AssumptionEditors.h"
#include "ui/dialogs/ItemEditors.h"

namespace {

// A figure of a whole line, its text wrapped.
void AddNote(EditorForm& f, int id) {
    QLabel* note = f.Figure(id);
    note->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    note->setWordWrap(true);
    f.Rows()->addRow(note);
}

} // namespace

AssumptionsSheet::AssumptionsSheet(LawAssumptions& law, SaleAssumptions& sale,
                                   TaxRulesAssumptions& taxRules, RentAssumptions& rent,
                                   LoanAssumptions& loan, LandTaxAssumptions& landTax,
                                   DocumentUi& ui, QWidget* parent)
    : EditorSheet(QStringLiteral("Assumptions"), ui, parent) {
    const std::vector<AssumptionPage*> pages = {&law, &sale, &taxRules, &rent, &loan, &landTax};
    for (AssumptionPage* page : pages) page->ShareWith({pages.begin(), pages.end()});
    {
        using C = LawAssumptions;
        EditorForm& f = AddPage(law, QStringLiteral("Purchase and Law"));
        QStringList laws;
        for (std::string_view name : kTaxLawNames)
            laws << QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
        const QStringList months = {
            QStringLiteral("January"), QStringLiteral("February"), QStringLiteral("March"),
            QStringLiteral("April"),   QStringLiteral("May"),      QStringLiteral("June"),
            QStringLiteral("July"),    QStringLiteral("August"),   QStringLiteral("September"),
            QStringLiteral("October"), QStringLiteral("November"), QStringLiteral("December")};
        f.Rows()->addRow(QStringLiteral("Tax law:"), f.DropDown(C::kTaxLaw, laws));
        f.Rows()->addRow(QStringLiteral("Purchase month:"), f.DropDown(C::kPurchaseMonth, months));
        f.Rows()->addRow(QStringLiteral("Purchase year:"), f.NumberEdit(C::kPurchaseYear, "0"));
        f.Rows()->addRow(QStringLiteral("Dwelling:"),
                         f.DropDown(C::kDwelling, {QStringLiteral("Established"),
                                                   QStringLiteral("New build")}));
        f.AddCheckRow(C::kThresholdsGrow, QStringLiteral("Thresholds grow with inflation"))
            ->setToolTip(QStringLiteral("After the last income year built in"));
        f.Rows()->addRow(QStringLiteral("Capital gains switch month:"),
                         f.DropDown(C::kSwitchMonth, months));
        f.Rows()->addRow(QStringLiteral("Capital gains switch year:"),
                         f.NumberEdit(C::kSwitchYear, "0"));
        f.AddNumberRow(C::kMinimumTax, QStringLiteral("Minimum tax on the gain:"), kPercentFormat)
            ->setToolTip(QStringLiteral("On the gain after the switch"));
        f.AddNumberRow(C::kBrightLine, QStringLiteral("Bright-line period (years):"), "0.00")
            ->setToolTip(QStringLiteral("A sale within it is taxed on the whole gain"));
        for (int id : {C::kIncomeYears, C::kLosses, C::kFittingsNil, C::kBuildingNil})
            AddNote(f, id);
        f.AddFigureRows({{C::kSaleTax, "Capital gains tax:"}, {C::kTopUp, "Minimum tax top-up:"},
                         {C::kIRRAfter, "IRR after sale:"}});
        f.AddRecalculateRow();
    }
    {
        using C = SaleAssumptions;
        EditorForm& f = AddPage(sale, QStringLiteral("Sale"));
        f.AddNumberRow(C::kSellingCosts, QStringLiteral("Selling costs:"), kPercentFormat)
            ->setToolTip(QStringLiteral("Agent and marketing, as a share of the sale price"));
        f.AddNumberRow(C::kDiscount, QStringLiteral("Discount on the gain:"), kPercentFormat)
            ->setToolTip(
                QStringLiteral("The capital gains discount for a property held a year or more"));
        AddNote(f, C::kHeld);
        f.AddFigureRows({{C::kSalePrice, "Sale price:"}, {C::kSaleCosts, "Cost of selling:"},
                         {C::kCostBase, "Cost base:"}, {C::kGain, "Capital gain:"},
                         {C::kTaxableGain, "Taxable gain:"}, {C::kSaleTax, "Capital gains tax:"},
                         {C::kValueAfter, "Value after sale:"}, {C::kIRRAfter, "IRR after sale:"},
                         {C::kNPVAfter, "NPV after sale:"}});
        f.AddRecalculateRow();
    }
    {
        using C = TaxRulesAssumptions;
        EditorForm& f = AddPage(taxRules, QStringLiteral("Tax Rules"));
        f.AddCheckRow(C::kCarryForward, QStringLiteral("Carry rental losses forward"))
            ->setToolTip(QStringLiteral(
                "A loss reduces later rental profits and the gain on sale, not other income"));
        f.AddNumberRow(C::kFromYear, QStringLiteral("From year:"), "0")
            ->setToolTip(QStringLiteral("The first year of the projections under this rule"));
        f.AddFigureRows({{C::kCarriedAtSale, "Loss carried at sale:"},
                         {C::kTaxSaving, "Tax savings in the results year:"},
                         {C::kTaxableGain, "Taxable gain on sale:"}, {C::kIRR, "IRR:"}});
        f.AddRecalculateRow();
    }
    {
        using C = RentAssumptions;
        EditorForm& f = AddPage(rent, QStringLiteral("Rent and Expenses"));
        f.AddCheckRow(C::kFollowsInflation, QStringLiteral("Rent follows inflation"));
        f.AddNumberRow(C::kRentGrowth, QStringLiteral("Rent growth:"), kPercentFormat)
            ->setToolTip(QStringLiteral("How much the rent rises each year"));
        f.AddFigureRow(C::kRentLastYear, QStringLiteral("Rent in the last year:"));
        f.AddCheckRow(C::kExpensesFollowInflation, QStringLiteral("Expenses follow inflation"));
        f.AddNumberRow(C::kExpensesGrowth, QStringLiteral("Expenses growth:"), kPercentFormat)
            ->setToolTip(QStringLiteral("How much the expenses rise each year"));
        f.AddFigureRow(C::kExpensesLastYear, QStringLiteral("Expenses in the last year:"));
        f.AddFigureRow(C::kIRR, QStringLiteral("IRR:"));
        f.AddRecalculateRow();
    }
    {
        using C = LoanAssumptions;
        EditorForm& f = AddPage(loan, QStringLiteral("Loan"));
        f.AddNumberRow(C::kInterestOnlyYears, QStringLiteral("Interest-only years:"), "0")
            ->setToolTip(QStringLiteral("Years of interest only before principal and interest"));
        AddNote(f, C::kApplies);
        f.AddFigureRow(C::kRepaymentBefore, QStringLiteral("Repayment / month, interest only:"));
        f.AddFigureRow(C::kRepaymentAfter, QStringLiteral("Repayment / month, after:"));
        // The rate's changes: a row of year and rate each, a blank year for none.
        auto* steps = new QGridLayout;
        steps->addWidget(new QLabel(QStringLiteral("From year")), 0, 0);
        steps->addWidget(new QLabel(QStringLiteral("Rate")), 0, 1);
        steps->addWidget(new QLabel(QStringLiteral("From year")), 0, 2);
        steps->addWidget(new QLabel(QStringLiteral("Rate")), 0, 3);
        for (int i = 0; i < static_cast<int>(kMaxRateSteps); ++i) {
            const int row = 1 + i % 5, column = i / 5 * 2;
            steps->addWidget(f.NumberEdit(C::kStepYear + i, "0"), row, column);
            steps->addWidget(f.NumberEdit(C::kStepRate + i, kPercentFormat), row, column + 1);
        }
        f.Rows()->addRow(QStringLiteral("Rate changes:"), steps);
        AddNote(f, C::kPeriods);
        f.AddNumberRow(C::kOffsetOpening, QStringLiteral("Offset account, opening:"), "$0,m")
            ->setToolTip(QStringLiteral("Interest is charged on the loan less this balance"));
        f.AddNumberRow(C::kOffsetMonthly, QStringLiteral("Paid into it / month:"), "$0,m");
        f.AddCheckRow(C::kOffsetSurplus,
                      QStringLiteral("Also pay each year's after-tax surplus into it"));
        f.AddNumberRow(C::kExtraRepayment, QStringLiteral("Extra repayment / month:"), "$0,m")
            ->setToolTip(QStringLiteral("Beyond the repayment, principal and interest loans"));
        f.AddNumberRow(C::kExtraFromYear, QStringLiteral("Extra repayments from year:"), "0");
        AddNote(f, C::kPaidOff);
        f.AddFigureRows({{C::kInterestSaved, "Interest saved by the offset:"},
                         {C::kOffsetAtSale, "Offset balance at sale:"}, {C::kIRR, "IRR:"}});
        f.AddRecalculateRow();
    }
    {
        using C = LandTaxAssumptions;
        EditorForm& f = AddPage(landTax, QStringLiteral("Land Tax and Depreciation"));
        QStringList states;
        for (std::string_view name : kLandTaxStateNames)
            states << QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
        f.Rows()->addRow(QStringLiteral("Land tax scale (2025-26):"), f.DropDown(C::kState, states));
        f.AddNumberRow(C::kLandValue, QStringLiteral("Land (site) value at purchase:"), "$0,m")
            ->setToolTip(QStringLiteral("The land alone, as the valuation notice gives it"));
        f.AddNumberRow(C::kOtherLand, QStringLiteral("Other land held in the State:"), "$0,m")
            ->setToolTip(QStringLiteral("Taxed together; this property bears the difference"));
        f.AddCheckRow(C::kFollowsGrowth, QStringLiteral("Land grows with the capital growth"));
        f.AddNumberRow(C::kLandGrowth, QStringLiteral("Land growth:"), kPercentFormat);
        f.AddCheckRow(C::kThresholdsGrow,
                      QStringLiteral("Land tax thresholds grow with inflation"));
        // The scale's rows, as the State's revenue office lists them; editable.
        auto* bands = new QGridLayout;
        int column = 0;
        for (const char* heading : {"From", "Rate", "Plus", "At the amount"})
            bands->addWidget(new QLabel(QString::fromUtf8(heading)), 0, column++);
        for (int i = 0; i < kLandTaxRows; ++i) {
            bands->addWidget(f.NumberEdit(C::kRowAbove + i, "$0,m"), i + 1, 0);
            bands->addWidget(f.NumberEdit(C::kRowRate + i, kPercentFormat), i + 1, 1);
            bands->addWidget(f.NumberEdit(C::kRowFlat + i, "$0,m"), i + 1, 2);
            QCheckBox* at = f.CheckBox(C::kRowAtStart + i, QString());
            at->setToolTip(QStringLiteral("The band takes its own start amount "
                                          "(\"$600,000 or more\"), not only what exceeds it"));
            bands->addWidget(at, i + 1, 3);
        }
        bands->addWidget(f.Button(C::kBuiltInRows, QStringLiteral("Built-in rows")),
                         kLandTaxRows + 1, 0, 1, 2);
        f.Rows()->addRow(QStringLiteral("Land tax scale:"), bands);
        f.AddFigureRow(C::kTaxFirstYear, QStringLiteral("Land tax in year 1:"));
        f.AddFigureRow(C::kTaxLastYear, QStringLiteral("Land tax in the last year:"));
        // The schedule: a figure a line, year 1 first, as a spreadsheet's column pastes.
        auto* schedule = new QGridLayout;
        schedule->addWidget(new QLabel(QStringLiteral("Building")), 0, 0);
        schedule->addWidget(new QLabel(QStringLiteral("Plant")), 0, 1);
        for (int id : {C::kBuilding, C::kPlant}) {
            QPlainTextEdit* edit = f.MultiLineEdit(id);
            edit->setToolTip(QStringLiteral("A deduction a line from year 1, up to 40; "
                                            "paste a column from a spreadsheet"));
            schedule->addWidget(edit, 1, id == C::kBuilding ? 0 : 1);
        }
        f.Rows()->addRow(QStringLiteral("Depreciation schedule:"), schedule);
        AddNote(f, C::kScheduleNote);
        f.AddFigureRow(C::kIRR, QStringLiteral("IRR:"));
        f.AddRecalculateRow();
    }
    Open();
    connect(Tabs(), &QTabWidget::currentChanged, this, &AssumptionsSheet::ShowCurrentPage);
}

void AssumptionsSheet::ShowCurrentPage(int index) {
    // The page left takes what was typed on it; the page shown works its figures out again
    // with it (a page shown the first time has just opened with them).
    if (shown_ >= 0 && shown_ < Tabs()->count() && shown_ != index) Page(shown_).RecalculateNow();
    if (index >= 0 && index < Tabs()->count()) Page(index).RefreshNow();
    shown_ = index;
}

void EditAssumptions(Investment& doc, Scales& scales, SettingsStore& store, DocumentUi& ui,
                     QWidget* parent) {
    LawAssumptions law(doc, scales);
    SaleAssumptions sale(doc, scales);
    TaxRulesAssumptions taxRules(doc, scales);
    RentAssumptions rent(doc, scales);
    LoanAssumptions loan(doc, scales);
    LandTaxAssumptions landTax(doc, scales);
    AssumptionsSheet sheet(law, sale, taxRules, rent, loan, landTax, ui, parent);
    if (!Accepted(sheet)) return;
    for (const AssumptionPage* page : std::initializer_list<const AssumptionPage*>{
             &law, &sale, &taxRules, &rent, &loan, &landTax})
        page->Apply(doc);
    RecalculateChanged(doc, scales);
    StoreAssumptions(store, doc);
}
