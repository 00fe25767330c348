// The popup's rules without any window: chosen positions, keys, stylus, result colour,
// layout and placement on the screen.
#include <gtest/gtest.h>

#include "persist/Settings.h"
#include "ui/colours/ColourPopupLogic.h"
#include "ui/shell/RecordingSurface.h"

namespace {

constexpr ColourValue kRed = RGBColour(255, 0, 0);                // index 16
constexpr ColourValue kWhite = RGBColour(255, 255, 255);          // index 39
constexpr ColourValue kNotInTable = RGBColour(1, 2, 3);
constexpr ColourValue kPaleBlue = RGBColour(220, 255, 255);       // index 37
constexpr int kLast = 39;

// The layout of the device: 2-pixel edges, a 13-pixel text line.
PopupLayout DeviceLayout() { return LayoutColourPopup(2, 50, 13); }

PopupNotice Changed(ColourValue c) { return {PickerSelectionChanged, c}; }
PopupNotice Accepted(ColourValue c) { return {PickerAccepted, c}; }
PopupNotice Cancelled(ColourValue c) { return {PickerCancelled, c}; }

int Centre(const Rect& r, bool x) { return x ? (r.left + r.right) / 2 : (r.top + r.bottom) / 2; }

}  // namespace

TEST(ColourTable, HasFortyDistinctEntriesInReadingOrder) {
    EXPECT_EQ(kColourRows, 5);
    EXPECT_EQ(kColourTable[0].colour, RGBColour(0, 0, 0));
    EXPECT_EQ(kColourTable[1].colour, RGBColour(165, 42, 0));
    EXPECT_EQ(kColourTable[13].colour, RGBColour(0, 0, 255));
    EXPECT_EQ(kColourTable[35].name, "Pale green ");
    EXPECT_EQ(kColourTable[39].colour, kWhite);
    EXPECT_EQ(FindColourIndex(kRed), 16);
    EXPECT_EQ(FindColourIndex(kPaleBlue), 37);
    EXPECT_EQ(FindColourIndex(kNotInTable), -1);
    // The default colours of the program can all be picked again from the table.
    const Colours defaults;
    for (ColourValue c : {defaults.BG1Color, defaults.BG2Color, defaults.GR1Color,
                          defaults.GR2Color, defaults.GR3Color})
        EXPECT_GE(FindColourIndex(c), 0) << c;
}

TEST(ColourPopupModel, StartsWithTheOpeningColourChosenAndNothingHighlighted) {
    ColourPopupModel model(kRed);
    EXPECT_EQ(model.Chosen(), 16);
    EXPECT_EQ(model.Current(), kPositionNone);
    EXPECT_EQ(model.Result(), kRed);

    EXPECT_EQ(ColourPopupModel(kAutomaticColour).Chosen(), kPositionAutomatic);
    EXPECT_EQ(ColourPopupModel(kNotInTable).Chosen(), kPositionCancel);
    // A stored colour whose top byte is not the marker's is simply not in the table.
    EXPECT_EQ(ColourPopupModel(0x01000000u | kRed).Chosen(), kPositionCancel);
}

