// What the popup and the picker button draw, recorded call by call.
#include <algorithm>

#include <gtest/gtest.h>

#include "persist/Settings.h"
#include "ui/colours/ColourDrawing.h"
#include "ui/shell/RecordingSurface.h"

namespace {

using Kind = RecordingSurface::Kind;
using Call = RecordingSurface::Call;

std::vector<Call> CallsIn(const RecordingSurface& s, Kind kind, const Rect& r) {
    std::vector<Call> out;
    for (const Call& c : s.calls)
        if (c.kind == kind && c.rect == r) out.push_back(c);
    return out;
}

Rect Inset(const Rect& r, int d) { return {r.left + d, r.top + d, r.right - d, r.bottom - d}; }

const ColourValue kFace = RecordingSurface().System(SystemColour::Face);
const ColourValue kHighlight = RecordingSurface().System(SystemColour::Highlight);
const ColourValue kShadow = RecordingSurface().System(SystemColour::Shadow);

}  // namespace

TEST(ColourPopupDrawing, MarksTheChosenAndTheCurrentBox) {
    const PopupLayout layout = LayoutColourPopup(2, 50, 13);
    ColourPopupModel model(kColourTable[16].colour);
    model.MoveTo(20);
    RecordingSurface s;
    DrawColourPopup(s, layout, model);

    // Chosen, not current: highlight behind it and a sunken edge.
    const Rect chosen = layout.ColourBox(16);
    ASSERT_EQ(CallsIn(s, Kind::Fill, chosen).size(), 1u);
    EXPECT_EQ(CallsIn(s, Kind::Fill, chosen)[0].colour, kHighlight);
    ASSERT_EQ(CallsIn(s, Kind::Edge, chosen).size(), 1u);
    EXPECT_EQ(CallsIn(s, Kind::Edge, chosen)[0].edge, Edge::Sunken);

    // Current: face colour, raised.
    const Rect current = layout.ColourBox(20);
    EXPECT_EQ(CallsIn(s, Kind::Fill, current)[0].colour, kFace);
    ASSERT_EQ(CallsIn(s, Kind::Edge, current).size(), 1u);
    EXPECT_EQ(CallsIn(s, Kind::Edge, current)[0].edge, Edge::Raised);

    // Any other box: face colour, no edge; the colour inset by margin + 1, outlined.
    const Rect other = layout.ColourBox(5);
    EXPECT_EQ(CallsIn(s, Kind::Fill, other)[0].colour, kFace);
    EXPECT_TRUE(CallsIn(s, Kind::Edge, other).empty());
    const Rect swatch = Inset(other, 3);
    ASSERT_EQ(CallsIn(s, Kind::Fill, swatch).size(), 1u);
    EXPECT_EQ(CallsIn(s, Kind::Fill, swatch)[0].colour, kColourTable[5].colour);
    ASSERT_EQ(CallsIn(s, Kind::Outline, swatch).size(), 1u);
    EXPECT_EQ(CallsIn(s, Kind::Outline, swatch)[0].colour, kShadow);

    // Both texts in the popup font, centred in their boxes.
    const auto texts = s.Texts();
    EXPECT_EQ(texts, (std::vector<std::string>{"Automatic", "Cancel"}));
    for (const Call& c : s.calls) {
        if (c.kind == Kind::TextCentred) {
            EXPECT_EQ(c.font, PopupFont());
        }
    }
    EXPECT_EQ(CallsIn(s, Kind::TextCentred, layout.defaultBox).size(), 1u);
    // The surface's own font comes back afterwards.
    EXPECT_EQ(s.Font(), FontSpec{});

    // A raised border around the whole popup, drawn last.
    const Rect window{0, 0, layout.width, layout.height};
    ASSERT_FALSE(s.calls.empty());
    EXPECT_EQ(CallsIn(s, Kind::Edge, window).size(), 1u);
    EXPECT_EQ(s.calls.back().kind, Kind::Edge);
    EXPECT_EQ(s.calls.back().edge, Edge::Raised);
}

