// Helpers of the scale editor tests: controls and a list in memory for driving the logic, and a
// way to act on the next modal dialog for the widget tests.
#pragma once

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <string>

#include "format/Text.h"
#include "ui/dialogs/ScaleEditors.h"
#include "ui/dialogs/ValueExchange.h"

namespace scaletest {

// The controls of a scale editor as plain values, with the enabled state of each.
class Port : public ControlPort {
public:
    std::map<int, std::u16string> texts;
    std::map<int, int> checks;
    std::map<int, int> choices;
    std::map<int, bool> enabled;

    std::u16string GetText(int id) const override {
        auto it = texts.find(id);
        return it == texts.end() ? std::u16string() : it->second;
    }
    void PutText(int id, std::u16string_view text) override { texts[id] = std::u16string(text); }
    int GetCheckState(int id) const override {
        auto it = checks.find(id);
        return it == checks.end() ? 0 : it->second;
    }
    void PutCheckState(int id, int state) override { checks[id] = state; }
    int GetChoice(int id) const override {
        auto it = choices.find(id);
        return it == choices.end() ? -1 : it->second;
    }
    void PutChoice(int id, int index) override { choices[id] = index; }
    void Show(int, bool) override {}
    void Enable(int id, bool on) override { enabled[id] = on; }

    void Type(int id, const std::string& utf8) { texts[id] = FromUtf8(utf8); }
    std::string Text(int id) const { return ToUtf8(GetText(id)); }
    bool Enabled(int id) const {
        auto it = enabled.find(id);
        return it != enabled.end() && it->second;
    }
};

// What the list was last told to show.
class List : public ScaleListPort {
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

// Runs `act` on the next modal dialog once its event loop runs. A dialog that `act` leaves open
// is cancelled and the test fails.
inline void OnNextModal(std::function<void(QDialog&)> act) {
    QTimer::singleShot(0, [act] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog) {
            ADD_FAILURE() << "no modal dialog is open";
            return;
        }
        dialog->activateWindow();
        QApplication::setActiveWindow(dialog);
        act(*dialog);
        if (dialog->isVisible()) {
            ADD_FAILURE() << "the dialog was left open";
            dialog->reject();
        }
    });
}

} // namespace scaletest