TEST(ColourPopupKeys, FollowTheKeyTable) {
    struct Case {
        int from;
        PopupKey key;
        int to;
    };
    const Case cases[] = {
        // From "Automatic" and "Cancel".
        {kPositionAutomatic, PopupKey::Down, 0},
        {kPositionAutomatic, PopupKey::Up, kPositionCancel},
        {kPositionAutomatic, PopupKey::Right, 0},
        {kPositionAutomatic, PopupKey::Left, kPositionCancel},
        {kPositionCancel, PopupKey::Down, kPositionAutomatic},
        {kPositionCancel, PopupKey::Up, kLast},
        {kPositionCancel, PopupKey::Right, kPositionAutomatic},
        {kPositionCancel, PopupKey::Left, kLast},
        // With no highlight yet.
        {kPositionNone, PopupKey::Down, kPositionCancel},
        {kPositionNone, PopupKey::Up, kPositionAutomatic},
        {kPositionNone, PopupKey::Right, kPositionCancel},
        {kPositionNone, PopupKey::Left, kPositionAutomatic},
        // Inside the grid.
        {9, PopupKey::Down, 17},
        {9, PopupKey::Up, 1},
        {9, PopupKey::Right, 10},
        {9, PopupKey::Left, 8},
        // Along the borders of the grid.
        {33, PopupKey::Down, kPositionCancel},
        {3, PopupKey::Up, kPositionAutomatic},
        {7, PopupKey::Right, 8},
        {8, PopupKey::Left, 7},
        {kLast, PopupKey::Right, kPositionCancel},
        {kLast, PopupKey::Down, kPositionCancel},
        {0, PopupKey::Left, kPositionAutomatic},
        {0, PopupKey::Up, kPositionAutomatic},
    };
    for (const Case& c : cases) {
        const PopupAction a = KeyAction(c.from, c.key);
        EXPECT_EQ(a.kind, PopupAction::Move) << c.from << " key " << static_cast<int>(c.key);
        EXPECT_EQ(a.position, c.to) << c.from << " key " << static_cast<int>(c.key);
    }
    for (int from : {kPositionAutomatic, kPositionCancel, kPositionNone, 0, 20, kLast}) {
        EXPECT_EQ(KeyAction(from, PopupKey::Return).kind, PopupAction::Accept);
        EXPECT_EQ(KeyAction(from, PopupKey::Space).kind, PopupAction::Accept);
        EXPECT_EQ(KeyAction(from, PopupKey::Escape).kind, PopupAction::Cancel);
        EXPECT_EQ(KeyAction(from, PopupKey::Other).kind, PopupAction::None);
    }
}

TEST(ColourPopupKeys, RightWalksTheWholeGridAndComesBackAround) {
    // Right from "Automatic" visits every colour once, then "Cancel", then "Automatic".
    int position = kPositionAutomatic;
    for (int i = 0; i <= kLast; ++i) {
        position = KeyAction(position, PopupKey::Right).position;
        ASSERT_EQ(position, i);
    }
    position = KeyAction(position, PopupKey::Right).position;
    EXPECT_EQ(position, kPositionCancel);
    EXPECT_EQ(KeyAction(position, PopupKey::Right).position, kPositionAutomatic);
}

TEST(ColourPopupModel, KeyMovesReportTheColourAndReturnAccepts) {
    ColourPopupModel model(kRed);
    EXPECT_EQ(model.Key(PopupKey::Up), Changed(kAutomaticColour));
    EXPECT_EQ(model.Key(PopupKey::Down), Changed(kColourTable[0].colour));
    EXPECT_EQ(model.Key(PopupKey::Right), Changed(kColourTable[1].colour));
    EXPECT_EQ(model.Current(), 1);
    EXPECT_EQ(model.Key(PopupKey::Other), PopupNotice{});
    EXPECT_EQ(model.Key(PopupKey::Return), Accepted(kColourTable[1].colour));
    EXPECT_TRUE(model.Ended());
    // Nothing happens after the end.
    EXPECT_EQ(model.Key(PopupKey::Down), PopupNotice{});
    EXPECT_EQ(model.Key(PopupKey::Escape), PopupNotice{});
    EXPECT_EQ(model.Result(), kColourTable[1].colour);
}

TEST(ColourPopupModel, EscapeAfterMovesReturnsTheOpeningColour) {
    ColourPopupModel model(kRed);
    model.Key(PopupKey::Down);   // "Cancel"
    model.Key(PopupKey::Up);     // colour 39
    model.Key(PopupKey::Left);   // colour 38
    EXPECT_EQ(model.Result(), kColourTable[38].colour);
    EXPECT_EQ(model.Key(PopupKey::Escape), Cancelled(kRed));
    EXPECT_EQ(model.Result(), kRed);
}

TEST(ColourPopupModel, CancelBoxKeepsTheLastColourPassedThrough) {
    // Opened with "Cancel" highlighted on arrival, the report names the opening colour,
    // but accepting returns whatever the highlight passed through last.
    ColourPopupModel model(kRed);
    model.Key(PopupKey::Left);                                     // "Automatic"
    EXPECT_EQ(model.Key(PopupKey::Left), Changed(kRed));           // "Cancel"
    EXPECT_EQ(model.Result(), kAutomaticColour);
    EXPECT_EQ(model.Key(PopupKey::Space), Accepted(kAutomaticColour));

    ColourPopupModel untouched(kNotInTable);
    EXPECT_EQ(untouched.Key(PopupKey::Down), Changed(kNotInTable));  // "Cancel"
    EXPECT_EQ(untouched.Key(PopupKey::Return), Accepted(kNotInTable));
}

