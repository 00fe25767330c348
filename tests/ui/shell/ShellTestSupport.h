// Helpers shared by the shell's tests: the hooks put back after each test, a document UI that
// answers from a script, and the worked example.
#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

#include <deque>
#include <string>
#include <vector>

#include "persist/Settings.h"
#include "tests/model/WorkedExample.h"
#include "ui/shell/Hooks.h"
#include "ui/shell/Platform.h"

// Keeps the installed hooks and colours and restores them when the test ends.
class HooksGuard {
public:
    HooksGuard() : hooks_(Hooks()), colours_(CurrentColours) { Hooks() = ShellHooks{}; }
    ~HooksGuard() {
        Hooks() = hooks_;
        CurrentColours = colours_;
        ResetScalesToStartup();
    }
    HooksGuard(const HooksGuard&) = delete;
    HooksGuard& operator=(const HooksGuard&) = delete;

private:
    ShellHooks hooks_;
    Colours colours_;
};

// Answers the frame's questions from queues and records what it was asked and shown.
class ScriptedUi : public DocumentUi {
public:
    std::deque<QString> openNames, saveNames;
    std::deque<SaveAnswer> answers;
    QStringList questions, messages, proposedNames;

    QString AskOpenFileName(QWidget*) override { return next(openNames); }
    QString AskSaveFileName(QWidget*, const QString& proposed) override {
        proposedNames << proposed;
        return next(saveNames);
    }
    SaveAnswer AskSaveChanges(QWidget*, const QString& question) override {
        questions << question;
        if (answers.empty()) return SaveAnswer::Cancel;
        SaveAnswer a = answers.front();
        answers.pop_front();
        return a;
    }
    void ShowMessage(QWidget*, const QString& text) override { messages << text; }

private:
    static QString next(std::deque<QString>& q) {
        if (q.empty()) return {};
        QString s = q.front();
        q.pop_front();
        return s;
    }
};
