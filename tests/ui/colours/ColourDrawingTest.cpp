// What the popup and the picker button draw, recorded call by call.
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

Rect Inset(const Rect& r, int d) {
    return {r.left + d, r.top + d, r.right - d, r.bottom - d};
}

const ColourValue kFace = RecordingSurface().System(SystemColour::Face);
const ColourValue kHighlight = RecordingSurface().System(SystemColour::Highlight);

} // namespace

TEST(ColourPopupDrawing, MarksTheChosenAndTheCurrentBox) {
    const PopupLayout layout = LayoutColourPopup(2, 50, 13);
    ColourPopupModel model(kColourTable[16].colour);
    model.MoveTo(20);
    RecordingSurface s;
    DrawColourPopup(s, layout, model);

    struct Expect {
        int index;
        ColourValue fill;
        std::vector<Edge> edges;
    };
    for (const Expect& e : {Expect{16, kHighlight, {Edge::Sunken}}, // chosen
                            Expect{20, kFace, {Edge::Raised}},      // current
                            Expect{5, kFace, {}}}) {
        const Rect box = layout.ColourBox(e.index);
        ASSERT_EQ(CallsIn(s, Kind::Fill, box).size(), 1u) << e.index;
        EXPECT_EQ(CallsIn(s, Kind::Fill, box)[0].colour, e.fill) << e.index;
        std::vector<Edge> edges;
        for (const Call& c : CallsIn(s, Kind::Edge, box))
            edges.push_back(c.edge);
        EXPECT_EQ(edges, e.edges) << e.index;
        // The colour itself, inset by margin + 1.
        const auto swatch = CallsIn(s, Kind::Fill, Inset(box, 3));
        ASSERT_EQ(swatch.size(), 1u);
        EXPECT_EQ(swatch[0].colour, kColourTable[static_cast<std::size_t>(e.index)].colour);
    }
    // Nothing marks "Automatic" or "Cancel".
    EXPECT_TRUE(CallsIn(s, Kind::Edge, Inset(layout.defaultBox, 1)).empty());
    EXPECT_EQ(s.Texts(), (std::vector<std::string>{"Automatic", "Cancel"}));
    EXPECT_EQ(s.calls.back().font, PopupFont());
    EXPECT_EQ(s.Font(), FontSpec{});
}

TEST(ColourPopupDrawing, AutomaticChosenAndCancelCurrent) {
    const PopupLayout layout = LayoutColourPopup(2, 50, 13);
    ColourPopupModel model(kAutomaticColour);
    model.MoveTo(kPositionCancel);
    RecordingSurface s;
    DrawColourPopup(s, layout, model);
    const Rect automatic = Inset(layout.defaultBox, 1);
    EXPECT_EQ(CallsIn(s, Kind::Fill, automatic)[0].colour, kHighlight);
    EXPECT_EQ(CallsIn(s, Kind::Edge, automatic)[0].edge, Edge::Sunken);
    // "Cancel" starts 2 margins under its box's top, under the etched line.
    const Rect& c = layout.customBox;
    EXPECT_EQ(CallsIn(s, Kind::Edge, {c.left + 4, c.top, c.right - 4, c.top + 2})[0].edge,
              Edge::Etched);
    const Rect cancel{c.left + 1, c.top + 5, c.right - 1, c.bottom - 1};
    EXPECT_EQ(CallsIn(s, Kind::Fill, cancel)[0].colour, kFace);
    EXPECT_EQ(CallsIn(s, Kind::Edge, cancel)[0].edge, Edge::Raised);
}

TEST(ColourPickerDrawing, FaceShowsTheColourOrThePlatformFace) {
    PickerLook look;
    look.width = 120;
    look.height = PickerHeight();
    look.caption = "Graphics 1";
    look.textColour = kAutomaticColour;
    const Rect face = PickerFaceRect(look.width, look.height);
    const auto draw = [&](ColourValue colour, bool enabled) {
        look.colour = colour;
        look.enabled = enabled;
        RecordingSurface s;
        DrawColourPicker(s, look);
        return s;
    };
    EXPECT_EQ(CallsIn(draw(0xFF0000, true), Kind::Fill, face).back().colour, 0xFF0000u);
    EXPECT_EQ(CallsIn(draw(kAutomaticColour, true), Kind::Fill, face).back().colour, kFace);
    EXPECT_EQ(CallsIn(draw(0xFF0000, false), Kind::Fill, face).back().colour, kFace);
    // An automatic text colour is black.
    EXPECT_EQ(CallsIn(draw(0xFF0000, true), Kind::TextCentred, face).at(0).colour, 0u);
}
