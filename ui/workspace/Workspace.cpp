#include "ui/workspace/Workspace.h"

#include <QLabel>
#include <QVBoxLayout>

#include <string_view>

#include "format/Format.h"
#include "model/Law.h"
#include "model/Investment.h"
#include "model/Scales.h"
#include "ui/charts/ChartKind.h"
#include "ui/charts/ChartSeries.h"
#include "ui/workspace/ChartTab.h"
#include "ui/workspace/ProjectionTable.h"
#include "ui/workspace/RiskTab.h"
#include "ui/workspace/SaleTab.h"
#include "ui/workspace/WhatIfTab.h"

namespace {

// The chart tabs, in the order of the Graphics menu; each takes its chart's own caption.
constexpr int kChartTabCommands[] = {ChartValueDebt, ChartCashFlows, ChartWhoPays, ChartBankComparison,
                                     ChartRateOfReturn};

} // namespace

Workspace::Workspace(const Investment& doc, const Scales& scales, const FontSpec fonts[2],
                     QWidget* parent)
    : QTabWidget(parent), doc_(doc) {
    setObjectName(QStringLiteral("WorkspacePane"));
    setDocumentMode(true);

    auto* projection = new QWidget(this);
    auto* layout = new QVBoxLayout(projection);
    layout->setContentsMargins(4, 4, 4, 4);
    legend_ = new QLabel(projection);
    legend_->setWordWrap(true);
    table_ = new ProjectionTable(doc, projection);
    layout->addWidget(legend_);
    layout->addWidget(table_, 1);
    addTab(projection, QStringLiteral("Projection"));

    for (int command : kChartTabCommands) {
        auto* chart = new ChartTab(doc, scales, command, fonts, this);
        charts_.push_back(chart);
        const std::string_view caption = ChartCaption(command);
        // A tab's "&" would be taken as its access key.
        addTab(chart, QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size()))
                          .replace(QLatin1Char('&'), QStringLiteral("&&")));
    }
    sale_ = new SaleTab(doc, scales, fonts, this);
    sale_->onAssumptions = [this] { emit assumptionsRequested(); };
    addTab(sale_, QStringLiteral("Sale"));
    whatIf_ = new WhatIfTab(doc, scales, this);
    addTab(whatIf_, QStringLiteral("What If"));
    addTab(risk_ = new RiskTab(doc, scales, this), QStringLiteral("Risk"));
    UpdateLegend();
}

void Workspace::UpdateLegend() {
    QString legend = QStringLiteral("Shaded: the projection period (years 1 to %1).  "
                                    "Bold \u25B8: the results year (year %2).")
                         .arg(QString::fromStdString(FormatValue(doc_.ProjectionYear, "0")),
                              QString::fromStdString(FormatValue(doc_.ShowYear, "0")));
    // Under the law of the years, which law and the purchase date it counts from.
    if (doc_.TaxLaw != kOneScaleForEveryYear)
        legend += QStringLiteral("  Taxed as: %1.").arg(QString::fromStdString(LawDescription(doc_)));
    legend_->setText(legend);
}

void Workspace::Refresh() {
    table_->Model().Refresh();
    UpdateLegend();
    for (ChartTab* chart : charts_) chart->Refresh();
    sale_->Refresh();
    whatIf_->Refresh();
    risk_->Refresh();
}

void Workspace::SetZoom(int percent) { table_->SetZoom(percent); }

void Workspace::SetCurrentTab(int index) {
    if (index >= 0 && index < count()) setCurrentIndex(index);
}

bool Workspace::Copy() {
    if (currentWidget() == whatIf_) return whatIf_->Copy();
    return currentIndex() == 0 && table_->Copy();
}
