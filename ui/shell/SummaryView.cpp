#include "ui/shell/SummaryView.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPointer>
#include <QFontInfo>
#include <QKeyEvent>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QToolTip>

#include "model/Investment.h"
#include "persist/Settings.h"
#include "ui/shell/QPainterSurface.h"
#include "ui/shell/WindowState.h"

namespace {

// The summary is never made narrower than this many of its characters at actual size.
constexpr int kMinimumChars = 20;

// A page step of the summary is its whole content: a click in the trough goes to the end.
void PageToTheEnd(QScrollBar* bar) {
    QObject::connect(bar, &QAbstractSlider::actionTriggered, bar, [bar](int action) {
        if (action == QAbstractSlider::SliderPageStepAdd) bar->setSliderPosition(bar->maximum());
        else if (action == QAbstractSlider::SliderPageStepSub)
            bar->setSliderPosition(bar->minimum());
    });
}

} // namespace

namespace {
// The summary's interface for assistive technology (below).
QAccessibleInterface* SummaryAccessibleFactory(const QString& key, QObject* object);
} // namespace

SummaryView::SummaryView(Investment& doc, Scales& scales, SettingsStore& store, QWidget* parent)
    : QAbstractScrollArea(parent), doc_(doc), scales_(scales), store_(store) {
    static const bool accessible = [] {
        QAccessible::installFactory(SummaryAccessibleFactory);
        return true;
    }();
    (void)accessible;
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // The view paints every pixel itself.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    PageToTheEnd(horizontalScrollBar());
    PageToTheEnd(verticalScrollBar());

    // The keyboard reaches the summary too; Tab takes it on to the pane.
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(QStringLiteral("Summary"));

    chartFonts_[0] = summary_.fonts[0];
    chartFonts_[1] = summary_.fonts[1];
    baseFont_ = font();
    ApplyFontSize();
    baseCharWidth_ = lines_.charWidth;
    // Every line opens an editor: the one under the mouse is marked.
    viewport()->setMouseTracking(true);
}

QSize SummaryView::minimumSizeHint() const {
    const int width = kMinimumChars * std::max(baseCharWidth_, 1) + kScrollBarRoom;
    return {width, QAbstractScrollArea::minimumSizeHint().height()};
}

void SummaryView::ApplyFontSize() {
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

SummaryView::LineMetrics SummaryView::Lines() const {
    if (font() == measured_) return lines_;
    const QFontMetrics metrics(font());
    return {metrics.height() + metrics.leading(), metrics.averageCharWidth()};
}

void SummaryView::SetZoom(int percent) {
    percent = std::clamp(percent, kMinZoom, kMaxZoom);
    if (percent == zoom_) return;
    zoom_ = percent;
    for (int i = 0; i < 2; ++i)
        summary_.fonts[i].height = std::max((chartFonts_[i].height * zoom_ + 50) / 100, 1);
    ApplyFontSize();
    if (summary_.IsLaidOut()) LayOut();
    viewport()->update();
}

void SummaryView::LayOut() {
    const LineMetrics lines = Lines();
    summary_.Layout(viewport()->width(), lines.rowHeight, lines.charWidth, CurrentColours.BG1Color);
    SetScrollSizes();
}

void SummaryView::SetScrollSizes() {
    const LineMetrics lines = Lines();
    const int h = std::max(lines.rowHeight, 1);
    const int c = std::max(lines.charWidth, 1);
    contentWidth_ = std::max(viewport()->width() - kScrollBarRoom, 0);
    contentHeight_ = kSummaryRows * h;
    horizontalScrollBar()->setSingleStep(c);
    verticalScrollBar()->setSingleStep(h);
    UpdateScrollRanges();
}

void SummaryView::UpdateScrollRanges() {
    const QSize size = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(contentWidth_ - size.width(), 0));
    horizontalScrollBar()->setPageStep(std::max(size.width(), 1));
    verticalScrollBar()->setRange(0, std::max(contentHeight_ - size.height(), 0));
    verticalScrollBar()->setPageStep(std::max(size.height(), 1));
}

void SummaryView::EnsureLaidOut() {
    if (!summary_.IsLaidOut()) LayOut();
}

void SummaryView::ColoursChanged() {
    LayOut();
    viewport()->update();
}

