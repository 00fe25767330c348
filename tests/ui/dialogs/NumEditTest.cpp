// The number-entry field as a widget: typed keys, Enter, editing keys and pasted text.
#include <QClipboard>

#include "tests/ui/dialogs/DialogTestSupport.h"
#include "ui/dialogs/NumEdit.h"

namespace {

struct NumEditWidget : ::testing::Test {
    NumEdit edit{"0,m"};
    int refusals = 0;
    void SetUp() override {
        QObject::connect(&edit, &NumEdit::refused, [this] { ++refusals; });
        edit.setText(QStringLiteral("15,496"));
        edit.setCursorPosition(6);
    }
};

} // namespace

TEST_F(NumEditWidget, RefusedKeysBeepAndChangeNothing) {
    TypeKeys(&edit, QStringLiteral("abc?(")); // 'c' is no number character, 'a' and 'b' neither
    EXPECT_EQ(edit.text(), QStringLiteral("15,496"));
    EXPECT_EQ(refusals, 5);
    TypeKeys(&edit, QStringLiteral("k"));
    EXPECT_EQ(edit.text(), QStringLiteral("15,496k"));
    EXPECT_EQ(refusals, 5);
}

TEST_F(NumEditWidget, EnterGoesToTheDialog) {
    int returns = 0;
    QObject::connect(&edit, &QLineEdit::returnPressed, [&] { ++returns; });
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QApplication::sendEvent(&edit, &enter);
    EXPECT_FALSE(enter.isAccepted()); // the dialog presses OK
    EXPECT_EQ(returns, 0);
    EXPECT_EQ(edit.text(), QStringLiteral("15,496"));
    EXPECT_EQ(refusals, 0);
}

TEST_F(NumEditWidget, EditingAndCursorKeysPass) {
    SendKey(&edit, Qt::Key_Backspace, QStringLiteral("\b"));
    EXPECT_EQ(edit.text(), QStringLiteral("15,49"));
    SendKey(&edit, Qt::Key_Home, QString());
    SendKey(&edit, Qt::Key_Delete, QStringLiteral("\x7f"));
    EXPECT_EQ(edit.text(), QStringLiteral("5,49"));
    SendKey(&edit, Qt::Key_Right, QString());
    TypeKeys(&edit, QStringLiteral("0"));
    EXPECT_EQ(edit.text(), QStringLiteral("50,49"));
    EXPECT_EQ(refusals, 0);
}

TEST_F(NumEditWidget, PastedTextObeysTheSameFilter) {
    QGuiApplication::clipboard()->setText(QStringLiteral("12abc"));
    edit.selectAll();
    SendKey(&edit, Qt::Key_V, QStringLiteral("\x16"), Qt::ControlModifier);
    EXPECT_EQ(edit.text(), QStringLiteral("15,496"));
    EXPECT_EQ(refusals, 1);
    QGuiApplication::clipboard()->setText(QStringLiteral("$250k"));
    edit.selectAll();
    SendKey(&edit, Qt::Key_V, QStringLiteral("\x16"), Qt::ControlModifier);
    EXPECT_EQ(edit.text(), QStringLiteral("$250k"));
    EXPECT_EQ(refusals, 1);
}

TEST(NumEditFormat, AlignmentAndTextFields) {
    NumEdit number("0.00%");
    EXPECT_TRUE(number.alignment() & Qt::AlignRight);
    NumEdit text("a");
    EXPECT_TRUE(text.alignment() & Qt::AlignLeft);
    TypeKeys(&text, QStringLiteral("Unit 4?"));
    EXPECT_EQ(text.text(), QStringLiteral("Unit 4?"));
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QApplication::sendEvent(&text, &enter);
    EXPECT_EQ(text.text(), QStringLiteral("Unit 4?"));
}
