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

// The tool bar's icons, read as PNG without the image plug-ins, draw exactly what the style's
// own icons draw, at each size and in each mode the tool bar and menus use.
TEST(CommandIcons, DrawAsTheStylesOwn) {
    const struct { QStyle::StandardPixmap which; const char* theme; const char* file; } icons[] = {
        {QStyle::SP_FileIcon, "text-x-generic", "file"},
        {QStyle::SP_DialogOpenButton, "folder-open", "standardbutton-open"},
        {QStyle::SP_DialogSaveButton, "document-save", "standardbutton-save"},
    };
    const QStyle& style = *QApplication::style();
    for (const auto& i : icons) {
        const QIcon ours = CommandIcon(style, i.which, i.theme, i.file);
        const QIcon theirs = style.standardIcon(i.which);
        for (int size : {16, 24, 32, 48, 100})
            for (QIcon::Mode mode : {QIcon::Normal, QIcon::Disabled, QIcon::Active})
                EXPECT_EQ(ours.pixmap(size, mode).toImage(), theirs.pixmap(size, mode).toImage())
                    << i.file << " at " << size << " in mode " << mode;
    }
    // A picture that is not there leaves an empty icon, not a crash.
    EXPECT_TRUE(PngIcon({{16, QStringLiteral(":/no/such.png")}}).pixmap(16).isNull());
}
