// "Compare Investments": the investment as it stands beside up to three files, each worked
// out under the scales stored in it: the key inputs and every result in a table, the best of
// each result in bold and green, and the rates of return of every holding period of all of
// them in one chart. The open record and the scales in force are never touched.
#pragma once

#include <QDialog>

#include <functional>
#include <vector>

#include "analysis/Compare.h"
#include "export/CompareTable.h"

class Investment;
struct Scales;
class DocumentUi;
class QPushButton;
class QTableWidget;
class RatesChart;

class CompareWindow : public QDialog {
    Q_OBJECT
public:
    // `name` names the open investment; `ui` picks files and shows messages.
    CompareWindow(const Investment& doc, const Scales& scales, const QString& name, DocumentUi& ui,
                  QWidget* parent = nullptr);

    // Asks for a file and adds it; false when none was picked or it could not be read (the
    // user is told why).
    bool AddFile();
    // The first column again from the record as it stands.
    void SetOpenInvestment(const Investment& doc, const Scales& scales, const QString& name);
    void Remove(int index);
    const Comparison& Result() const { return comparison_; }
    // The table as shown, in full.
    const CompareTable& Texts() const { return texts_; }
    // Puts the table on the clipboard as tab-separated text (the Copy button, Ctrl+C).
    void Copy();
    QTableWidget* Table() { return table_; }
    RatesChart* Chart() { return chart_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Update();

    DocumentUi& ui_;
    std::vector<ComparedInvestment> investments_;
    Comparison comparison_;
    CompareTable texts_;
    QTableWidget* table_ = nullptr;
    RatesChart* chart_ = nullptr;
    QPushButton* add_ = nullptr;
    QPushButton* remove_ = nullptr;
};

// The rates of return by holding period of several investments as lines, years 1 to 40.
class RatesChart : public QWidget {
    Q_OBJECT
public:
    explicit RatesChart(QWidget* parent = nullptr);
    void SetRates(const std::vector<Investment::YearArray>& rates, const QStringList& names);
    QSize sizeHint() const override { return {600, 240}; }
    // The colour of investment `i`'s line.
    static QColor LineColour(int i);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<Investment::YearArray> rates_;
    QStringList names_;
};

// Opens the window with the record as it stands; one already open keeps its files and takes
// the record afresh.
void ShowCompareWindow(const Investment& doc, const Scales& scales, const QString& path, DocumentUi& ui, QWidget* parent);