int SummaryView::RowAt(QPoint point) {
    EnsureLaidOut();
    return summary_.HitTest(point.x() + horizontalScrollBar()->value(),
                            point.y() + verticalScrollBar()->value());
}

int SummaryView::Tap(QPoint point) {
    const int row = RowAt(point);
    if (row < 0) return row;
    current_ = row;
    emit itemActivated(static_cast<unsigned>(row));
    return row;
}

void SummaryView::paintEvent(QPaintEvent*) {
    EnsureLaidOut();
    QPainter painter(viewport());
    QPainterSurface surface(painter);
    const QRect client = viewport()->rect();
    summary_.Paint(surface, {client.left(), client.top(), client.right() + 1, client.bottom() + 1},
                   CurrentColours.BG1Color, doc_, horizontalScrollBar()->value(),
                   verticalScrollBar()->value());
    // The line under the mouse, tinted lightly: it opens on a click.
    if (hovered_ >= 0 && hovered_ < kSummaryRows) {
        const Rect& label = summary_.labels[hovered_].rect;
        QColor tint = palette().color(QPalette::Highlight);
        tint.setAlpha(40);
        painter.fillRect(QRect(QPoint(label.left, label.top),
                               QPoint(summary_.values[hovered_].rect.right - 1, label.bottom - 1))
                             .translated(-horizontalScrollBar()->value(), -verticalScrollBar()->value()),
                         tint);
    }
    // The keyboard's line, marked as the style marks focus.
    if (hasFocus() && current_ >= 0 && current_ < kSummaryRows) {
        QStyleOptionFocusRect mark;
        mark.initFrom(this);
        mark.rect = LineRect(current_);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &mark, &painter, this);
    }
}

QString SummaryView::LineName(int row) const {
    if (row < 0 || row >= kSummaryRows) return {};
    QString label = QString::fromStdString(summary_.labels[row].text).trimmed();
    if (label.endsWith(QLatin1Char(':'))) label.chop(1);
    return label;
}

QString SummaryView::LineValue(int row) const {
    if (row < 0 || row >= kSummaryRows) return {};
    const GridCell& value = summary_.values[row];
    return value.hidden ? QString() : QString::fromStdString(value.text).trimmed();
}

QString SummaryView::LineText(int row) const {
    const QString value = LineValue(row);
    return value.isEmpty() ? LineName(row) : LineName(row) + QStringLiteral(", ") + value;
}

QRect SummaryView::LineRect(int row) const {
    if (row < 0 || row >= kSummaryRows) return {};
    const Rect& label = summary_.labels[row].rect;
    const Rect& value = summary_.values[row].rect;
    return QRect(QPoint(std::min(label.left, value.left), label.top),
                 QPoint(std::max(label.right, value.right) - 1, label.bottom - 1))
        .translated(-horizontalScrollBar()->value(), -verticalScrollBar()->value());
}

