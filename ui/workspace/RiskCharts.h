// The "Risk" tab's two pictures of the futures: the fan of the equity over the years (the 5 to
// 95 and 25 to 75 percentile bands and the median) and the histogram of the IRR after sale
// with the index fund's median marked.
#pragma once

#include <QWidget>

#include "analysis/Risk.h"

// What both pictures share: the results they draw (nothing while null; the results must live
// until the next call).
class RiskPicture : public QWidget {
public:
    RiskPicture(const char* name, int minimumHeight, QWidget* parent);
    void SetResults(const RiskResults* results);

protected:
    const RiskResults* results_ = nullptr;
};

class RiskFanChart : public RiskPicture {
public:
    explicit RiskFanChart(QWidget* parent = nullptr) : RiskPicture("RiskFanChart", 160, parent) {}
    QSize sizeHint() const override { return {420, 220}; }

protected:
    void paintEvent(QPaintEvent* event) override;
};

class RiskHistogram : public RiskPicture {
public:
    explicit RiskHistogram(QWidget* parent = nullptr) : RiskPicture("RiskHistogram", 150, parent) {}
    QSize sizeHint() const override { return {420, 200}; }

protected:
    void paintEvent(QPaintEvent* event) override;
};
