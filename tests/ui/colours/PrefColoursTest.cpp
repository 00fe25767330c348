// "Preferences - Colours" offscreen: what OK, Cancel and "Automatic" leave in memory and in
// the store.
#include <functional>
#include <string>
#include <vector>

#include <QApplication>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

#include "persist/Settings.h"
#include "persist/SettingsStore.h"
#include "ui/colours/ColourPicker.h"
#include "ui/colours/PrefColours.h"
#include "ui/shell/Hooks.h"

namespace {

// Keeps the colours in use as they were before the test.
class PrefColoursFixture : public ::testing::Test {
protected:
    void SetUp() override { saved = CurrentColours; }
    void TearDown() override { CurrentColours = saved; }

    // Runs the "Preferences" command and lets `user` work the dialog once it is open.
    bool Run(std::function<void(CPrefColours&)> user) {
        QTimer::singleShot(0, [user] {
            auto* dialog = qobject_cast<CPrefColours*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            user(*dialog);
        });
        return RunPreferences(store, nullptr);
    }

    std::string Stored(const char* name) const {
        return store.ReadString(kSectionSettings, name).value_or("<absent>");
    }

    Colours saved;
    MemorySettingsStore store;
};

void Press(QDialog& dialog, QDialogButtonBox::StandardButton which) {
    auto* buttons = dialog.findChild<QDialogButtonBox*>();
    ASSERT_NE(buttons, nullptr);
    buttons->button(which)->click();
}

}  // namespace

TEST_F(PrefColoursFixture, ShowsFivePickersWithTheColoursInUse) {
    CurrentColours.GR2Color = RGBColour(0, 0, 139);
    bool seen = false;
    Run([&](CPrefColours& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Preferences - Colours"));
        const char* captions[] = {"Interface Background", "Graphics Background", "Graphics 1",
                                  "Graphics 2", "Graphics 3"};
        const ColourValue colours[] = {CurrentColours.BG1Color, CurrentColours.BG2Color,
                                       CurrentColours.GR1Color, CurrentColours.GR2Color,
                                       CurrentColours.GR3Color};
        int lastY = -1;
        for (int i = 0; i < CPrefColours::kPickerCount; ++i) {
            CColourPicker* picker = dialog.Picker(i);
            ASSERT_NE(picker, nullptr);
            EXPECT_EQ(picker->text(), QString::fromUtf8(captions[i]));
            EXPECT_EQ(picker->GetColour(), colours[i]);
            EXPECT_GT(picker->y(), lastY);  // top to bottom
            lastY = picker->y();
        }
        seen = true;
        Press(dialog, QDialogButtonBox::Cancel);
    });
    EXPECT_TRUE(seen);
}

TEST_F(PrefColoursFixture, OkUntouchedWritesTheFiveColoursInOrder) {
    CurrentColours = Colours{};
    EXPECT_TRUE(Run([](CPrefColours& dialog) { Press(dialog, QDialogButtonBox::Ok); }));
    EXPECT_EQ(CurrentColours, Colours{});
    EXPECT_EQ(store.log, (std::vector<std::string>{
                             "Settings/BG1Color=16777180", "Settings/BG2Color=16777215",
                             "Settings/GR1Color=16711680", "Settings/GR2Color=255",
                             "Settings/GR3Color=65280"}));
}

TEST_F(PrefColoursFixture, CancelChangesNothing) {
    const Colours before = CurrentColours;
    EXPECT_FALSE(Run([](CPrefColours& dialog) {
        dialog.Picker(0)->SetColour(RGBColour(255, 255, 0));
        Press(dialog, QDialogButtonBox::Cancel);
    }));
    EXPECT_EQ(CurrentColours, before);
    EXPECT_TRUE(store.log.empty());
    EXPECT_TRUE(store.values.empty());
}

TEST_F(PrefColoursFixture, AutomaticIsStoredAsTheMarker) {
    CurrentColours = Colours{};
    EXPECT_TRUE(Run([](CPrefColours& dialog) {
        // Pick "Automatic" for "Graphics 1" the way a user does: tap the picker, Up, Return.
        CColourPicker* picker = dialog.Picker(2);
        picker->click();
        CColourPopup* popup = picker->Popup();
        ASSERT_NE(popup, nullptr);
        for (int key : {Qt::Key_Up, Qt::Key_Return}) {
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
            QApplication::sendEvent(popup, &press);
        }
        EXPECT_EQ(picker->GetColour(), kAutomaticColour);
        Press(dialog, QDialogButtonBox::Ok);
    }));
    EXPECT_EQ(CurrentColours.GR1Color, kAutomaticColour);
    EXPECT_EQ(Stored("GR1Color"), "-16777216");
    EXPECT_EQ(Stored("BG1Color"), "16777180");
    // And it comes back as the marker at the next start.
    EXPECT_EQ(ReadColours(store).GR1Color, kAutomaticColour);
}

TEST_F(PrefColoursFixture, OkTakesThePickedColours) {
    CurrentColours = Colours{};
    EXPECT_TRUE(Run([](CPrefColours& dialog) {
        dialog.Picker(0)->SetColour(RGBColour(255, 255, 224));
        dialog.Picker(4)->SetColour(RGBColour(75, 0, 130));
        Press(dialog, QDialogButtonBox::Ok);
    }));
    EXPECT_EQ(CurrentColours.BG1Color, RGBColour(255, 255, 224));
    EXPECT_EQ(CurrentColours.GR3Color, RGBColour(75, 0, 130));
    EXPECT_EQ(CurrentColours.GR2Color, Colours{}.GR2Color);
    EXPECT_EQ(ReadColours(store), CurrentColours);
}

TEST_F(PrefColoursFixture, InstallsThePreferencesCommand) {
    const auto before = Hooks().preferences;
    InstallColourHooks();
    ASSERT_TRUE(static_cast<bool>(Hooks().preferences));
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<CPrefColours*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        Press(*dialog, QDialogButtonBox::Ok);
    });
    EXPECT_TRUE(Hooks().preferences(store, nullptr));
    EXPECT_EQ(store.log.size(), 5u);
    Hooks().preferences = before;
}
