// A surface that records what is drawn on it, for tests and benchmarks. Its font metrics are
// simple and fixed: a line is as high as the font, characters are half as wide.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "ui/shell/Surface.h"

class RecordingSurface : public Surface {
public:
    enum class Kind { Fill, Pattern, Line, Outline, Edge, Text, TextCentred };
    struct Call {
        Kind kind;
        Rect rect;                 // Line: left/top = start, right/bottom = end
        ColourValue colour = 0;
        ColourValue background = 0;
        std::string text{};
        TextAlign align = TextAlign::Left;
        bool opaque = false;
        Edge edge = Edge::Raised;
        FontSpec font{};
        std::optional<Rect> clip{}; // the limit in force when the call was made
    };

    std::vector<Call> calls;
    FontSpec font;

    void FillRect(const Rect& r, ColourValue c) override { add({Kind::Fill, r, c}); }
    void FillPattern(const Rect& r, ColourValue c, ColourValue bg) override {
        Call call{Kind::Pattern, r, c};
        call.background = bg;
        add(call);
    }
    void Line(int x0, int y0, int x1, int y1, ColourValue c) override {
        add({Kind::Line, {x0, y0, x1, y1}, c});
    }
    void OutlineRect(const Rect& r, ColourValue c) override { add({Kind::Outline, r, c}); }
    void DrawEdge(const Rect& r, Edge e) override {
        Call call{Kind::Edge, r};
        call.edge = e;
        add(call);
    }
    void DrawText(const Rect& r, std::string_view text, TextAlign align, ColourValue c,
                  bool opaque, ColourValue bg) override {
        Call call{Kind::Text, r, c};
        call.text = std::string(text);
        call.align = align;
        call.opaque = opaque;
        call.background = bg;
        add(call);
    }
    void DrawTextCentred(const Rect& r, std::string_view text, ColourValue c) override {
        Call call{Kind::TextCentred, r, c};
        call.text = std::string(text);
        call.align = TextAlign::Centre;
        add(call);
    }
    void SetClip(const Rect* r) override {
        clip_ = r ? std::optional<Rect>(*r) : std::nullopt;
    }
    void SetFont(const FontSpec& f) override { font = f; }
    FontSpec Font() const override { return font; }
    FontMetrics Metrics() const override { return {font.height, 0, font.height / 2}; }
    int TextWidth(std::string_view text) const override {
        return static_cast<int>(text.size()) * (font.height / 2);
    }
    ColourValue System(SystemColour role) const override {
        switch (role) {
        case SystemColour::Face: return 0xC0C0C0;
        case SystemColour::Highlight: return 0x800000;
        case SystemColour::Shadow: return 0x808080;
        case SystemColour::HighlightText: return 0xFFFFFF;
        case SystemColour::Window: return 0xFFFFFF;
        default: return 0;
        }
    }

    // The texts drawn, in order.
    std::vector<std::string> Texts() const {
        std::vector<std::string> out;
        for (const auto& c : calls)
            if (c.kind == Kind::Text || c.kind == Kind::TextCentred) out.push_back(c.text);
        return out;
    }

private:
    void add(Call c) {
        c.font = font;
        c.clip = clip_;
        calls.push_back(std::move(c));
    }
    std::optional<Rect> clip_;
};
