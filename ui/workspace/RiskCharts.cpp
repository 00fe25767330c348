#include "ui/workspace/RiskCharts.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <functional>

#include "export/RiskReport.h"
#include "format/Format.h"

namespace {

constexpr int kLeft = 64, kRight = 12, kTop = 22, kBottom = 26;

QString Money(double v) { return QString::fromStdString(FormatValue(v, "$0,m(")); }
QString Rate(double v) { return QString::fromStdString(FormatValue(v, "%0.0")); }

void Caption(QPainter& p, const QRect& area, const QString& text) {
    QFont bold = p.font();
    bold.setBold(true);
    p.save();
    p.setFont(bold);
    p.drawText(QRect(area.left(), 2, area.width(), kTop - 4), Qt::AlignLeft | Qt::AlignVCenter, text);
    p.restore();
}

// The horizontal grid of values from `low` to `high`, labelled on the left.
void ValueAxis(QPainter& p, const QRect& plot, double low, double high, QString (*label)(double),
               const std::function<int(double)>& y) {
    const double step = AxisStep(high - low, 4);
    p.setPen(QColor(220, 220, 220));
    for (double v = std::ceil(low / step) * step; v <= high + step * 1e-9; v += step) {
        p.setPen(v == 0 ? QColor(120, 120, 120) : QColor(220, 220, 220));
        p.drawLine(plot.left(), y(v), plot.right(), y(v));
        p.setPen(Qt::black);
        p.drawText(QRect(0, y(v) - 8, plot.left() - 4, 16), Qt::AlignRight | Qt::AlignVCenter,
                   label(std::fabs(v) < step * 1e-9 ? 0.0 : v));
    }
}

} // namespace

RiskPicture::RiskPicture(const char* name, int minimumHeight, QWidget* parent) : QWidget(parent) {
    setMinimumHeight(minimumHeight);
    setObjectName(QString::fromUtf8(name));
}

void RiskPicture::SetResults(const RiskResults* results) {
    results_ = results;
    update();
}

void RiskFanChart::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    p.setRenderHint(QPainter::Antialiasing);
    Caption(p, rect(), QStringLiteral("Equity: 5-95 and 25-75 of 100 futures, median; shaded: years held"));
    if (!results_) return;
    const QRect plot(kLeft, kTop, width() - kLeft - kRight, height() - kTop - kBottom);
    if (plot.width() < 20 || plot.height() < 20) return;
    const auto& e = results_->equity;
    double low = 0, high = 0;
    EquityRange(*results_, low, high);
    const int years = kTableColumns;
    auto x = [&](int c) { return plot.left() + plot.width() * (c + 0.5) / years; };
    auto y = [&](double v) {
        return static_cast<int>(plot.bottom() - (std::max(v, low) - low) / (high - low) * plot.height());
    };
    ValueAxis(p, plot, low, high, Money, y);
    // The holding period, shaded.
    const int held = std::clamp(results_->holdingYears, 1, years);
    p.fillRect(QRectF(plot.left(), plot.top(), plot.width() * held / double(years), plot.height()),
               QColor(0, 0, 255, 14));
    auto band = [&](std::size_t lowIndex, std::size_t highIndex, const QColor& colour) {
        QPainterPath path;
        for (int c = 0; c < years; ++c) {
            const QPointF point(x(c), y(e[static_cast<std::size_t>(c)][highIndex]));
            if (c == 0) path.moveTo(point);
            else path.lineTo(point);
        }
        for (int c = years - 1; c >= 0; --c) path.lineTo(x(c), y(e[static_cast<std::size_t>(c)][lowIndex]));
        path.closeSubpath();
        p.fillPath(path, colour);
    };
    band(0, 4, QColor(70, 130, 200, 70));
    band(1, 3, QColor(70, 130, 200, 130));
    QPainterPath median;
    for (int c = 0; c < years; ++c) {
        const QPointF point(x(c), y(e[static_cast<std::size_t>(c)][2]));
        if (c == 0) median.moveTo(point);
        else median.lineTo(point);
    }
    p.setPen(QPen(QColor(20, 40, 120), 2));
    p.drawPath(median);
    p.setPen(Qt::black);
    for (int c : {0, 9, 19, 29, 39})
        p.drawText(QRect(static_cast<int>(x(c)) - 20, plot.bottom() + 4, 40, 16), Qt::AlignCenter,
                   QString::number(c + 1));
}

void RiskHistogram::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    QString caption = QStringLiteral("IRR after sale: futures at each rate");
    if (results_ && results_->irrAfterSale.noValue > 0)
        caption += QStringLiteral(" (%1 with no rate not shown)").arg(results_->irrAfterSale.noValue);
    Caption(p, rect(), caption);
    if (!results_ || results_->irrBins.empty()) return;
    const QRect plot(kLeft, kTop, width() - kLeft - kRight, height() - kTop - kBottom);
    if (plot.width() < 20 || plot.height() < 20) return;
    const auto& edges = results_->irrEdges;
    const auto& bins = results_->irrBins;
    const double fundMedian = results_->fundIrr.at[2];
    double low = edges.front(), high = edges.back();
    if (!IsNoValue(fundMedian)) {
        low = std::min(low, fundMedian);
        high = std::max(high, fundMedian);
    }
    if (!(high > low)) high = low + 1;
    const std::int64_t most = std::max<std::int64_t>(1, *std::max_element(bins.begin(), bins.end()));
    auto x = [&](double v) { return plot.left() + (v - low) / (high - low) * plot.width(); };
    p.setPen(Qt::NoPen);
    for (std::size_t b = 0; b < bins.size(); ++b) {
        const double top = plot.bottom() - static_cast<double>(bins[b]) / static_cast<double>(most) * plot.height();
        p.fillRect(QRectF(x(edges[b]) + 0.5, top, std::max(1.0, x(edges[b + 1]) - x(edges[b]) - 1),
                          plot.bottom() - top),
                   QColor(70, 130, 200));
    }
    p.setPen(QColor(120, 120, 120));
    p.drawLine(plot.left(), plot.bottom(), plot.right(), plot.bottom());
    p.setPen(Qt::black);
    const double step = AxisStep(high - low, 6);
    for (double v = std::ceil(low / step) * step; v <= high + step * 1e-9; v += step)
        p.drawText(QRect(static_cast<int>(x(v)) - 30, plot.bottom() + 4, 60, 16), Qt::AlignCenter,
                   Rate(std::fabs(v) < step * 1e-9 ? 0.0 : v));
    if (!IsNoValue(fundMedian)) {
        p.setPen(QPen(QColor(200, 60, 30), 2, Qt::DashLine));
        const int fx = static_cast<int>(x(fundMedian));
        p.drawLine(fx, plot.top(), fx, plot.bottom());
        // The label on the side of the line with more room.
        const bool left = fx > plot.left() + plot.width() / 2;
        p.drawText(left ? QRect(fx - 224, plot.top(), 220, 16) : QRect(fx + 4, plot.top(), 220, 16),
                   (left ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter,
                   QStringLiteral("index fund's median %1").arg(QString::fromStdString(FormatValue(fundMedian, "%0.00"))));
    }
}
