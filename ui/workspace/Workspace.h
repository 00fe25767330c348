// The pane beside the summary: the "Projection" table, one tab per chart, the "Sale" and
// "What If", every one of them following the record. Also "Pocket VEL Help" and "About Pocket VEL".
#pragma once

#include <QTabWidget>

#include <vector>

#include "ui/shell/Surface.h"

class Investment;
struct Scales;
class ChartTab;
class ProjectionTable;
class QLabel;
class RiskTab;
class SaleTab;
class WhatIfTab;

class Workspace : public QTabWidget {
    Q_OBJECT
public:
    Workspace(const Investment& doc, const Scales& scales, const FontSpec fonts[2],
              QWidget* parent = nullptr);

    // The record was worked out again, or replaced: show it.
    void Refresh();
    void SetZoom(int percent);
    int CurrentTab() const { return currentIndex(); }
    void SetCurrentTab(int index);
    // Shows the tab that holds `page` (a tab's page may sit in a scrolling area of its own).
    void ShowPage(QWidget* page);
    // Copies the selection of the tab shown, if it has one; false when nothing was copied.
    bool Copy();

    ProjectionTable* Table() { return table_; }
    // The line that shows in place of the table while nothing is bought yet.
    QLabel* FirstStep() { return firstStep_; }
    // The chart tabs in the order of the tabs after "Projection".
    const std::vector<ChartTab*>& Charts() const { return charts_; }
    SaleTab* Sale() { return sale_; }
    WhatIfTab* WhatIf() { return whatIf_; }
    RiskTab* Risk() { return risk_; }

signals:
    // The "Sale" tab's button: the user wants the "Assumptions".
    void assumptionsRequested();

private:
    void UpdateLegend();

    const Investment& doc_;
    ProjectionTable* table_ = nullptr;
    QLabel* legend_ = nullptr;
    QLabel* firstStep_ = nullptr;
    std::vector<ChartTab*> charts_;
    SaleTab* sale_ = nullptr;
    WhatIfTab* whatIf_ = nullptr;
    RiskTab* risk_ = nullptr;
};
