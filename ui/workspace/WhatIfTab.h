// The workspace's "What If" tab: one result over two inputs stepped either side of their
// values (the investment as it stands in the middle, in bold), coloured by how far each cell
// lies above or below it, and the break-even figures. Worked out on copies: the record, its
// modified mark and the scales in force are never touched.
#pragma once

#include <optional>

#include "analysis/BreakEven.h"
#include "analysis/Grid.h"
#include "ui/workspace/LazyTab.h"

class Investment;
struct Scales;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QSpinBox;
class QTableWidget;

class WhatIfTab : public LazyTab {
    Q_OBJECT
public:
    // The controls are made when the tab first shows.
    WhatIfTab(const Investment& doc, const Scales& scales, QWidget* parent = nullptr);

    GridSetup Setup() const { return setup_; }
    // Sets the controls and works the grid out again.
    void ChangeSetup(const GridSetup& setup);

    // Up to date with the record, as shown.
    const SensitivityGrid& Grid() { return UpToDate(grid_); }
    const BreakEvens& Figures() { return UpToDate(figures_); }
    QTableWidget* Table() { return UpToDate(table_); }
    // The texts of the three break-even figures, as shown.
    QString FigureText(int figure);

    // The grid as tab-separated text to the clipboard.
    bool Copy();

protected:
    void WorkOut() override;

private:
    struct AxisControls {
        QComboBox* input = nullptr;
        QDoubleSpinBox* step = nullptr;
        QSpinBox* steps = nullptr;
    };

    void Build();
    void BuildAxis(AxisControls& axis, const QString& name, int row, class QGridLayout* layout);
    void ShowSetup();
    void ReadControls();
    void UpdateGrid();
    void UpdateFigures();

    const Investment& doc_;
    const Scales& scales_;
    GridSetup setup_;
    std::optional<WhatIf> whatIf_;
    SensitivityGrid grid_;
    BreakEvens figures_;
    bool showing_ = false; // the controls are being set, not edited

    AxisControls rows_, columns_;
    QComboBox* result_ = nullptr;
    QLabel* caption_ = nullptr;
    QTableWidget* table_ = nullptr;
    QLabel* figureNames_[3] = {};
    QLabel* figureValues_[3] = {};
};
