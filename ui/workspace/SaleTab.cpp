#include "ui/workspace/SaleTab.h"

#include <QGridLayout>
#include <algorithm>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "export/ReportData.h"
#include "format/Format.h"
#include "model/Investment.h"
#include "ui/charts/ChartKind.h"
#include "ui/workspace/ChartTab.h"

namespace {

// As the summary shows its amounts and rates.
constexpr const char* kMoney = "$0,m(";
constexpr const char* kRate = "%0.00";
constexpr const char* kPercent = "0.00%";

QString Text(double value, const char* format) {
    // Amounts in whole dollars: the tab has room for every digit.
    return QString::fromStdString(IsMoneyFormat(format) ? WholeDollars(value) : FormatValue(value, format));
}

QLabel* Value(QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

} // namespace

SaleTab::SaleTab(const Investment& doc, const Scales& scales, const FontSpec* fonts, QWidget* parent)
    : LazyTab(parent), doc_(doc), scales_(scales), fonts_(fonts) {}

void SaleTab::Build() {
    if (chart_) return;
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 4);

    auto* top = new QHBoxLayout;
    held_ = new QLabel(this);
    held_->setWordWrap(true);
    top->addWidget(held_, 1);
    auto* edit = new QPushButton(QStringLiteral("Assumptions..."), this);
    edit->setObjectName(QStringLiteral("SaleAssumptions"));
    connect(edit, &QPushButton::clicked, this, &SaleTab::assumptionsRequested);
    top->addWidget(edit, 0, Qt::AlignTop);
    layout->addLayout(top);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(24);
    grid->setVerticalSpacing(2);
    auto* afterHead = new QLabel(QStringLiteral("<b>After sale</b>"), this);
    auto* keptHead = new QLabel(QStringLiteral("<b>If kept</b>"), this);
    afterHead->setAlignment(Qt::AlignRight);
    keptHead->setAlignment(Qt::AlignRight);
    grid->addWidget(afterHead, 0, 1);
    grid->addWidget(keptHead, 0, 2);
    const char* names[kFigureCount] = {
        "Sale price:", "Cost of selling:", "Cost base:", "Capital gain:", "Discount on the gain:",
        "Taxable gain:", "Capital gains tax:", "Value at the end:", "Internal rate of return:",
        "Net present value:"};
    for (int i = 0; i < kFigureCount; ++i) {
        names_[i] = new QLabel(QString::fromUtf8(names[i]), this);
        afterSale_[i] = Value(this);
        ifKept_[i] = Value(this);
        grid->addWidget(names_[i], i + 1, 0);
        grid->addWidget(afterSale_[i], i + 1, 1);
        grid->addWidget(ifKept_[i], i + 1, 2);
    }
    grid->setColumnStretch(3, 1);
    layout->addLayout(grid);

    chart_ = new ChartTab(doc_, scales_, ChartSaleReturns, fonts_, this);
    chart_->setMinimumHeight(160);
    layout->addWidget(chart_, 1);
}

void SaleTab::WorkOut() {
    Build();
    const Investment& d = doc_;
    QString held = QStringLiteral("Sold for its value at the end of year %1, the last year of "
                                  "the projections.")
                       .arg(Text(d.ProjectionYear, "0"));
    // Under the law of the years, which law and its pieces.
    const std::string law = SaleLawText(d);
    if (!law.empty()) held += QLatin1Char(' ') + QString::fromStdString(law);
    held_->setText(held);
    names_[kSaleCosts]->setText(QStringLiteral("Cost of selling (%1):").arg(Text(d.SellingCostsPC, kPercent)));
    const double after[kFigureCount] = {d.SalePrice,   d.SaleCosts,      d.CostBase,
                                        d.CapitalGain, d.CGTDiscountPC,  d.TaxableGain,
                                        d.SaleTax,     d.ValueAfterSale, d.IRRAfterSale,
                                        d.NPVAfterSale};
    for (int i = 0; i < kFigureCount; ++i) {
        const char* format = i == kDiscount ? kPercent : i == kIRR ? kRate : kMoney;
        afterSale_[i]->setText(Text(after[i], format));
        ifKept_[i]->clear();
    }
    // Kept, the investment ends with its equity.
    const int last = std::clamp(d.ProjectionYear, 1, kTableColumns) - 1;
    ifKept_[kValueAfter]->setText(Text(d.At(Row::Equity, last), kMoney));
    ifKept_[kIRR]->setText(Text(d.IRR, kRate));
    ifKept_[kNPV]->setText(Text(d.NPV, kMoney));
    chart_->Refresh();
}

QString SaleTab::AfterSale(Figure figure) {
    BringUpToDate();
    return afterSale_[figure]->text();
}

QString SaleTab::IfKept(Figure figure) {
    BringUpToDate();
    return ifKept_[figure]->text();
}

ChartTab* SaleTab::Chart() {
    Build();
    return chart_;
}
