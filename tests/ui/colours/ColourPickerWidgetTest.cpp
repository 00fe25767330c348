// The picker and its popup as widgets, offscreen: opening, keys, stylus and the
// notifications that reach the owner.
#include <vector>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>
#include <gtest/gtest.h>

#include "persist/Settings.h"
#include "ui/colours/ColourPicker.h"
#include "ui/shell/QPainterSurface.h"

namespace {

struct Notice {
    int notification;
    ColourValue colour;
    int id;
    bool operator==(const Notice&) const = default;
};

void PrintTo(const Notice& n, std::ostream* os) {
    *os << "{" << n.notification << ", " << n.colour << ", " << n.id << "}";
}

constexpr ColourValue kRed = RGBColour(255, 0, 0);
constexpr int kId = 77;

void Key(QWidget* w, int key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(w, &press);
}

void Mouse(QWidget* w, QEvent::Type type, QPoint local) {
    QMouseEvent event(type, QPointF(local), QPointF(w->mapToGlobal(local)), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

class PickerFixture : public ::testing::Test {
protected:
    void SetUp() override {
        window.resize(240, 320);
        picker = new CColourPicker(QStringLiteral("Graphics 2"), kId, &window);
        picker->setGeometry(10, 10, 200, picker->height());
        picker->SetColour(kRed);
        QObject::connect(picker, &CColourPicker::Notify,
                         [this](int n, ColourValue c, int id) { notices.push_back({n, c, id}); });
        window.show();
    }
    CColourPopup* Open() {
        picker->click();
        return picker->Popup();
    }

    QWidget window;
    CColourPicker* picker = nullptr;
    std::vector<Notice> notices;
};

}  // namespace

TEST_F(PickerFixture, IsSizedForItsArrow) {
    EXPECT_EQ(picker->height(), PickerHeight());
    EXPECT_GE(picker->minimumWidth(), PickerMinimumWidth());
    EXPECT_EQ(CColourPicker(QStringLiteral("x")).GetColour(),
              FromQColor(QApplication::palette().color(QPalette::Button)));
}

TEST_F(PickerFixture, TapOpensThePopupUnderTheButton) {
    CColourPopup* popup = Open();
    ASSERT_NE(popup, nullptr);
    EXPECT_TRUE(picker->IsActive());
    EXPECT_TRUE(popup->isVisible());
    EXPECT_EQ(popup->Model().Chosen(), 16);
    EXPECT_EQ(popup->size(), QSize(popup->Layout().width, popup->Layout().height));
    const QPoint corner = picker->mapToGlobal(QPoint(0, picker->height()));
    EXPECT_EQ(popup->pos(), corner);
    EXPECT_EQ(notices, (std::vector<Notice>{{PickerOpened, kRed, kId}}));
}

TEST_F(PickerFixture, KeysMoveAndReturnAccepts) {
    CColourPopup* popup = Open();
    ASSERT_NE(popup, nullptr);
    Key(popup, Qt::Key_Up);     // "Automatic"
    Key(popup, Qt::Key_Down);   // Black
    Key(popup, Qt::Key_Right);  // Brown
    Key(popup, Qt::Key_A);      // nothing
    EXPECT_EQ(picker->GetColour(), kRed);  // only the highlight moves while it is open
    Key(popup, Qt::Key_Return);
    const ColourValue brown = kColourTable[1].colour;
    EXPECT_EQ(notices, (std::vector<Notice>{{PickerOpened, kRed, kId},
                                            {PickerSelectionChanged, kAutomaticColour, kId},
                                            {PickerSelectionChanged, kColourTable[0].colour, kId},
                                            {PickerSelectionChanged, brown, kId},
                                            {PickerClosed, brown, kId},
                                            {PickerAccepted, brown, kId}}));
    EXPECT_EQ(picker->GetColour(), brown);
    EXPECT_FALSE(picker->IsActive());
    QApplication::processEvents();
    EXPECT_EQ(picker->Popup(), nullptr);
}

TEST_F(PickerFixture, EscapeRestoresTheColour) {
    CColourPopup* popup = Open();
    ASSERT_NE(popup, nullptr);
    Key(popup, Qt::Key_Left);
    Key(popup, Qt::Key_Left);
    Key(popup, Qt::Key_Left);
    Key(popup, Qt::Key_Escape);
    ASSERT_GE(notices.size(), 2u);
    EXPECT_EQ(notices[notices.size() - 2], (Notice{PickerClosed, kRed, kId}));
    EXPECT_EQ(notices.back(), (Notice{PickerCancelled, kRed, kId}));
    EXPECT_EQ(picker->GetColour(), kRed);
}

TEST_F(PickerFixture, StylusPicksAndReleaseOutsideCancels) {
    CColourPopup* popup = Open();
    ASSERT_NE(popup, nullptr);
    const Rect box = popup->Layout().ColourBox(26);
    const QPoint inBox(box.left + 5, box.top + 5);
    Mouse(popup, QEvent::MouseButtonPress, inBox);
    EXPECT_EQ(popup->Model().Current(), 26);
    Mouse(popup, QEvent::MouseButtonRelease, QPoint(-20, -20));
    EXPECT_EQ(notices.back(), (Notice{PickerCancelled, kRed, kId}));
    EXPECT_EQ(picker->GetColour(), kRed);
    QApplication::processEvents();

    popup = Open();
    ASSERT_NE(popup, nullptr);
    const Rect& automatic = popup->Layout().defaultBox;
    const QPoint inAuto(automatic.left + 5, automatic.top + 5);
    Mouse(popup, QEvent::MouseButtonPress, inAuto);
    Mouse(popup, QEvent::MouseButtonRelease, inAuto);
    EXPECT_EQ(notices.back(), (Notice{PickerAccepted, kAutomaticColour, kId}));
    EXPECT_EQ(picker->GetColour(), kAutomaticColour);
}

TEST_F(PickerFixture, PopupClosedFromOutsideCountsAsCancel) {
    CColourPopup* popup = Open();
    ASSERT_NE(popup, nullptr);
    Key(popup, Qt::Key_Down);
    popup->close();
    EXPECT_EQ(notices.back(), (Notice{PickerCancelled, kRed, kId}));
    EXPECT_FALSE(picker->IsActive());
    QApplication::processEvents();
    EXPECT_EQ(picker->Popup(), nullptr);
}

TEST_F(PickerFixture, PickerGoingAwayWithItsPopupOpenIsQuiet) {
    ASSERT_NE(Open(), nullptr);
    const std::size_t before = notices.size();
    delete picker;
    picker = nullptr;
    QApplication::processEvents();
    EXPECT_EQ(notices.size(), before);
}
