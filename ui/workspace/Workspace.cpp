#include "ui/workspace/Workspace.h"

#include <QLabel>
#include <QEvent>
#include <QScrollArea>
#include <QTimer>
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

// A page with many controls scrolls in its tab rather than widening the pane, which would
// squeeze the summary beside it in a small window.
class PageScroll : public QScrollArea {
public:
    explicit PageScroll(QWidget* page) {
        setFrameShape(QFrame::NoFrame);
        setWidget(page);
    }

protected:
    void resizeEvent(QResizeEvent* event) override {
        QScrollArea::resizeEvent(event);
        FitPage();
    }
    void showEvent(QShowEvent* event) override {
        QScrollArea::showEvent(event);
        FitPage();
        // A page shown for the first time is laid out after this.
        QTimer::singleShot(0, this, [this] { FitPage(); });
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        const bool handled = QScrollArea::eventFilter(watched, event);
        // The page was laid out afresh: its least size may have changed.
        if (watched == widget() && event->type() == QEvent::LayoutRequest) FitPage();
        return handled;
    }

private:
    // The page fills the area, but never below its least size: there the area scrolls.
    void FitPage() {
        const QSize least = widget()->minimumSizeHint().expandedTo(QSize(0, 0));
        widget()->resize(viewport()->size().expandedTo(least));
    }
};

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
    // A new investment's table would be forty years of $0: the first step instead.
    firstStep_ = new QLabel(QStringLiteral("Enter the price to begin: click \u201CProperty value\u201D "
                                           "in the summary."),
                            projection);
    firstStep_->setObjectName(QStringLiteral("FirstStep"));
    firstStep_->setWordWrap(true);
    firstStep_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    firstStep_->setContentsMargins(8, 24, 8, 8);
    layout->addWidget(legend_);
    layout->addWidget(table_, 1);
    layout->addWidget(firstStep_, 1);
    addTab(projection, QStringLiteral("Projection"));

    for (int command : kChartTabCommands) {
        auto* chart = new ChartTab(doc, scales, command, fonts, this);
        charts_.push_back(chart);
        const std::string_view caption = ChartCaption(command);
        // A tab's "&" would be taken as its access key.
        addTab(chart, QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size()))
                          .replace(QLatin1Char('&'), QStringLiteral("&&")));
    }
    sale_ = new SaleTab(doc, scales, fonts);
    connect(sale_, &SaleTab::assumptionsRequested, this, &Workspace::assumptionsRequested);
    addTab(new PageScroll(sale_), QStringLiteral("Sale"));
    whatIf_ = new WhatIfTab(doc, scales);
    addTab(new PageScroll(whatIf_), QStringLiteral("What If"));
    risk_ = new RiskTab(doc, scales);
    addTab(new PageScroll(risk_), QStringLiteral("Risk"));
    UpdateLegend();
}

void Workspace::UpdateLegend() {
    // Nothing bought yet: the same test as the summary's "Click here".
    const bool nothingYet = doc_.TotalCost == 0.0;
    table_->setVisible(!nothingYet);
    legend_->setVisible(!nothingYet);
    firstStep_->setVisible(nothingYet);
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

void Workspace::ShowPage(QWidget* page) {
    for (int i = 0; i < count(); ++i)
        if (widget(i) == page || widget(i)->isAncestorOf(page)) setCurrentIndex(i);
}

bool Workspace::Copy() {
    if (currentWidget()->isAncestorOf(whatIf_)) return whatIf_->Copy();
    return currentIndex() == 0 && table_->Copy();
}
