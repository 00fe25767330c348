// Pictures of the colour preferences and of an open popup for the documentation; they are
// taken only when VEL_SCREENSHOT_DIR names a folder.
#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QPixmap>
#include <gtest/gtest.h>

#include "persist/Settings.h"
#include "ui/colours/ColourPicker.h"
#include "ui/colours/ColourPreferences.h"

TEST(Screenshots, Colours) {
    const QString dir = qEnvironmentVariable("VEL_SCREENSHOT_DIR");
    if (dir.isEmpty()) GTEST_SKIP() << "VEL_SCREENSHOT_DIR is not set";

    ColourPreferences dialog;
    dialog.SetColours(Colours{});
    dialog.show();
    QApplication::processEvents();
    EXPECT_TRUE(dialog.grab().save(QDir(dir).filePath(QStringLiteral("prefs-colours.png"))));

    // "Graphics 2" open, its red chosen, the highlight moved two boxes on.
    ColourPicker* picker = dialog.Picker(3);
    picker->click();
    ColourPopup* popup = picker->Popup();
    ASSERT_NE(popup, nullptr);
    for (int key : {Qt::Key_Down, Qt::Key_Up, Qt::Key_Up, Qt::Key_Up, Qt::Key_Right}) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(popup, &press);
    }
    QApplication::processEvents();
    EXPECT_TRUE(popup->grab().save(QDir(dir).filePath(QStringLiteral("colour-popup.png"))));
    popup->close();
    QApplication::processEvents();
}
