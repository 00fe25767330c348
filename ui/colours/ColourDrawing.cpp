#include "ui/colours/ColourDrawing.h"

#include "persist/Settings.h"

namespace {

Rect Inset(const Rect& r, int dx, int dy) {
    return {r.left + dx, r.top + dy, r.right - dx, r.bottom - dy};
}
Rect Inset(const Rect& r, int d) {
    return Inset(r, d, d);
}

// The platform's 3-D border: two raised 1-pixel edges.
void RaisedBorder(Surface& s, const Rect& r) {
    s.DrawEdge(r, Edge::Raised);
    s.DrawEdge(Inset(r, 1), Edge::Raised);
}

// "Automatic" and the lower part of "Cancel": a face-coloured box whose inner part shows
// whether the position is chosen or current, with the text in the middle.
void DrawTextBox(Surface& s, const Rect& box, int position, std::string_view text,
                 const ColourPopupModel& model, int margin) {
    const bool current = model.Current() == position;
    const bool chosen = model.Chosen() == position;
    const bool marked = chosen && !current;
    const ColourValue face = s.System(SystemColour::Face);
    s.FillRect(box, face);
    const Rect inner = Inset(box, 1);
    s.FillRect(inner, marked ? s.System(SystemColour::Highlight) : face);
    s.OutlineRect(Inset(inner, 2 * margin), s.System(SystemColour::Shadow));
    if (current)
        s.DrawEdge(inner, Edge::Raised);
    else if (chosen)
        s.DrawEdge(inner, Edge::Sunken);
    s.DrawTextCentred(box, text,
                      s.System(marked ? SystemColour::HighlightText : SystemColour::ButtonText));
}

void DrawColourBox(Surface& s, const PopupLayout& layout, int index,
                   const ColourPopupModel& model) {
    const Rect box = layout.ColourBox(index);
    const bool current = model.Current() == index;
    const bool chosen = model.Chosen() == index;
    s.FillRect(box, s.System(chosen && !current ? SystemColour::Highlight : SystemColour::Face));
    if (current)
        s.DrawEdge(box, Edge::Raised);
    else if (chosen)
        s.DrawEdge(box, Edge::Sunken);
    const Rect swatch = Inset(box, layout.margin + 1);
    s.FillRect(swatch, kColourTable[static_cast<std::size_t>(index)].colour);
    s.OutlineRect(swatch, s.System(SystemColour::Shadow));
}

// A down-pointing triangle, `rows` pixels high, centred in r.
void DrawArrowHead(Surface& s, const Rect& r, ColourValue colour) {
    const int rows = 4;
    const int cx = r.left + r.width() / 2;
    const int top = r.top + (r.height() - rows) / 2;
    for (int i = 0; i < rows; ++i) {
        const int half = rows - 1 - i;
        s.Line(cx - half, top + i, cx + half + 1, top + i, colour);
    }
}

// The platform's dotted focus frame: a checkerboard one pixel thick.
void FocusFrame(Surface& s, const Rect& r, ColourValue colour, ColourValue background) {
    if (r.width() <= 0 || r.height() <= 0) return;
    s.FillPattern({r.left, r.top, r.right, r.top + 1}, colour, background);
    s.FillPattern({r.left, r.bottom - 1, r.right, r.bottom}, colour, background);
    s.FillPattern({r.left, r.top, r.left + 1, r.bottom}, colour, background);
    s.FillPattern({r.right - 1, r.top, r.right, r.bottom}, colour, background);
}

} // namespace

void DrawColourPopup(Surface& s, const PopupLayout& layout, const ColourPopupModel& model) {
    const FontSpec saved = s.Font();
    s.SetFont(PopupFont());
    const int m = layout.margin;
    const Rect window{0, 0, layout.width, layout.height};
    s.FillRect(window, s.System(SystemColour::Face));

    DrawTextBox(s, layout.defaultBox, kPositionAutomatic, kAutomaticText, model, m);

    for (int i = 0; i < kColourCount; ++i)
        DrawColourBox(s, layout, i, model);

    // "Cancel" sits under an etched line that sets it apart from the grid.
    const Rect& custom = layout.customBox;
    s.DrawEdge({custom.left + 2 * m, custom.top, custom.right - 2 * m, custom.top + 2},
               Edge::Etched);
    DrawTextBox(s, {custom.left, custom.top + 2 * m, custom.right, custom.bottom}, kPositionCancel,
                kCancelText, model, m);

    RaisedBorder(s, window);
    s.SetFont(saved);
}

void DrawColourPicker(Surface& s, const PickerLook& look) {
    const ColourValue face = s.System(SystemColour::Face);
    const Rect client{0, 0, look.width, look.height};
    s.FillRect(client, face);

    // The drop-down arrow button.
    const Rect arrow = PickerArrowRect(look.width, look.height);
    s.FillRect(arrow, face);
    if (look.pushed)
        s.DrawEdge(arrow, Edge::FlatSunken);
    else
        RaisedBorder(s, arrow);
    const Rect head = look.pushed ? arrow.moved(1, 1) : arrow;
    DrawArrowHead(s, head,
                  s.System(look.enabled ? SystemColour::ButtonText : SystemColour::Shadow));

    s.DrawEdge(client, Edge::FlatSunken);

    const Rect inner = PickerFaceRect(look.width, look.height);
    const bool plain = !look.enabled || look.colour == kAutomaticColour;
    const ColourValue fill = plain ? face : look.colour;
    s.FillRect(inner, fill);

    if (!look.caption.empty()) {
        const FontSpec saved = s.Font();
        s.SetFont(look.font);
        if (look.enabled) {
            const ColourValue text = look.textColour == kAutomaticColour ? 0 : look.textColour;
            s.DrawTextCentred(inner, look.caption, text);
        } else {
            // Embossed: a light copy one pixel down and right, the shadow on top. The surface
            // has no role for the light of 3-D edges; the window colour stands in for it.
            s.DrawTextCentred(inner.moved(1, 1), look.caption, s.System(SystemColour::Window));
            s.DrawTextCentred(inner, look.caption, s.System(SystemColour::Shadow));
        }
        s.SetFont(saved);
    }

    if (look.focused) FocusFrame(s, Inset(inner, 1), s.System(SystemColour::ButtonText), fill);
}