namespace {

// One line of the summary as assistive technology sees it: a list item named by its label,
// whose value is the figure.
class SummaryLineAccessible : public QAccessibleInterface {
public:
    SummaryLineAccessible(SummaryView* view, int row) : view_(view), row_(row) {}
    bool isValid() const override { return !view_.isNull(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return view_ ? view_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(view_.data());
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* focusChild() const override { return nullptr; }
    QString text(QAccessible::Text t) const override {
        if (!view_) return {};
        if (t == QAccessible::Name) return view_->LineName(row_);
        if (t == QAccessible::Value) return view_->LineValue(row_);
        return {};
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        if (!view_) return {};
        const QRect r = view_->LineRect(row_);
        return QRect(view_->viewport()->mapToGlobal(r.topLeft()), r.size());
    }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override {
        QAccessible::State s;
        s.focusable = true;
        s.selectable = true;
        s.focused = view_ && view_->hasFocus() && view_->CurrentLine() == row_;
        s.selected = view_ && view_->CurrentLine() == row_;
        return s;
    }

private:
    QPointer<SummaryView> view_;
    int row_;
};

// The summary as a list of its lines; the keyboard's line is the focused one.
class SummaryAccessible : public QAccessibleWidget {
public:
    explicit SummaryAccessible(SummaryView* view)
        : QAccessibleWidget(view, QAccessible::List), ids_(kSummaryRows, 0) {}
    ~SummaryAccessible() override {
        for (QAccessible::Id id : ids_)
            if (id != 0) QAccessible::deleteAccessibleInterface(id);
    }
    int childCount() const override { return kSummaryRows; }
    QAccessibleInterface* child(int index) const override {
        if (index < 0 || index >= kSummaryRows) return nullptr;
        QAccessible::Id& id = ids_[static_cast<std::size_t>(index)];
        if (id == 0) id = QAccessible::registerAccessibleInterface(new SummaryLineAccessible(View(), index));
        return QAccessible::accessibleInterface(id);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        for (int i = 0; i < kSummaryRows; ++i)
            if (ids_[static_cast<std::size_t>(i)] != 0 && this->child(i) == child) return i;
        return -1;
    }
    QAccessibleInterface* focusChild() const override { return child(View()->CurrentLine()); }
    QAccessibleInterface* childAt(int x, int y) const override {
        for (int i = 0; i < kSummaryRows; ++i)
            if (QAccessibleInterface* line = child(i); line->rect().contains(x, y)) return line;
        return nullptr;
    }

private:
    SummaryView* View() const { return static_cast<SummaryView*>(widget()); }
    mutable std::vector<QAccessible::Id> ids_;
};

QAccessibleInterface* SummaryAccessibleFactory(const QString& key, QObject* object) {
    if (key == QLatin1String("SummaryView"))
        if (auto* view = qobject_cast<SummaryView*>(object)) return new SummaryAccessible(view);
    return nullptr;
}

} // namespace

void SummaryView::SetCurrentLine(int row) {
    current_ = std::clamp(row, 0, kSummaryRows - 1);
    EnsureLaidOut();
    summary_.Refresh(doc_);
    // The line in view, then told to whoever reads the screen aloud.
    const Rect& r = summary_.labels[current_].rect;
    QScrollBar* bar = verticalScrollBar();
    if (r.top < bar->value()) bar->setValue(r.top);
    else if (r.bottom > bar->value() + viewport()->height()) bar->setValue(r.bottom - viewport()->height());
    setAccessibleDescription(LineText(current_));
    QAccessibleEvent described(this, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&described);
    if (hasFocus()) {
        QAccessibleEvent focus(this, QAccessible::Focus);
        focus.setChild(current_);
        QAccessible::updateAccessibility(&focus);
    }
    viewport()->update();
}

void SummaryView::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Up: SetCurrentLine(current_ - 1); break;
    case Qt::Key_Down: SetCurrentLine(current_ + 1); break;
    case Qt::Key_Home: SetCurrentLine(0); break;
    case Qt::Key_End: SetCurrentLine(kSummaryRows - 1); break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        emit itemActivated(static_cast<unsigned>(current_));
        break;
    default: QAbstractScrollArea::keyPressEvent(event); return;
    }
    event->accept();
}

void SummaryView::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    SetCurrentLine(current_);
}

void SummaryView::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}

void SummaryView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    Tap(event->position().toPoint());
    event->accept();
}

void SummaryView::SetHovered(int row) {
    if (row == hovered_) return;
    hovered_ = row;
    viewport()->setCursor(row >= 0 ? Qt::PointingHandCursor : Qt::ArrowCursor);
    viewport()->update();
}

void SummaryView::mouseMoveEvent(QMouseEvent* event) {
    SetHovered(RowAt(event->position().toPoint()));
    QAbstractScrollArea::mouseMoveEvent(event);
}

bool SummaryView::viewportEvent(QEvent* event) {
    switch (event->type()) {
    case QEvent::Leave: SetHovered(-1); break;
    case QEvent::ToolTip: {
        // A shortened line shows whole in its tool tip.
        auto* help = static_cast<QHelpEvent*>(event);
        const int row = RowAt(help->pos());
        if (summary_.IsCut(row)) QToolTip::showText(help->globalPos(), LineText(row), viewport());
        else QToolTip::hideText();
        return true;
    }
    default: break;
    }
    return QAbstractScrollArea::viewportEvent(event);
}

void SummaryView::showEvent(QShowEvent* event) {
    QAbstractScrollArea::showEvent(event);
    EnsureLaidOut();
}

void SummaryView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    // A new width (the window or the divider moved) lays the lines out again.
    if (summary_.IsLaidOut()) LayOut();
    else UpdateScrollRanges();
}

void SummaryView::scrollContentsBy(int, int) { viewport()->update(); }
