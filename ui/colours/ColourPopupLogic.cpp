#include "ui/colours/ColourPopupLogic.h"

#include <algorithm>

#include "persist/Settings.h"

FontSpec PopupFont() {
    return FontSpec{"Tahoma", 11, 400};
}

int ChosenPosition(ColourValue colour) {
    if (colour == kAutomaticColour) return kPositionAutomatic;
    const int index = FindColourIndex(colour);
    return index >= 0 ? index : kPositionCancel;
}

int PopupBoxSize(int margin) {
    // Too thick an edge would leave no room for the colour itself.
    return 18 - 2 * margin - 2 < 5 ? 2 * margin + 7 : 18;
}

Rect PopupLayout::ColourBox(int index) const {
    const int row = index / kColourColumns;
    const int column = index % kColourColumns;
    const int left = margin + column * boxSize;
    const int top = gridTop + row * boxSize;
    return {left, top, left + boxSize, top + boxSize};
}

int PopupLayout::HitTest(int x, int y) const {
    if (customBox.contains(x, y)) return kPositionCancel;
    if (defaultBox.contains(x, y)) return kPositionAutomatic;
    for (int i = 0; i < kColourCount; ++i)
        if (ColourBox(i).contains(x, y)) return i;
    return kPositionNone;
}

PopupLayout LayoutColourPopup(int margin, int textWidth, int textHeight) {
    PopupLayout layout;
    const int m = margin;
    layout.margin = m;
    layout.boxSize = PopupBoxSize(m);
    layout.width = 2 * m + kColourColumns * layout.boxSize;
    layout.height = 2 * m + kColourRows * layout.boxSize;

    const int a = textWidth + 2 * m;
    const int b = textHeight + 4 * m + 2;

    layout.width = std::max(layout.width, a);
    layout.defaultBox = {m, m, layout.width - m, b + 2 * m};
    layout.height += b + 3 * m;

    layout.width = std::max(layout.width, a);
    layout.customBox = {m, layout.height, layout.width - m, layout.height + b + m};
    layout.height += b + 3 * m;

    // The grid starts one margin below the "Automatic" box.
    layout.gridTop = m + layout.defaultBox.bottom + m - layout.defaultBox.top;
    return layout;
}

PopupLayout LayoutColourPopup(int margin, Surface& measure) {
    const FontSpec saved = measure.Font();
    measure.SetFont(PopupFont());
    const int width = std::max(measure.TextWidth(kAutomaticText), measure.TextWidth(kCancelText));
    const int height = measure.Metrics().height;
    measure.SetFont(saved);
    return LayoutColourPopup(margin, width, height);
}

Rect PlaceColourPopup(const Rect& button, int width, int height, const Rect& screen) {
    Rect r{button.left, button.bottom, button.left + width, button.bottom + height};
    if (r.right > screen.right) r = r.moved(screen.right - r.right, 0);
    if (r.left < screen.left) r = r.moved(screen.left - r.left, 0);
    if (r.bottom > screen.bottom) r = r.moved(0, button.top - r.bottom);
    return r;
}

PopupAction KeyAction(int current, PopupKey key) {
    using A = PopupAction;
    constexpr int last = kColourCount - 1;
    const bool none = current != kPositionAutomatic && current != kPositionCancel &&
                      (current < 0 || current > last);
    const int row = none || current < 0 ? -1 : current / kColourColumns;
    const int column = none || current < 0 ? -1 : current % kColourColumns;

    switch (key) {
    case PopupKey::Return:
    case PopupKey::Space:
        return {A::Accept};
    case PopupKey::Escape:
        return {A::Cancel};
    case PopupKey::Other:
        return {A::None};
    case PopupKey::Down:
        if (current == kPositionAutomatic) return {A::Move, 0};
        if (current == kPositionCancel) return {A::Move, kPositionAutomatic};
        if (!none && row + 1 < kColourRows && current + kColourColumns <= last)
            return {A::Move, current + kColourColumns};
        return {A::Move, kPositionCancel};
    case PopupKey::Up:
        if (current == kPositionAutomatic) return {A::Move, kPositionCancel};
        if (current == kPositionCancel) return {A::Move, last};
        if (!none && row > 0) return {A::Move, (row - 1) * kColourColumns + column};
        return {A::Move, kPositionAutomatic};
    case PopupKey::Right:
        if (current == kPositionAutomatic) return {A::Move, 0};
        if (current == kPositionCancel) return {A::Move, kPositionAutomatic};
        // Along the row, then on to the start of the next one.
        if (!none && current < last) return {A::Move, current + 1};
        return {A::Move, kPositionCancel};
    case PopupKey::Left:
        if (current == kPositionAutomatic) return {A::Move, kPositionCancel};
        if (current == kPositionCancel) return {A::Move, last};
        if (!none && current > 0) return {A::Move, current - 1};
        return {A::Move, kPositionAutomatic};
    }
    return {A::None};
}

ColourPopupModel::ColourPopupModel(ColourValue initial)
    : initial_(initial), result_(initial), chosen_(ChosenPosition(initial)) {}

PopupNotice ColourPopupModel::MoveTo(int position) {
    if (ended_) return {};
    if (position != kPositionAutomatic && (position < 0 || position >= kColourCount))
        position = kPositionCancel;
    current_ = position;
    if (position >= 0)
        result_ = kColourTable[static_cast<std::size_t>(position)].colour;
    else if (position == kPositionAutomatic)
        result_ = kAutomaticColour;
    // "Cancel" keeps whatever the highlight passed through last, but tells the picker
    // about the colour it started with.
    return {PickerSelectionChanged, position == kPositionCancel ? initial_ : result_};
}

PopupNotice ColourPopupModel::Apply(const PopupAction& action) {
    switch (action.kind) {
    case PopupAction::Move:
        return MoveTo(action.position);
    case PopupAction::Accept:
        return End(true);
    case PopupAction::Cancel:
        return End(false);
    case PopupAction::None:
        break;
    }
    return {};
}

PopupNotice ColourPopupModel::Key(PopupKey key) {
    if (ended_) return {};
    return Apply(KeyAction(current_, key));
}

PopupNotice ColourPopupModel::PenDown(const PopupLayout& layout, int x, int y) {
    if (ended_) return {};
    const int target = layout.HitTest(x, y);
    if (target == kPositionNone || target == current_) return {};
    return MoveTo(target);
}

PopupNotice ColourPopupModel::PenUp(const PopupLayout& layout, int x, int y) {
    return End(layout.Contains(x, y));
}

PopupNotice ColourPopupModel::End(bool accept) {
    if (ended_) return {};
    ended_ = true;
    if (!accept) result_ = initial_;
    return {accept ? PickerAccepted : PickerCancelled, result_};
}

int PickerArrowWidth() {
    return std::max({16, 5 * kEdgeWidth, 5 * kEdgeHeight});
}
int PickerHeight() {
    return PickerArrowWidth() + 2 * kEdgeHeight;
}
int PickerMinimumWidth() {
    return 2 * (kEdgeWidth + PickerArrowWidth());
}

Rect PickerArrowRect(int width, int height) {
    const int d = PickerArrowWidth();
    return {width - d - kEdgeWidth, kEdgeHeight, width - kEdgeWidth, height - kEdgeHeight};
}

Rect PickerFaceRect(int width, int height) {
    return {kEdgeWidth, kEdgeHeight, width - kEdgeWidth - PickerArrowWidth(), height - kEdgeHeight};
}