TEST(ColourPopupModel, PositionsOutsideTheTableCountAsCancel) {
    ColourPopupModel model(kRed);
    model.MoveTo(5);
    EXPECT_EQ(model.MoveTo(40), Changed(kRed));
    EXPECT_EQ(model.Current(), kPositionCancel);
    EXPECT_EQ(model.Result(), kColourTable[5].colour);
    model.MoveTo(-7);
    EXPECT_EQ(model.Current(), kPositionCancel);
}

TEST(ColourPopupStylus, PenDownSelectsAndPenUpInsideAccepts) {
    const PopupLayout layout = DeviceLayout();
    ColourPopupModel model(kNotInTable);
    const Rect box = layout.ColourBox(26);
    EXPECT_EQ(model.PenDown(layout, Centre(box, true), Centre(box, false)),
              Changed(kColourTable[26].colour));
    // The same box again changes nothing.
    EXPECT_EQ(model.PenDown(layout, box.left, box.top), PopupNotice{});
    // Between the boxes nothing changes either.
    EXPECT_EQ(model.PenDown(layout, 0, 0), PopupNotice{});
    EXPECT_EQ(model.Current(), 26);
    EXPECT_EQ(model.PenUp(layout, layout.width - 1, layout.height - 1),
              Accepted(kColourTable[26].colour));
}

TEST(ColourPopupStylus, AutomaticBoxGivesTheMarker) {
    const PopupLayout layout = DeviceLayout();
    ColourPopupModel model(kRed);
    const Rect& box = layout.defaultBox;
    EXPECT_EQ(model.PenDown(layout, Centre(box, true), Centre(box, false)),
              Changed(kAutomaticColour));
    EXPECT_EQ(model.PenUp(layout, Centre(box, true), Centre(box, false)),
              Accepted(kAutomaticColour));
}

TEST(ColourPopupStylus, CancelBoxOnAColourNotInTheTableReturnsThatColour) {
    const PopupLayout layout = DeviceLayout();
    ColourPopupModel model(kNotInTable);
    EXPECT_EQ(model.Chosen(), kPositionCancel);
    const Rect& box = layout.customBox;
    EXPECT_EQ(model.PenDown(layout, Centre(box, true), Centre(box, false)),
              Changed(kNotInTable));
    EXPECT_EQ(model.PenUp(layout, Centre(box, true), Centre(box, false)),
              Accepted(kNotInTable));
}

TEST(ColourPopupStylus, PenUpOutsideCancelsEvenAfterATap) {
    const PopupLayout layout = DeviceLayout();
    for (auto [x, y] : {std::pair{-1, 10}, {10, -1}, {layout.width, 10}, {10, layout.height}}) {
        ColourPopupModel model(kRed);
        const Rect box = layout.ColourBox(0);
        model.PenDown(layout, box.left + 1, box.top + 1);
        EXPECT_EQ(model.Result(), kColourTable[0].colour);
        EXPECT_EQ(model.PenUp(layout, x, y), Cancelled(kRed)) << x << "," << y;
        EXPECT_EQ(model.Result(), kRed);
    }
}

TEST(ColourPopupLayout, DeviceSizes) {
    const PopupLayout l = DeviceLayout();
    // Box 18, margin 2; a = 54, b = 13 + 8 + 2 = 23.
    EXPECT_EQ(l.boxSize, 18);
    EXPECT_EQ(l.width, 2 * 2 + 8 * 18);
    EXPECT_EQ(l.defaultBox, (Rect{2, 2, 146, 27}));
    EXPECT_EQ(l.gridTop, 2 + 27 + 2 - 2);
    EXPECT_EQ(l.ColourBox(0), (Rect{2, 29, 20, 47}));
    EXPECT_EQ(l.ColourBox(9), (Rect{20, 47, 38, 65}));
    EXPECT_EQ(l.ColourBox(39), (Rect{128, 101, 146, 119}));
    EXPECT_EQ(l.customBox, (Rect{2, 123, 146, 148}));
    EXPECT_EQ(l.height, 94 + 2 * 29);
    // The grid lies between the two boxes and inside the window.
    EXPECT_GT(l.ColourBox(0).top, l.defaultBox.bottom);
    EXPECT_LT(l.ColourBox(39).bottom, l.customBox.top);
    EXPECT_LE(l.customBox.bottom, l.height);
}

