#include "ui/shell/VELPPCView.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include "model/Investment.h"
#include "persist/Settings.h"
#include "ui/shell/QPainterSurface.h"
#include "ui/shell/WindowState.h"

namespace {

// A page step of the summary is its whole content: a click in the trough goes to the end.
void PageToTheEnd(QScrollBar* bar) {
    QObject::connect(bar, &QAbstractSlider::actionTriggered, bar, [bar](int action) {
        if (action == QAbstractSlider::SliderPageStepAdd) bar->setSliderPosition(bar->maximum());
        else if (action == QAbstractSlider::SliderPageStepSub)
            bar->setSliderPosition(bar->minimum());
    });
}

} // namespace

CVELPPCView::CVELPPCView(CVELPPCDoc& doc, Scales& scales, SettingsStore& store, QWidget* parent)
    : QAbstractScrollArea(parent), doc_(doc), scales_(scales), store_(store) {
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // The view paints every pixel itself.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    PageToTheEnd(horizontalScrollBar());
    PageToTheEnd(verticalScrollBar());

    chartFonts_[0] = summary_.fonts[0];
    chartFonts_[1] = summary_.fonts[1];
    baseFont_ = font();
    ApplyFontSize();
}

void CVELPPCView::ApplyFontSize() {
    // The window's font gives the row height. The platform's default may be smaller than
    // the cells' own fonts; take it a little larger then, so that rows do not overlap.
    QFont windowFont = baseFont_;
    int pixels = QFontInfo(windowFont).pixelSize();
    if (zoom_ != 100) {
        pixels = std::max((pixels * zoom_ + 50) / 100, 1);
        windowFont.setPixelSize(pixels);
    }
    FontSizes sizes(windowFont);
    auto rowHeight = [&] { return sizes.Height(pixels) + sizes.Leading(pixels); };
    while (rowHeight() < summary_.fonts[0].height + 1 && pixels < 64 * kMaxZoom / 100) ++pixels;
    windowFont.setPixelSize(pixels);
    setFont(windowFont);
    measured_ = font();
    lines_ = {rowHeight(), sizes.AverageCharWidth(pixels)};
}

CVELPPCView::LineMetrics CVELPPCView::Lines() const {
    if (font() == measured_) return lines_;
    const QFontMetrics metrics(font());
    return {metrics.height() + metrics.leading(), metrics.averageCharWidth()};
}

void CVELPPCView::SetZoom(int percent) {
    percent = std::clamp(percent, kMinZoom, kMaxZoom);
    if (percent == zoom_) return;
    zoom_ = percent;
    for (int i = 0; i < 2; ++i)
        summary_.fonts[i].height = std::max((chartFonts_[i].height * zoom_ + 50) / 100, 1);
    ApplyFontSize();
    if (summary_.IsLaidOut()) LayOut();
    viewport()->update();
}

void CVELPPCView::LayOut() {
    const LineMetrics lines = Lines();
    summary_.Layout(viewport()->width(), lines.rowHeight, lines.charWidth, CurrentColours.BG1Color);
    SetScrollSizes();
}

void CVELPPCView::SetScrollSizes() {
    const LineMetrics lines = Lines();
    const int h = std::max(lines.rowHeight, 1);
    const int c = std::max(lines.charWidth, 1);
    contentWidth_ = std::max(viewport()->width() - kScrollBarRoom, 0);
    contentHeight_ = kSummaryRows * h;
    horizontalScrollBar()->setSingleStep(c);
    verticalScrollBar()->setSingleStep(h);
    UpdateScrollRanges();
}

void CVELPPCView::UpdateScrollRanges() {
    const QSize size = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(contentWidth_ - size.width(), 0));
    horizontalScrollBar()->setPageStep(std::max(size.width(), 1));
    verticalScrollBar()->setRange(0, std::max(contentHeight_ - size.height(), 0));
    verticalScrollBar()->setPageStep(std::max(size.height(), 1));
}

void CVELPPCView::EnsureLaidOut() {
    if (!summary_.IsLaidOut()) LayOut();
}

void CVELPPCView::ColoursChanged() {
    LayOut();
    viewport()->update();
}

int CVELPPCView::Tap(QPoint point) {
    EnsureLaidOut();
    const int row = summary_.HitTest(point.x() + horizontalScrollBar()->value(),
                                     point.y() + verticalScrollBar()->value());
    if (row < 0) return row;
    if (editItem) editItem(static_cast<unsigned>(row));
    return row;
}

void CVELPPCView::paintEvent(QPaintEvent*) {
    EnsureLaidOut();
    QPainter painter(viewport());
    QPainterSurface surface(painter);
    const QRect client = viewport()->rect();
    summary_.Paint(surface, {client.left(), client.top(), client.right() + 1, client.bottom() + 1},
                   CurrentColours.BG1Color, doc_, horizontalScrollBar()->value(),
                   verticalScrollBar()->value());
}

void CVELPPCView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    Tap(event->position().toPoint());
    event->accept();
}

void CVELPPCView::showEvent(QShowEvent* event) {
    QAbstractScrollArea::showEvent(event);
    EnsureLaidOut();
}

void CVELPPCView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollRanges();
}

void CVELPPCView::scrollContentsBy(int, int) { viewport()->update(); }
