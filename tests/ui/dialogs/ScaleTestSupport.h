// Helpers of the scale editor tests: the controls (with their enabled state) and the list in
// memory, for driving the editors' logic.
#pragma once

#include <map>
#include <string>

#include "tests/ui/dialogs/DialogTestSupport.h"
#include "ui/dialogs/ScaleEditors.h"

class ScalePort : public FakePort {
public:
    std::map<int, bool> enabled;
    void Enable(int id, bool on) override { enabled[id] = on; }
    bool Enabled(int id) const {
        auto it = enabled.find(id);
        return it != enabled.end() && it->second;
    }
};

// What the list was last told to show.
class FakeScaleList : public ScaleListPort {
public:
    ScaleLines lines;
    int selected = -2;
    void ShowLines(const ScaleLines& l, int s) override {
        lines = l;
        selected = s;
    }
    std::string Cell(int line, int column) const {
        return ToUtf8(lines.at(static_cast<std::size_t>(line)).at(static_cast<std::size_t>(column)));
    }
};