TEST(ColourPopupDrawing, AutomaticAndCancelBoxes) {
    const PopupLayout layout = LayoutColourPopup(2, 50, 13);
    const Rect autoInner = Inset(layout.defaultBox, 1);
    const Rect& c = layout.customBox;
    const Rect cancelInner{c.left + 1, c.top + 4 + 1, c.right - 1, c.bottom - 1};

    {   // Opened on the automatic marker, nothing highlighted yet.
        ColourPopupModel model(kAutomaticColour);
        RecordingSurface s;
        DrawColourPopup(s, layout, model);
        ASSERT_EQ(CallsIn(s, Kind::Fill, autoInner).size(), 1u);
        EXPECT_EQ(CallsIn(s, Kind::Fill, autoInner)[0].colour, kHighlight);
        EXPECT_EQ(CallsIn(s, Kind::Edge, autoInner)[0].edge, Edge::Sunken);
        // The outline around the text lies 2 margins further in.
        EXPECT_EQ(CallsIn(s, Kind::Outline, Inset(autoInner, 4)).size(), 1u);
        EXPECT_EQ(CallsIn(s, Kind::Fill, cancelInner)[0].colour, kFace);
        EXPECT_TRUE(CallsIn(s, Kind::Edge, cancelInner).empty());
        // The etched line over "Cancel", 2 margins in from each side.
        const Rect etched{c.left + 4, c.top, c.right - 4, c.top + 2};
        ASSERT_EQ(CallsIn(s, Kind::Edge, etched).size(), 1u);
        EXPECT_EQ(CallsIn(s, Kind::Edge, etched)[0].edge, Edge::Etched);
    }
    {   // Opened on a colour not in the table, then "Cancel" highlighted.
        ColourPopupModel model(RGBColour(1, 2, 3));
        model.MoveTo(kPositionCancel);
        RecordingSurface s;
        DrawColourPopup(s, layout, model);
        EXPECT_EQ(CallsIn(s, Kind::Fill, cancelInner)[0].colour, kFace);
        ASSERT_EQ(CallsIn(s, Kind::Edge, cancelInner).size(), 1u);
        EXPECT_EQ(CallsIn(s, Kind::Edge, cancelInner)[0].edge, Edge::Raised);
        EXPECT_TRUE(CallsIn(s, Kind::Edge, autoInner).empty());
    }
}

TEST(ColourPickerDrawing, FaceShowsTheColourOrThePlatformFace) {
    PickerLook look;
    look.width = 120;
    look.height = PickerHeight();
    look.caption = "Graphics 1";
    look.textColour = 0;
    const Rect face = PickerFaceRect(look.width, look.height);
    const auto faceFill = [&](const PickerLook& l) {
        RecordingSurface s;
        DrawColourPicker(s, l);
        const auto fills = CallsIn(s, Kind::Fill, face);
        return fills.empty() ? ColourValue(0xDEADBEEF) : fills.back().colour;
    };

    look.colour = RGBColour(0, 0, 255);
    EXPECT_EQ(faceFill(look), RGBColour(0, 0, 255));
    look.colour = kAutomaticColour;
    EXPECT_EQ(faceFill(look), kFace);
    look.colour = RGBColour(0, 0, 255);
    look.enabled = false;
    EXPECT_EQ(faceFill(look), kFace);
}

TEST(ColourPickerDrawing, CaptionArrowAndFocus) {
    PickerLook look;
    look.width = 120;
    look.height = PickerHeight();
    look.caption = "Graphics 2";
    look.colour = RGBColour(255, 0, 0);
    look.textColour = kAutomaticColour;
    look.font = FontSpec{"Tahoma", 13, 400};
    look.focused = true;
    RecordingSurface s;
    DrawColourPicker(s, look);
    const Rect face = PickerFaceRect(look.width, look.height);

    const auto captions = CallsIn(s, Kind::TextCentred, face);
    ASSERT_EQ(captions.size(), 1u);
    EXPECT_EQ(captions[0].text, "Graphics 2");
    EXPECT_EQ(captions[0].colour, 0u);  // black for the automatic text colour
    EXPECT_EQ(captions[0].font, look.font);

    // The arrow head lies inside the arrow button, which is at the right end.
    const Rect arrow = PickerArrowRect(look.width, look.height);
    int lines = 0;
    for (const Call& c : s.calls) {
        if (c.kind != Kind::Line) continue;
        ++lines;
        EXPECT_TRUE(arrow.contains(c.rect.left, c.rect.top));
    }
    EXPECT_EQ(lines, 4);

    // A dotted focus frame one pixel inside the face, on the face's colour.
    int dotted = 0;
    for (const Call& c : s.calls)
        if (c.kind == Kind::Pattern) {
            ++dotted;
            EXPECT_EQ(c.background, look.colour);
            EXPECT_GE(c.rect.left, face.left + 1);
            EXPECT_LE(c.rect.right, face.right - 1);
        }
    EXPECT_EQ(dotted, 4);
}

TEST(ColourPickerDrawing, DisabledCaptionIsEmbossed) {
    PickerLook look;
    look.width = 120;
    look.height = PickerHeight();
    look.caption = "Graphics 3";
    look.enabled = false;
    RecordingSurface s;
    DrawColourPicker(s, look);
    const Rect face = PickerFaceRect(look.width, look.height);
    ASSERT_EQ(CallsIn(s, Kind::TextCentred, face.moved(1, 1)).size(), 1u);
    const auto top = CallsIn(s, Kind::TextCentred, face);
    ASSERT_EQ(top.size(), 1u);
    EXPECT_EQ(top[0].colour, kShadow);
}