TEST(ColourPopupLayout, WideTextsWidenTheWindowButNotTheGrid) {
    const PopupLayout l = LayoutColourPopup(2, 200, 13);
    EXPECT_EQ(l.width, 204);
    EXPECT_EQ(l.defaultBox.right, 202);
    EXPECT_EQ(l.customBox.right, 202);
    EXPECT_EQ(l.ColourBox(7).right, 2 + 8 * 18);
}

TEST(ColourPopupLayout, ThickEdgesShrinkNothingBelowAVisibleColour) {
    EXPECT_EQ(PopupBoxSize(2), 18);
    EXPECT_EQ(PopupBoxSize(5), 18);   // 18 - 10 - 2 = 6
    EXPECT_EQ(PopupBoxSize(6), 19);   // 18 - 12 - 2 = 4: 2m + 7
    EXPECT_EQ(PopupBoxSize(10), 27);
}

TEST(ColourPopupLayout, HitTestFindsEveryBox) {
    const PopupLayout l = DeviceLayout();
    for (int i = 0; i < kColourCount; ++i) {
        const Rect r = l.ColourBox(i);
        EXPECT_EQ(l.HitTest(r.left, r.top), i);
        EXPECT_EQ(l.HitTest(r.right - 1, r.bottom - 1), i);
    }
    EXPECT_EQ(l.HitTest(l.defaultBox.left, l.defaultBox.top), kPositionAutomatic);
    EXPECT_EQ(l.HitTest(l.customBox.right - 1, l.customBox.bottom - 1), kPositionCancel);
    EXPECT_EQ(l.HitTest(1, 1), kPositionNone);
    EXPECT_EQ(l.HitTest(l.width - 1, l.height - 1), kPositionNone);
}

TEST(ColourPopupLayout, MeasuresTheTextsInThePopupFont) {
    RecordingSurface surface;  // characters half the font height wide
    surface.SetFont(FontSpec{"Arial", 20, 700});
    const PopupLayout l = LayoutColourPopup(2, surface);
    // "Automatic" is 9 characters of 5 pixels; b = 11 + 8 + 2.
    EXPECT_EQ(l.defaultBox.bottom, 21 + 4);
    EXPECT_EQ(surface.Font(), (FontSpec{"Arial", 20, 700}));
}

TEST(ColourPopupPlacement, OpensUnderTheButtonAndStaysOnScreen) {
    const Rect screen{0, 0, 240, 320};
    const Rect button{20, 100, 120, 120};
    EXPECT_EQ(PlaceColourPopup(button, 148, 152, screen), (Rect{20, 120, 168, 272}));
    // Past the right edge: moved left to end there.
    EXPECT_EQ(PlaceColourPopup({150, 100, 230, 120}, 148, 152, screen),
              (Rect{92, 120, 240, 272}));
    // Wider than the screen: the left edge wins.
    EXPECT_EQ(PlaceColourPopup(button, 300, 152, screen), (Rect{0, 120, 300, 272}));
    // Past the bottom: above the button, its bottom at the button's top.
    EXPECT_EQ(PlaceColourPopup({20, 250, 120, 270}, 148, 152, screen),
              (Rect{20, 98, 168, 250}));
    // A screen that does not start at 0.
    EXPECT_EQ(PlaceColourPopup({-50, 10, 0, 30}, 148, 152, {-300, 0, 0, 400}),
              (Rect{-148, 30, 0, 182}));
}

TEST(ColourPickerGeometry, ArrowAndFace) {
    EXPECT_EQ(PickerArrowWidth(), 16);
    EXPECT_EQ(PickerHeight(), 20);
    EXPECT_EQ(PickerMinimumWidth(), 36);
    EXPECT_EQ(PickerArrowRect(100, 20), (Rect{82, 2, 98, 18}));
    EXPECT_EQ(PickerFaceRect(100, 20), (Rect{2, 2, 82, 18}));
}
