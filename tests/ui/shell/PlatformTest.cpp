// The platform's own boxes: the save question's buttons, in the order the program asks.
#include <QApplication>
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
