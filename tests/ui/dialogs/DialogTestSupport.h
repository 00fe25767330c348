// Helpers of the editor tests: a control port in memory for the logic, and user-like input for
// the widgets (typing, moving the focus, clicking, driving a modal dialog).
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QLineEdit>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <string>

#include "format/Text.h"
#include "ui/dialogs/ValueExchange.h"
#include "ui/shell/Platform.h"

// The controls of a dialog as plain values, for driving an editor's logic without widgets.
class FakePort : public ControlPort {
public:
    std::map<int, std::u16string> texts;
    std::map<int, int> checks;
    std::map<int, int> choices;
    std::set<int> hidden;

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
    void Show(int id, bool visible) override {
        if (visible) hidden.erase(id);
        else hidden.insert(id);
    }
    void Enable(int, bool) override {}

    // What the user typed into a field.
    void Type(int id, const std::string& utf8) { texts[id] = FromUtf8(utf8); }
    std::string Text(int id) const { return ToUtf8(GetText(id)); }
    bool Shown(int id) const { return hidden.count(id) == 0; }
};

// The user as the editor tests play them: the question about doubtful figures is noted and
// answered by `keep` ("Keep it" when unset); no file is ever chosen.
class EditorTestUi : public DocumentUi {
public:
    std::function<bool(const QString& question)> keep;
    QStringList asked;

    QString AskOpenFileName(QWidget*) override { return {}; }
    QString AskSaveFileName(QWidget*, const QString&) override { return {}; }
    SaveAnswer AskSaveChanges(QWidget*, const QString&) override { return SaveAnswer::Cancel; }
    void ShowMessage(QWidget*, const QString&) override {}
    bool AskKeepOrChange(QWidget*, const QString& question) override {
        asked << question;
        return !keep || keep(question);
    }
};

// A user who keeps every figure, for the tests that do not look at the question.
inline DocumentUi& KeepingUi() {
    static EditorTestUi ui;
    return ui;
}

// --- widgets ---

inline Qt::Key KeyOf(QChar c) {
    ushort u = c.toUpper().unicode();
    return u < 128 ? static_cast<Qt::Key>(u) : Qt::Key_unknown;
}

inline void SendKey(QWidget* w, Qt::Key key, const QString& text,
                    Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(w, &release);
}

// Types `text` key by key into the widget that has the focus.
inline void TypeKeys(QWidget* w, const QString& text) {
    for (QChar c : text) SendKey(w, KeyOf(c), QString(c));
}

// Gives the edit the focus, selects its text and types over it, as a user would.
inline void Retype(QLineEdit* edit, const QString& text) {
    edit->setFocus(Qt::MouseFocusReason);
    edit->selectAll();
    SendKey(edit, Qt::Key_Backspace, QStringLiteral("\b"));
    TypeKeys(edit, text);
}

// A mouse click: the button takes the focus first where its policy allows, then clicks.
inline void ClickLikeUser(QAbstractButton* button) {
    if (button->focusPolicy() & Qt::ClickFocus) button->setFocus(Qt::MouseFocusReason);
    button->click();
}

inline QAbstractButton* OkButton(QDialog& dialog) {
    return dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
}
inline QAbstractButton* CancelButton(QDialog& dialog) {
    return dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel);
}

template <class W> W* ControlOf(QWidget& dialog, int id) {
    return dialog.findChild<W*>(QStringLiteral("control%1").arg(id));
}
inline QAbstractButton* RecalculateOf(QWidget& dialog) {
    return dialog.findChild<QAbstractButton*>(QStringLiteral("recalculate"));
}

// Runs `act` on the next modal dialog once its event loop runs (EditItem's exec). The dialog
// must be closed by `act`; one left open is cancelled and the test fails.
inline void OnNextDialog(std::function<void(QDialog&)> act) {
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
