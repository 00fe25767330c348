#include "ui/workspace/ChartTab.h"

#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

#include "export/ReportData.h"
#include "format/Format.h"
#include "persist/Settings.h"
#include "ui/charts/ChartDrawing.h"
#include "ui/shell/QPainterSurface.h"

ChartTab::ChartTab(const Investment& doc, const Scales& scales, int command, const FontSpec* fonts,
                   QWidget* parent)
    : LazyTab(parent), doc_(doc), scales_(scales), command_(command), fonts_(fonts) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

void ChartTab::WorkOut() {
    data_ = BuildChart(doc_, scales_, command_, CurrentColours);
    request_ = data_ ? data_->Request(fonts_) : ChartRequest{};
    // A tab uses its whole width, and shows a loss below the zero line.
    request_.fillWidth = true;
    scale_ = WithLossesShown(request_, ComputeChartScale(request_));
    update();
}

void ChartTab::Draw(Surface& surface) {
    BringUpToDate();
    DrawChart(surface, request_, scale_, width(), height(), CurrentChartColours());
}

void ChartTab::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QPainterSurface surface(painter);
    Draw(surface);
}

QString ChartTab::BarText(const QPoint& point) {
    BringUpToDate();
    const auto bar = ChartBarAt(request_, scale_, width(), height(), point.x(), point.y());
    if (!bar || !data_) return {};
    const auto k = static_cast<std::size_t>(bar->series);
    const auto j = static_cast<std::size_t>(bar->point);
    double value = data_->values[k][j];
    // Stacked shares: each bar shows above the next series' bar, so its own part is the
    // difference.
    if (data_->seriesCount == 3 && k < 2) value -= data_->values[k + 1][j];
    const bool percent = data_->unit.find('%') != std::string::npos;
    // "$0," marks only the first thousand: "$1165,300".
    const std::string text = percent ? FormatValue(value, "0.00%") : WholeDollars(value);
    return QStringLiteral("Year ") + QString::fromStdString(FormatValue(bar->point + 1, "0")) +
           '\n' + QString::fromStdString(data_->labels[k]) + QStringLiteral(": ") +
           QString::fromStdString(text);
}

bool ChartTab::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const QString text = BarText(help->pos());
        if (text.isEmpty()) QToolTip::hideText();
        else QToolTip::showText(help->globalPos(), text, this);
        return true;
    }
    return QWidget::event(event);
}
