// The workspace's "Sale" tab: the sale at the end of the projection period step by step, the
// returns after sale beside those of keeping the property, and the rates of return after
// sale for every holding period as a chart.
#pragma once

#include "ui/workspace/LazyTab.h"

class Investment;
struct Scales;
class ChartTab;
class QLabel;
struct FontSpec;

class SaleTab : public LazyTab {
    Q_OBJECT
public:
    // Rows of the figures, in the order shown.
    enum Figure : int {
        kSalePrice,
        kSaleCosts,
        kCostBase,
        kGain,
        kDiscount,
        kTaxableGain,
        kSaleTax,
        kValueAfter,
        kIRR,
        kNPV,
        kFigureCount
    };

    // The tab's controls are made when it first shows, so that they cost the start-up nothing.
    SaleTab(const Investment& doc, const Scales& scales, const FontSpec* fonts,
            QWidget* parent = nullptr);

    // The text shown for a figure: after sale, and (where there is one) if kept.
    QString AfterSale(Figure figure);
    QString IfKept(Figure figure);
    ChartTab* Chart();

signals:
    // "Assumptions..." was clicked.
    void assumptionsRequested();

protected:
    void WorkOut() override;

private:
    void Build();

    const Investment& doc_;
    const Scales& scales_;
    const FontSpec* fonts_;
    QLabel* held_ = nullptr;
    QLabel* names_[kFigureCount] = {};
    QLabel* afterSale_[kFigureCount] = {};
    QLabel* ifKept_[kFigureCount] = {};
    ChartTab* chart_ = nullptr;
};
