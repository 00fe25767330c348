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
#include <vector>

#include "export/ReportData.h"
#include "model/Investment.h"

// The named rows of the table, in the order of the exported table ("\n" breaks a heading into
// two lines on screen).
using ProjectionColumn = ProjectionRow;
inline constexpr const std::array<ProjectionColumn, 15>& kProjectionColumns = kProjectionRows;

class ProjectionModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ProjectionModel(const Investment& doc, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // The record was worked out again: every cell and the year headings change.
    void Refresh();
    // The value under a cell; the year of a line is its row + 1.
    double Value(int year, int column) const;
    // The heading of a column ("\n" parts it in two lines), empty beyond the columns.
    const char* Heading(int column) const;
    // The font of cells and headings; the results year's is its bold form.
    void SetFont(const QFont& font);

    // After the named rows, while rental losses are carried forward: the loss carried at the
    // end of each year. Then the further figures the investment uses
    // (ExtraProjectionColumns: the interest rate, the offset account's balance and saving,
    // the land tax).
    static constexpr int kCarriedLossColumn = static_cast<int>(kProjectionColumns.size());
    static constexpr int kMaxColumns = kCarriedLossColumn + 1 + 4;

private:
    // The cells' texts are made when first asked for after a change: a start recalculates
    // three times before the table is first painted.
    void MakeTexts() const;
    // The columns after the named rows as the record asks for them: whether the loss carried
    // is one, and the further figures.
    struct Extras {
        bool loss = false;
        std::vector<ExtraProjectionColumn> columns;
        bool SameColumns(const Extras& other) const;
    };
    Extras WantedExtras() const;
    const char* Format(int column) const;

    const Investment& doc_;
    int columns_ = static_cast<int>(kProjectionColumns.size());
    Extras extras_;
    // The cells' texts, made once per change rather than at every paint.
    mutable std::array<QString, kTableColumns * kMaxColumns> texts_;
    mutable std::array<bool, kTableColumns * kMaxColumns> losses_{};
    mutable bool textsStale_ = true;
    QFont normal_, bold_;
    // What the year headings were last told from: the results year and the projection period.
    int headedShowYear_ = -1, headedProjectionYear_ = -1, headedIncomeYear_ = -1,
        headedRepaidYear_ = -1;
};

// The cells of `selection` as tab-separated lines: a line of headings ("Year" and the
// headings of the columns spanned), then one line per year spanned, cells outside the
// selection empty, numbers written so that they read back to the same double.
QString ProjectionCopyText(const ProjectionModel& model, const QModelIndexList& selection);

class ProjectionTable : public QTableView {
    Q_OBJECT
public:
    explicit ProjectionTable(const Investment& doc, QWidget* parent = nullptr);

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
