#include "ui/colours/ColourPicker.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include <algorithm>

#include "ui/colours/ColourDrawing.h"
#include "ui/shell/QPainterSurface.h"

namespace {

QRect ToQRect(const Rect& r) {
    return QRect(r.left, r.top, r.width(), r.height());
}
Rect FromQRect(const QRect& r) {
    return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

PopupLayout MeasureLayout() {
    // The texts are measured with the same surface that draws them.
    QImage scratch(1, 1, QImage::Format_RGB32);
    QPainter painter(&scratch);
    QPainterSurface surface(painter);
    return LayoutColourPopup(kEdgeWidth, surface);
}

PopupKey ToPopupKey(int key) {
    switch (key) {
    case Qt::Key_Down:
        return PopupKey::Down;
    case Qt::Key_Up:
        return PopupKey::Up;
    case Qt::Key_Right:
        return PopupKey::Right;
    case Qt::Key_Left:
        return PopupKey::Left;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return PopupKey::Return;
    case Qt::Key_Space:
        return PopupKey::Space;
    case Qt::Key_Escape:
        return PopupKey::Escape;
    default:
        return PopupKey::Other;
    }
}

} // namespace

ColourPopup::ColourPopup(ColourPicker* owner, ColourValue initial, const QRect& button,
                           const QRect& screen)
    : QWidget(owner, Qt::Popup), owner_(owner), model_(initial), layout_(MeasureLayout()) {
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    const Rect place =
        PlaceColourPopup(FromQRect(button), layout_.width, layout_.height, FromQRect(screen));
    setGeometry(ToQRect(place));
}

ColourPopup::~ColourPopup() = default;

void ColourPopup::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QPainterSurface surface(painter);
    DrawColourPopup(surface, layout_, model_);
}

void ColourPopup::mousePressEvent(QMouseEvent* event) {
    // A press outside the popup must not close it: only the release decides.
    const QPoint p = event->position().toPoint();
    Deliver(model_.PenDown(layout_, p.x(), p.y()));
    event->accept();
}

void ColourPopup::mouseDoubleClickEvent(QMouseEvent* event) {
    mousePressEvent(event);
}

void ColourPopup::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    Deliver(model_.PenUp(layout_, p.x(), p.y()));
    event->accept();
}

void ColourPopup::keyPressEvent(QKeyEvent* event) {
    Deliver(model_.Key(ToPopupKey(event->key())));
    event->accept();
}

void ColourPopup::closeEvent(QCloseEvent* event) {
    // Closed from outside (another window took over, the picker was tapped again): that is
    // a cancel, so the picker gets its colour back.
    Deliver(model_.End(false), false);
    event->accept();
}

void ColourPopup::Deliver(const PopupNotice& notice, bool closeAfter) {
    if (notice.message == 0) return;
    update();
    if (owner_) owner_->PopupMessage(notice.message, notice.colour);
    if (closeAfter && (notice.message == PickerAccepted || notice.message == PickerCancelled))
        close();
}

ColourPicker::ColourPicker(const QString& caption, int controlId, QWidget* parent)
    : QPushButton(caption, parent), colour_(FromQColor(palette().color(QPalette::Button))),
      textColour_(FromQColor(palette().color(QPalette::ButtonText))), controlId_(controlId) {
    setFixedHeight(PickerHeight());
    setMinimumWidth(PickerMinimumWidth());
    setAutoDefault(false);
    connect(this, &QPushButton::clicked, this, &ColourPicker::OnTap);
}

ColourPicker::~ColourPicker() {
    if (popup_) {
        popup_->Detach();
        delete popup_;
    }
}

void ColourPicker::SetColour(ColourValue colour) {
    colour_ = colour;
    update();
}

void ColourPicker::SetTextColour(ColourValue colour) {
    textColour_ = colour;
    update();
}

void ColourPicker::OnTap() {
    if (popup_) {
        // The popup reports the cancel, which brings back the saved colour.
        popup_->close();
        return;
    }
    active_ = true;
    saved_ = colour_;
    const QRect button(mapToGlobal(QPoint(0, 0)), size());
    const QScreen* where = screen() ? screen() : QGuiApplication::primaryScreen();
    const QRect area = where ? where->availableGeometry() : QRect(0, 0, 1 << 16, 1 << 16);
    popup_ = new ColourPopup(this, colour_, button, area);
    popup_->show();
    popup_->setFocus();
    update();
    emit Notify(PickerOpened, colour_, controlId_);
}

void ColourPicker::PopupMessage(int message, ColourValue colour) {
    if (message == PickerSelectionChanged) {
        emit Notify(PickerSelectionChanged, colour, controlId_);
        return;
    }
    if (message != PickerAccepted && message != PickerCancelled) return;
    active_ = false;
    colour_ = colour;
    update();
    emit Notify(PickerClosed, colour_, controlId_);
    emit Notify(message, colour_, controlId_);
}

QSize ColourPicker::sizeHint() const {
    const int caption = fontMetrics().horizontalAdvance(text()) + 4 * kEdgeWidth;
    return {std::max(PickerMinimumWidth(), caption + PickerArrowWidth() + 2 * kEdgeWidth),
            PickerHeight()};
}

QSize ColourPicker::minimumSizeHint() const {
    return {PickerMinimumWidth(), PickerHeight()};
}

void ColourPicker::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QPainterSurface surface(painter);
    PickerLook look;
    look.width = width();
    look.height = height();
    look.colour = colour_;
    look.textColour = textColour_;
    look.caption = text().toStdString();
    const Rect inner = PickerFaceRect(width(), height());
    look.font = FontSpec{font().family().toStdString(),
                         std::min(QFontMetrics(font()).height(), inner.height()), font().weight()};
    look.enabled = isEnabled();
    look.pushed = active_ || isDown();
    look.focused = hasFocus();
    DrawColourPicker(surface, look);
}
