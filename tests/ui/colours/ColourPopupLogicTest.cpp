// The popup's rules without any window: keys, stylus, result colour, layout and placement.
#include <gtest/gtest.h>

#include "persist/Settings.h"
#include "ui/colours/ColourPopupLogic.h"
#include "ui/shell/RecordingSurface.h"

namespace {

constexpr ColourValue kRed = RGBColour(255, 0, 0); // index 16
constexpr ColourValue kNotInTable = RGBColour(1, 2, 3);
constexpr int kLast = 39;

// The device's layout: 2-pixel edges, a 13-pixel text line.
PopupLayout DeviceLayout() {
    return LayoutColourPopup(2, 50, 13);
}

PopupNotice Changed(ColourValue c) {
    return {PickerSelectionChanged, c};
}
PopupNotice Accepted(ColourValue c) {
    return {PickerAccepted, c};
}
PopupNotice Cancelled(ColourValue c) {
    return {PickerCancelled, c};
}

struct Point {
    int x, y;
};
Point Centre(const Rect& r) {
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

} // namespace

TEST(ColourPopupModel, ChosenPositionOfTheOpeningColour) {
    EXPECT_EQ(ColourPopupModel(kRed).Chosen(), 16);
    EXPECT_EQ(ColourPopupModel(RGBColour(220, 255, 255)).Chosen(), 37);
    EXPECT_EQ(ColourPopupModel(kAutomaticColour).Chosen(), kPositionAutomatic);
    EXPECT_EQ(ColourPopupModel(kNotInTable).Chosen(), kPositionCancel);
    // A stored colour with another top byte is simply not in the table.
    EXPECT_EQ(ColourPopupModel(0x01000000u | kRed).Chosen(), kPositionCancel);
    EXPECT_EQ(ColourPopupModel(kRed).Current(), kPositionNone);
}

TEST(ColourPopupKeys, FollowTheKeyTable) {
    using K = PopupKey;
    const struct {
        int from;
        PopupKey key;
        int to;
    } cases[] = {
        {kPositionAutomatic, K::Down, 0},
        {kPositionAutomatic, K::Up, kPositionCancel},
        {kPositionAutomatic, K::Right, 0},
        {kPositionAutomatic, K::Left, kPositionCancel},
        {kPositionCancel, K::Down, kPositionAutomatic},
        {kPositionCancel, K::Up, kLast},
        {kPositionCancel, K::Right, kPositionAutomatic},
        {kPositionCancel, K::Left, kLast},
        // No highlight yet.
        {kPositionNone, K::Down, kPositionCancel},
        {kPositionNone, K::Up, kPositionAutomatic},
        {kPositionNone, K::Right, kPositionCancel},
        {kPositionNone, K::Left, kPositionAutomatic},
        // Inside the grid and along its borders.
        {9, K::Down, 17},
        {9, K::Up, 1},
        {9, K::Right, 10},
        {9, K::Left, 8},
        {33, K::Down, kPositionCancel},
        {3, K::Up, kPositionAutomatic},
        {7, K::Right, 8},
        {8, K::Left, 7},
        {kLast, K::Right, kPositionCancel},
        {0, K::Left, kPositionAutomatic},
    };
    for (const auto& c : cases) {
        const PopupAction a = KeyAction(c.from, c.key);
        EXPECT_EQ(a, (PopupAction{PopupAction::Move, c.to}))
            << "from " << c.from << " key " << static_cast<int>(c.key);
    }
    for (int from : {kPositionAutomatic, kPositionCancel, kPositionNone, 0, kLast}) {
        EXPECT_EQ(KeyAction(from, K::Return).kind, PopupAction::Accept);
        EXPECT_EQ(KeyAction(from, K::Space).kind, PopupAction::Accept);
        EXPECT_EQ(KeyAction(from, K::Escape).kind, PopupAction::Cancel);
        EXPECT_EQ(KeyAction(from, K::Other).kind, PopupAction::None);
    }
}

TEST(ColourPopupModel, KeysReportEachMoveAndEscapeRestoresTheOpeningColour) {
    ColourPopupModel model(kRed);
    EXPECT_EQ(model.Key(PopupKey::Up), Changed(kAutomaticColour));
    EXPECT_EQ(model.Key(PopupKey::Down), Changed(kColourTable[0].colour));
    EXPECT_EQ(model.Key(PopupKey::Right), Changed(kColourTable[1].colour));
    EXPECT_EQ(model.Result(), kColourTable[1].colour);
    EXPECT_EQ(model.Key(PopupKey::Escape), Cancelled(kRed));
    EXPECT_EQ(model.Result(), kRed);
    // Once ended, nothing more happens.
    EXPECT_EQ(model.Key(PopupKey::Return), PopupNotice{});
    EXPECT_EQ(model.Result(), kRed);
}

TEST(ColourPopupModel, CancelBoxKeepsTheLastColourPassedThrough) {
    // On "Cancel" the report names the opening colour, but accepting returns whatever the
    // highlight passed through last.
    ColourPopupModel model(kRed);
    model.Key(PopupKey::Left);                           // "Automatic"
    EXPECT_EQ(model.Key(PopupKey::Left), Changed(kRed)); // "Cancel"
    EXPECT_EQ(model.Key(PopupKey::Space), Accepted(kAutomaticColour));

    ColourPopupModel outside(kRed);
    outside.MoveTo(5);
    EXPECT_EQ(outside.MoveTo(40), Changed(kRed)); // past the table counts as "Cancel"
    EXPECT_EQ(outside.Current(), kPositionCancel);
    EXPECT_EQ(outside.Key(PopupKey::Return), Accepted(kColourTable[5].colour));
}

TEST(ColourPopupStylus, PenDownSelectsPenUpInsideAccepts) {
    const PopupLayout layout = DeviceLayout();
    { // A colour: the same box again, or a gap between boxes, changes nothing.
        ColourPopupModel model(kNotInTable);
        const Point p = Centre(layout.ColourBox(26));
        EXPECT_EQ(model.PenDown(layout, p.x, p.y), Changed(kColourTable[26].colour));
        EXPECT_EQ(model.PenDown(layout, p.x, p.y), PopupNotice{});
        EXPECT_EQ(model.PenDown(layout, 0, 0), PopupNotice{});
        EXPECT_EQ(model.PenUp(layout, layout.width - 1, layout.height - 1),
                  Accepted(kColourTable[26].colour));
    }
    { // "Automatic" gives the marker.
        ColourPopupModel model(kRed);
        const Point p = Centre(layout.defaultBox);
        EXPECT_EQ(model.PenDown(layout, p.x, p.y), Changed(kAutomaticColour));
        EXPECT_EQ(model.PenUp(layout, p.x, p.y), Accepted(kAutomaticColour));
    }
    { // "Cancel" on a colour that the table does not have returns that colour.
        ColourPopupModel model(kNotInTable);
        const Point p = Centre(layout.customBox);
        EXPECT_EQ(model.PenDown(layout, p.x, p.y), Changed(kNotInTable));
        EXPECT_EQ(model.PenUp(layout, p.x, p.y), Accepted(kNotInTable));
    }
}

TEST(ColourPopupStylus, PenUpOutsideCancelsEvenAfterATap) {
    const PopupLayout layout = DeviceLayout();
    for (const Point out :
         {Point{-1, 10}, Point{10, -1}, Point{layout.width, 10}, Point{10, layout.height}}) {
        ColourPopupModel model(kRed);
        const Point p = Centre(layout.ColourBox(0));
        model.PenDown(layout, p.x, p.y);
        EXPECT_EQ(model.PenUp(layout, out.x, out.y), Cancelled(kRed)) << out.x << "," << out.y;
    }
}

TEST(ColourPopupLayout, Rectangles) {
    const PopupLayout l = DeviceLayout();
    // Margin 2, box 18; b = 13 + 8 + 2 = 23.
    EXPECT_EQ(l.width, 148);
    EXPECT_EQ(l.height, 152);
    EXPECT_EQ(l.defaultBox, (Rect{2, 2, 146, 27}));
    EXPECT_EQ(l.ColourBox(0), (Rect{2, 29, 20, 47})); // one margin under "Automatic"
    EXPECT_EQ(l.ColourBox(9), (Rect{20, 47, 38, 65}));
    EXPECT_EQ(l.ColourBox(39), (Rect{128, 101, 146, 119}));
    EXPECT_EQ(l.customBox, (Rect{2, 123, 146, 148}));
    for (int i = 0; i < kColourCount; ++i)
        EXPECT_EQ(l.HitTest(l.ColourBox(i).right - 1, l.ColourBox(i).bottom - 1), i);
    EXPECT_EQ(l.HitTest(l.customBox.left, l.customBox.top), kPositionCancel);
    EXPECT_EQ(l.HitTest(1, 1), kPositionNone);

    // Wide texts widen the window and both boxes, not the grid.
    const PopupLayout wide = LayoutColourPopup(2, 200, 13);
    EXPECT_EQ(wide.width, 204);
    EXPECT_EQ(wide.customBox.right, 202);
    EXPECT_EQ(wide.ColourBox(7).right, 146);

    // A thick edge keeps room for the colour.
    EXPECT_EQ(PopupBoxSize(5), 18);
    EXPECT_EQ(PopupBoxSize(6), 19);

    // Measured in the popup font, whatever font the surface had.
    RecordingSurface surface; // characters half the font height wide
    surface.SetFont(FontSpec{"Arial", 20, 700});
    EXPECT_EQ(LayoutColourPopup(2, surface).defaultBox.bottom, 11 + 8 + 2 + 4);
    EXPECT_EQ(surface.Font(), (FontSpec{"Arial", 20, 700}));
}

TEST(ColourPopupPlacement, OpensUnderTheButtonAndStaysOnScreen) {
    const Rect screen{0, 0, 240, 320};
    EXPECT_EQ(PlaceColourPopup({20, 100, 120, 120}, 148, 152, screen), (Rect{20, 120, 168, 272}));
    // Past the right edge; wider than the screen, the left edge wins.
    EXPECT_EQ(PlaceColourPopup({150, 100, 230, 120}, 148, 152, screen), (Rect{92, 120, 240, 272}));
    EXPECT_EQ(PlaceColourPopup({20, 100, 120, 120}, 300, 152, screen), (Rect{0, 120, 300, 272}));
    // Past the bottom: above the button.
    EXPECT_EQ(PlaceColourPopup({20, 250, 120, 270}, 148, 152, screen), (Rect{20, 98, 168, 250}));
}
