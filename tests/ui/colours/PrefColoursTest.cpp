// "Preferences - Colours" offscreen, run through the shell's hook: what OK, Cancel and
// "Automatic" leave in memory and in the store.
#include <functional>

#include <QApplication>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

#include "persist/Settings.h"
#include "persist/SettingsStore.h"
#include "ui/colours/ColourPicker.h"
#include "ui/colours/ColourPreferences.h"

namespace {

class PrefColoursDialog : public ::testing::Test {
  protected:
    void SetUp() override {
        saved = CurrentColours;
        CurrentColours = Colours{};
    }
    void TearDown() override { CurrentColours = saved; }

    // Runs "Preferences"; `user` works the dialog once it is open and then presses `button`.
    bool Run(
        QDialogButtonBox::StandardButton button,
        std::function<void(ColourPreferences&)> user = [](ColourPreferences&) {}) {
        QTimer::singleShot(0, [=] {
            auto* dialog = qobject_cast<ColourPreferences*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            user(*dialog);
            dialog->Buttons()->button(button)->click();
        });
        return RunPreferences(store, nullptr);
    }

    Colours saved;
    MemorySettingsStore store;
};

} // namespace

TEST_F(PrefColoursDialog, OkUntouchedWritesTheFiveColoursInOrder) {
    EXPECT_TRUE(Run(QDialogButtonBox::Ok, [](ColourPreferences& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Preferences - Colours"));
        EXPECT_EQ(dialog.Picker(0)->text(), QStringLiteral("Interface Background"));
        EXPECT_EQ(dialog.Picker(4)->text(), QStringLiteral("Graphics 3"));
        EXPECT_LT(dialog.Picker(0)->y(), dialog.Picker(4)->y());
        EXPECT_EQ(dialog.Picker(1)->GetColour(), Colours{}.BG2Color);
    }));
    EXPECT_EQ(CurrentColours, Colours{});
    EXPECT_EQ(store.log,
              (std::vector<std::string>{"Settings/BG1Color=16777180", "Settings/BG2Color=16777215",
                                        "Settings/GR1Color=16711680", "Settings/GR2Color=255",
                                        "Settings/GR3Color=65280"}));
}

TEST_F(PrefColoursDialog, CancelChangesNothing) {
    EXPECT_FALSE(Run(QDialogButtonBox::Cancel, [](ColourPreferences& dialog) {
        dialog.Picker(0)->SetColour(RGBColour(255, 255, 0));
    }));
    EXPECT_EQ(CurrentColours, Colours{});
    EXPECT_TRUE(store.log.empty());
}

TEST_F(PrefColoursDialog, AutomaticIsStoredAsTheMarker) {
    EXPECT_TRUE(Run(QDialogButtonBox::Ok, [](ColourPreferences& dialog) {
        // "Graphics 1" the way a user does it: tap the picker, Up to "Automatic", Return.
        ColourPicker* picker = dialog.Picker(2);
        picker->click();
        ASSERT_NE(picker->Popup(), nullptr);
        for (int key : {Qt::Key_Up, Qt::Key_Return}) {
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
            QApplication::sendEvent(picker->Popup(), &press);
        }
        dialog.Picker(4)->SetColour(RGBColour(75, 0, 130));
    }));
    EXPECT_EQ(CurrentColours.GR1Color, kAutomaticColour);
    EXPECT_EQ(CurrentColours.GR3Color, RGBColour(75, 0, 130));
    EXPECT_EQ(store.ReadString(kSectionSettings, "GR1Color"), "-16777216");
    // The next start reads back what is in use now.
    EXPECT_EQ(ReadColours(store), CurrentColours);
}
