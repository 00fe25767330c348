#include "ui/charts/ChartWindow.h"

#include <QKeyEvent>
#include <QPainter>
#include <QString>

#include "ui/charts/ChartDrawing.h"
#include "ui/shell/QPainterSurface.h"

namespace {
// Room for the value labels, the legend and the titles; below this the geometry degenerates.
constexpr int kMinimumWidth = 240;
constexpr int kMinimumHeight = 200;
constexpr int kInitialWidth = 480;
constexpr int kInitialHeight = 400;
} // namespace

ChartWindow::ChartWindow(const ChartRequest& request, QWidget* parent)
    : QDialog(parent), request_(request), scale_(ComputeChartScale(request)) {
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setModal(true);
    setMinimumSize(kMinimumWidth, kMinimumHeight);
    resize(kInitialWidth, kInitialHeight);
    setWindowTitle(QString::fromStdString(request_.caption));
}

void ChartWindow::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    QPainter painter(this);
    QPainterSurface surface(painter);
    DrawChart(surface, request_, scale_, width(), height(), CurrentChartColours());
}

void ChartWindow::keyPressEvent(QKeyEvent* event) {
    // The window has no buttons; Enter closes it like the platform's OK.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void OpenChart(const ChartRequest& request, QWidget* parent) {
    ChartWindow window(request, parent);
    window.exec();
}
