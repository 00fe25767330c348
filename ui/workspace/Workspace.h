// The pane beside the summary: the "Projection" table, one tab per chart, the "Sale" and
// "What If", every one of them following the record. Also "Pocket VEL Help" and "About Pocket VEL".
#pragma once

#include <QTabWidget>

#include <vector>

#include "ui/shell/Hooks.h"

class CVELPPCDoc;
struct Scales;
class ChartTab;
class ProjectionTable;
class QLabel;
class RiskTab;
class SaleTab;
class WhatIfTab;

class Workspace : public QTabWidget, public WorkspacePane {
    Q_OBJECT
public:
    Workspace(const CVELPPCDoc& doc, const Scales& scales, const FontSpec fonts[2],
              QWidget* parent = nullptr);

    QWidget* Widget() override { return this; }
    void Refresh() override;
    void SetZoom(int percent) override;
    int CurrentTab() const override { return currentIndex(); }
    void SetCurrentTab(int index) override;
    bool Copy() override;

    ProjectionTable* Table() { return table_; }
    // The chart tabs in the order of the tabs after "Projection".
    const std::vector<ChartTab*>& Charts() const { return charts_; }
    SaleTab* Sale() { return sale_; }
    WhatIfTab* WhatIf() { return whatIf_; }
    RiskTab* Risk() { return risk_; }

private:
    void UpdateLegend();

    const CVELPPCDoc& doc_;
    ProjectionTable* table_ = nullptr;
    QLabel* legend_ = nullptr;
    std::vector<ChartTab*> charts_;
    SaleTab* sale_ = nullptr;
    WhatIfTab* whatIf_ = nullptr;
    RiskTab* risk_ = nullptr;
};

// The text "About Pocket VEL" shows: version, licence, built-in scales.
QString AboutText();

// Puts the pane, the help and the About box into the shell's hooks.
void InstallWorkspaceHooks();
