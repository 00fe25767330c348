// The picker and its popup as widgets, offscreen: what reaches the owner.
#include <vector>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>
#include <gtest/gtest.h>

#include "persist/Settings.h"
#include "ui/colours/ColourPicker.h"

namespace {

struct Notice {
    int notification;
    ColourValue colour;
    bool operator==(const Notice&) const = default;
};
void PrintTo(const Notice& n, std::ostream* os) {
    *os << n.notification << ":" << n.colour;
}

constexpr ColourValue kRed = RGBColour(255, 0, 0);

void Key(QWidget* w, int key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(w, &press);
}

void Mouse(QWidget* w, QEvent::Type type, QPoint at) {
    QMouseEvent event(type, QPointF(at), QPointF(w->mapToGlobal(at)), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

class PickerWidget : public ::testing::Test {
  protected:
    void SetUp() override {
        window.resize(240, 320);
        picker = new ColourPicker(QStringLiteral("Graphics 2"), 77, &window);
        picker->setGeometry(10, 10, 200, picker->height());
        picker->SetColour(kRed);
        QObject::connect(picker, &ColourPicker::Notify, [this](int n, ColourValue c, int id) {
            EXPECT_EQ(id, 77);
            notices.push_back({n, c});
        });
        window.show();
    }
    ColourPopup* Open() {
        picker->click();
        return picker->Popup();
    }

    QWidget window;
    ColourPicker* picker = nullptr;
    std::vector<Notice> notices;
};

} // namespace

TEST_F(PickerWidget, OpensUnderTheButtonAndAcceptsWithReturn) {
    EXPECT_EQ(picker->height(), PickerHeight());
    ColourPopup* popup = Open();
    ASSERT_NE(popup, nullptr);
    EXPECT_TRUE(picker->IsActive());
    EXPECT_EQ(popup->pos(), picker->mapToGlobal(QPoint(0, picker->height())));
    EXPECT_EQ(popup->size(), QSize(popup->Layout().width, popup->Layout().height));
    Key(popup, Qt::Key_Up);               // "Automatic"
    Key(popup, Qt::Key_Down);             // Black
    Key(popup, Qt::Key_Right);            // Brown
    EXPECT_EQ(picker->GetColour(), kRed); // only the highlight moves while it is open
    Key(popup, Qt::Key_Return);
    const ColourValue brown = kColourTable[1].colour;
    EXPECT_EQ(notices, (std::vector<Notice>{{PickerOpened, kRed},
                                            {PickerSelectionChanged, kAutomaticColour},
                                            {PickerSelectionChanged, kColourTable[0].colour},
                                            {PickerSelectionChanged, brown},
                                            {PickerClosed, brown},
                                            {PickerAccepted, brown}}));
    EXPECT_EQ(picker->GetColour(), brown);
    EXPECT_FALSE(picker->IsActive());
    QApplication::processEvents();
    EXPECT_EQ(picker->Popup(), nullptr);
}

TEST_F(PickerWidget, EscapeOrAClosedPopupRestoresTheColour) {
    ColourPopup* popup = Open();
    ASSERT_NE(popup, nullptr);
    Key(popup, Qt::Key_Left);
    Key(popup, Qt::Key_Left);
    Key(popup, Qt::Key_Escape);
    EXPECT_EQ(notices[notices.size() - 2], (Notice{PickerClosed, kRed}));
    EXPECT_EQ(notices.back(), (Notice{PickerCancelled, kRed}));
    QApplication::processEvents();

    // Closed by something else (another window took over): a cancel as well.
    popup = Open();
    ASSERT_NE(popup, nullptr);
    Key(popup, Qt::Key_Down);
    popup->close();
    EXPECT_EQ(notices.back(), (Notice{PickerCancelled, kRed}));
    EXPECT_EQ(picker->GetColour(), kRed);
    EXPECT_FALSE(picker->IsActive());
}

TEST_F(PickerWidget, StylusReleaseOutsideCancelsInsideAccepts) {
    ColourPopup* popup = Open();
    ASSERT_NE(popup, nullptr);
    const Rect box = popup->Layout().ColourBox(26);
    Mouse(popup, QEvent::MouseButtonPress, QPoint(box.left + 5, box.top + 5));
    EXPECT_EQ(notices.back(), (Notice{PickerSelectionChanged, kColourTable[26].colour}));
    Mouse(popup, QEvent::MouseButtonRelease, QPoint(-20, -20));
    EXPECT_EQ(notices.back(), (Notice{PickerCancelled, kRed}));
    QApplication::processEvents();

    popup = Open();
    ASSERT_NE(popup, nullptr);
    Mouse(popup, QEvent::MouseButtonPress, QPoint(box.left + 5, box.top + 5));
    Mouse(popup, QEvent::MouseButtonRelease, QPoint(1, 1)); // on the border, still inside
    EXPECT_EQ(notices.back(), (Notice{PickerAccepted, kColourTable[26].colour}));
    EXPECT_EQ(picker->GetColour(), kColourTable[26].colour);
}

TEST_F(PickerWidget, PickerGoingAwayWithItsPopupOpenIsQuiet) {
    ASSERT_NE(Open(), nullptr);
    const std::size_t before = notices.size();
    delete picker;
    QApplication::processEvents();
    EXPECT_EQ(notices.size(), before);
}
