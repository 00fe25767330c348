// The "Projection" tab: the 40 years of the annual table, one line per year, every named row
// under a heading, in the summary's money format. The years of the projection period are
// shaded and the results year is bold; Ctrl+C copies the selection with its headings and
// the exact numbers, so that a spreadsheet reads them as numbers.
#pragma once

#include <QAbstractTableModel>
#include <QModelIndexList>
#include <QFont>
#include <QTableView>

#include <array>

#include "export/ReportData.h"
#include "model/Investment.h"

// The named rows of the table, in the order of the exported table ("\n" breaks a heading into
// two lines on screen).
using ProjectionColumn = ProjectionRow;
inline constexpr const std::array<ProjectionColumn, 15>& kProjectionColumns = kProjectionRows;

class ProjectionModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ProjectionModel(const CVELPPCDoc& doc, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // The record was worked out again: every cell and the year headings change.
    void Refresh();
    // The value under a cell; the year of a line is its row + 1.
    double Value(int year, int column) const;
    // The font of cells and headings; the results year's is its bold form.
    void SetFont(const QFont& font);

private:
    void MakeTexts();

    const CVELPPCDoc& doc_;
    // The cells' texts, made once per change rather than at every paint.
    std::array<QString, kTableColumns * 15> texts_;
    std::array<bool, kTableColumns * 15> losses_{};
    QFont normal_, bold_;
};

// The cells of `selection` as tab-separated lines: a line of headings ("Year" and the
// headings of the columns spanned), then one line per year spanned, cells outside the
// selection empty, numbers written so that they read back to the same double.
QString ProjectionCopyText(const ProjectionModel& model, const QModelIndexList& selection);

class ProjectionTable : public QTableView {
    Q_OBJECT
public:
    explicit ProjectionTable(const CVELPPCDoc& doc, QWidget* parent = nullptr);

    ProjectionModel& Model() { return model_; }
    // Copies the selection to the clipboard; false when nothing is selected.
    bool Copy();
    void SetZoom(int percent);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    ProjectionModel model_;
    QFont baseFont_;
};
