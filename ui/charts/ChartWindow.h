// The chart window: a modal, resizable window without controls that draws one ChartRequest.
#pragma once

#include <QDialog>

#include "ui/charts/ChartRequest.h"
#include "ui/charts/ChartScale.h"

class ChartWindow : public QDialog {
    Q_OBJECT
public:
    // The request's arrays and fonts must outlive the window. The scale is chosen here, once.
    explicit ChartWindow(const ChartRequest& request, QWidget* parent = nullptr);

    const ChartRequest& Request() const { return request_; }
    const ChartScale& Scale() const { return scale_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    ChartRequest request_;
    ChartScale scale_;
};

// Shows the chart modally and returns when the user closes it.
void OpenChart(const ChartRequest& request, QWidget* parent = nullptr);
