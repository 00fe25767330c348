// The platform's own boxes: the save question's buttons, in the order the program asks.
#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

#include <algorithm>

#include "ui/shell/Platform.h"

TEST(SaveQuestion, ButtonsStandInOrderAndEachGivesItsAnswer) {
    const struct { const char* press; DocumentUi::SaveAnswer answer; } cases[] = {
        {"Yes", DocumentUi::SaveAnswer::Yes},
        {"No", DocumentUi::SaveAnswer::No},
        {"Cancel", DocumentUi::SaveAnswer::Cancel},
        {"Save As...", DocumentUi::SaveAnswer::SaveAs},
    };
    for (const auto& c : cases) {
        QStringList order;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            QList<QAbstractButton*> buttons = box->buttons();
            std::sort(buttons.begin(), buttons.end(), [](QAbstractButton* a, QAbstractButton* b) {
                return a->mapToGlobal(QPoint()).x() < b->mapToGlobal(QPoint()).x();
            });
            for (QAbstractButton* b : buttons) {
                order << b->text();
                if (b->text() == QLatin1String(c.press)) b->click();
            }
        });
        QtDocumentUi ui;
        EXPECT_EQ(ui.AskSaveChanges(nullptr, QStringLiteral("Save changes to Untitled?")), c.answer);
        EXPECT_EQ(order, (QStringList{"Yes", "No", "Cancel", "Save As..."}));
    }
}

// An editor's question about an unlikely figure: only "Keep it" keeps it; Enter and Escape,
// like "Change it", go back to the editor.
TEST(DoubtQuestion, OnlyKeepItKeeps) {
    const struct { const char* press; int key; bool kept; } cases[] = {
        {"&Keep it", 0, true},
        {"&Change it", 0, false},
        {nullptr, Qt::Key_Return, false},
        {nullptr, Qt::Key_Escape, false},
    };
    for (const auto& c : cases) {
        QString text;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            text = box->text();
            if (!c.press) {
                QKeyEvent press(QEvent::KeyPress, c.key, Qt::NoModifier);
                QApplication::sendEvent(box, &press);
                return;
            }
            for (QAbstractButton* b : box->buttons())
                if (b->text() == QLatin1String(c.press)) b->click();
        });
        QtDocumentUi ui;
        EXPECT_EQ(ui.AskKeepOrChange(nullptr, QStringLiteral("The rate is high.")), c.kept)
            << (c.press ? c.press : "key");
        EXPECT_EQ(text, QStringLiteral("The rate is high."));
    }
}
