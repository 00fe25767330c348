// A chart of the Graphics menu as a tab of the workspace: drawn by the chart window's own code
// at the tab's size, built again from the record after every change, with the year, series
// and value of the bar under the mouse as a tool tip.
#pragma once

#include <optional>

#include "ui/charts/ChartScale.h"
#include "ui/charts/ChartSeries.h"
#include "ui/workspace/LazyTab.h"

class Investment;
struct Scales;
class Surface;

class ChartTab : public LazyTab {
    Q_OBJECT
public:
    // `command` is the chart's Graphics command; `fonts` are the summary's chart fonts.
    ChartTab(const Investment& doc, const Scales& scales, int command, const FontSpec* fonts,
             QWidget* parent = nullptr);

    // Draws the chart as it stands for the tab's present size.
    void Draw(Surface& surface);
    // The tool tip of the bar at a point of the tab, or empty.
    QString BarText(const QPoint& point);

    int Command() const { return command_; }
    const ChartRequest& Request() { return UpToDate(request_); }
    const ChartScale& Scale() { return UpToDate(scale_); }

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;
    // Builds the chart from the record and draws it again.
    void WorkOut() override;

private:
    const Investment& doc_;
    const Scales& scales_;
    int command_;
    const FontSpec* fonts_;
    std::optional<ChartData> data_;
    ChartRequest request_;
    ChartScale scale_{};
};
