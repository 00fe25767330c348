// Helpers shared by the shell's tests: the colours put back after each test, a document UI that
// answers from a script, and the worked example.
#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

#include <csignal>
#include <deque>
#include <string>
#include <vector>

#include <sys/resource.h>

#include "persist/Settings.h"
#include "tests/model/WorkedExample.h"
#include "ui/shell/InvestmentDocument.h"
#include "ui/shell/Platform.h"

// Keeps the colours and restores them when the test ends.
class ColoursGuard {
public:
    ColoursGuard() : colours_(CurrentColours) {}
    ~ColoursGuard() { CurrentColours = colours_; }
    ColoursGuard(const ColoursGuard&) = delete;
    ColoursGuard& operator=(const ColoursGuard&) = delete;

private:
    Colours colours_;
};

// What an accepted "Property Value" editor leaves behind: a new price, worked out again, one
// step of Undo.
inline void AcceptPrice(InvestmentDocument& document, double price) {
    document.Change(QStringLiteral("Property Value"), [&] {
        document.Record().Price = price;
        document.Record().Recalculate(document.InvestmentScales());
    });
}

// Answers the frame's questions from queues and records what it was asked and shown.
class ScriptedUi : public DocumentUi {
public:
    std::deque<QString> openNames, saveNames;
    std::deque<SaveAnswer> answers;
    std::deque<bool> yesNo; // answers to AskYesNo; "No" when empty
    QStringList questions, messages, proposedNames;
    QStringList icons; // per message: "information", "warning" or "error"

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
    void ShowMessage(QWidget*, const QString& text) override {
        messages << text;
        icons << QStringLiteral("information");
    }
    void ShowProblem(QWidget*, const QString& text, bool error) override {
        messages << text;
        icons << (error ? QStringLiteral("error") : QStringLiteral("warning"));
    }
    bool AskYesNo(QWidget*, const QString& question) override {
        questions << question;
        if (yesNo.empty()) return false;
        const bool yes = yesNo.front();
        yesNo.pop_front();
        return yes;
    }

private:
    static QString next(std::deque<QString>& q) {
        if (q.empty()) return {};
        QString s = q.front();
        q.pop_front();
        return s;
    }
};

// Files of the process may not grow beyond a few bytes while it lives.
// SIGXFSZ is ignored meanwhile, as the program does, so that a write past it fails instead.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &old_);
        rlimit limit = old_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit old_{};
    void (*oldHandler_)(int) = nullptr;
};

