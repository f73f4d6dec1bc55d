// The spin edit: the text first, clamping only on leaving, accepted
// characters, the button column and the auto-repeat timing.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QLocale>

#include "controls/spin_edit.h"
#include "gui_helpers.h"

namespace lk63 {
namespace {

using test::Key;

// The main window's quantity field: 1 to 999999, starting at 1.
class SpinEditTest : public testing::Test {
protected:
    void SetUp() override {
        window.resize(300, 100);
        spin = new TSpinEdit(&window);
        QFont font(QStringLiteral("MS Sans Serif"));
        font.setPixelSize(11);
        spin->setFont(font);
        spin->setGeometry(10, 10, 121, 22);
        spin->SetMinValue(1);
        spin->SetMaxValue(999999);
        spin->SetValue(1);
        other = new QLineEdit(&window);
        other->setGeometry(10, 50, 100, 22);
        test::ShowActive(window);
        spin->setFocus(Qt::TabFocusReason);
    }
    void Up() { QTest::mouseClick(spin->Button()->UpButton(), Qt::LeftButton); }
    void Down() { QTest::mouseClick(spin->Button()->DownButton(), Qt::LeftButton); }
    void Leave() { other->setFocus(Qt::TabFocusReason); }
    void Retype(const QString& text) {
        spin->setFocus(Qt::TabFocusReason);
        spin->selectAll();
        Key(Qt::Key_Backspace);
        test::Type(text);
    }

    QWidget window;
    TSpinEdit* spin = nullptr;
    QLineEdit* other = nullptr;
};

TEST_F(SpinEditTest, ButtonsStopAtTheBounds) {
    Down();
    EXPECT_EQ(spin->text(), QStringLiteral("1"));
    Up();
    EXPECT_EQ(spin->text(), QStringLiteral("2"));
    spin->SetValue(999999);
    Up();
    EXPECT_EQ(spin->text(), QStringLiteral("999999"));
    Key(Qt::Key_Down);
    EXPECT_EQ(spin->text(), QStringLiteral("999998")) << "the arrow keys step too";
}

TEST_F(SpinEditTest, LeavingTheFieldPutsOnlyNumbersOutOfBoundsBack) {
    struct Case {
        const char* typed;
        const char* afterLeaving;
        int value;
        const char* afterUp;
    };
    const Case cases[] = {
        {"0", "1", 1, "2"},
        {"1000000", "999999", 999999, "999999"},
        {"-5", "1", 1, "2"},
        {"", "", 1, "2"},          // an empty field stays empty; it reads as MinValue
        {"007", "007", 7, "8"},    // a number within the bounds keeps its text
        {"99999999999", "99999999999", 1, "2"},  // beyond the integer range: not a number
        {"+5", "+5", 5, "6"},                    // one sign, within the bounds
        {"+-5", "+-5", 1, "2"},                  // two signs: not a number
        {"-+5", "-+5", 1, "2"},
    };
    for (const Case& c : cases) {
        Retype(QString::fromLatin1(c.typed));
        ASSERT_EQ(spin->text(), QString::fromLatin1(c.typed));
        Leave();
        EXPECT_EQ(spin->text(), QString::fromLatin1(c.afterLeaving)) << c.typed;
        EXPECT_EQ(spin->Value(), c.value) << c.typed;
        Up();
        EXPECT_EQ(spin->text(), QString::fromLatin1(c.afterUp)) << c.typed;
    }
}

TEST_F(SpinEditTest, RefusedCharactersBeepAndChangeNothing) {
    struct Case {
        int key;
        QString text;
        bool accepted;
    };
    const QString separator = QLocale().decimalPoint();
    const Case cases[] = {
        {Qt::Key_A, QStringLiteral("a"), false},
        {Qt::Key_Space, QStringLiteral(" "), false},
        {Qt::Key_Return, QStringLiteral("\r"), false},
        {Qt::Key_5, QStringLiteral("5"), true},
        {Qt::Key_Plus, QStringLiteral("+"), true},
        {Qt::Key_Minus, QStringLiteral("-"), true},
        {Qt::Key_unknown, separator, true},
    };
    for (const Case& c : cases) {
        spin->SetValue(12);
        spin->setCursorPosition(2);
        const test::TBeepCounter beeps;
        QKeyEvent press(QEvent::KeyPress, c.key, Qt::NoModifier, c.text);
        QApplication::sendEvent(spin, &press);
        EXPECT_EQ(beeps.Beeps(), c.accepted ? 0 : 1) << c.text.toStdString();
        EXPECT_EQ(spin->text(), c.accepted ? QStringLiteral("12") + c.text : QStringLiteral("12")) << c.text.toStdString();
    }
}

// Keys that type no character edit as anywhere else, whatever text the
// platform gives them (X11 gives Delete the text U+007F).
TEST_F(SpinEditTest, DeleteAndBackspaceEditWithoutABeep) {
    struct Case {
        int key;
        QString text;
        int cursor;
        const char* after;
    };
    const Case cases[] = {
        {Qt::Key_Delete, QString(), 0, "23"},
        {Qt::Key_Delete, QStringLiteral("\x7f"), 0, "23"},
        {Qt::Key_Backspace, QStringLiteral("\b"), 3, "12"},
        {Qt::Key_Backspace, QString(), 3, "12"},
    };
    for (const Case& c : cases) {
        spin->SetValue(123);
        spin->setCursorPosition(c.cursor);
        const test::TBeepCounter beeps;
        QKeyEvent press(QEvent::KeyPress, c.key, Qt::NoModifier, c.text);
        QApplication::sendEvent(spin, &press);
        EXPECT_EQ(spin->text(), QString::fromLatin1(c.after)) << c.key << " with text " << c.text.size();
        EXPECT_EQ(beeps.Beeps(), 0) << c.key << " with text " << c.text.size();
    }
}

TEST_F(SpinEditTest, TheDecimalSeparatorComesFromTheLocale) {
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    EXPECT_TRUE(spin->AcceptsChar(QLatin1Char(',')));
    EXPECT_FALSE(spin->AcceptsChar(QLatin1Char('.')));
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_TRUE(spin->AcceptsChar(QLatin1Char('.')));
    EXPECT_FALSE(spin->AcceptsChar(QLatin1Char(',')));
    QLocale::setDefault(previous);
}

TEST_F(SpinEditTest, PastedTextIsTakenWithItsControlCharactersAsSpaces) {
    struct Case {
        QString pasted, shown;
    };
    const Case cases[] = {
        {QStringLiteral("12ab"), QStringLiteral("12ab")},
        {QStringLiteral("12\n"), QStringLiteral("12 ")},
        {QStringLiteral("1\t2\r\n3"), QStringLiteral("1 2  3")},
    };
    for (const Case& c : cases) {
        QGuiApplication::clipboard()->setText(c.pasted);
        spin->selectAll();
        Key(Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(spin->text(), c.shown);
        EXPECT_EQ(spin->Value(), 1) << "not a number: MinValue";
    }
}

TEST_F(SpinEditTest, ReadOnlyAndDisabledEditorRefuseWhatTheyShould) {
    spin->SetValue(5);
    spin->SetReadOnly(true);
    {
        const test::TBeepCounter beeps;
        Up();
        EXPECT_EQ(spin->text(), QStringLiteral("5"));
        EXPECT_EQ(beeps.Beeps(), 1) << "a click on a read-only field beeps";
    }
    spin->SetReadOnly(false);
    spin->SetEditorEnabled(false);
    QGuiApplication::clipboard()->setText(QStringLiteral("77"));
    spin->setCursorPosition(1);
    const test::TBeepCounter beeps;
    test::Type(QStringLiteral("3"));
    Key(Qt::Key_Backspace);
    Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(spin->text(), QStringLiteral("5"));
    EXPECT_EQ(beeps.Beeps(), 2) << "the digit and Backspace beep; the paste is dropped";
    Up();
    EXPECT_EQ(spin->text(), QStringLiteral("6")) << "the buttons still step";
}

TEST_F(SpinEditTest, WithoutBoundsAnyIntegerIsKept) {
    spin->SetMinValue(0);
    spin->SetMaxValue(0);
    spin->SetValue(-70);
    EXPECT_EQ(spin->text(), QStringLiteral("-70"));
    Retype(QStringLiteral("123456789"));
    Leave();
    EXPECT_EQ(spin->text(), QStringLiteral("123456789"));
    spin->SetValue(std::numeric_limits<int>::max());
    Up();
    EXPECT_EQ(spin->Value(), std::numeric_limits<int>::max()) << "stepping saturates instead of overflowing";
}

TEST_F(SpinEditTest, AutoSelectOnlyWhenNotEnteredByTheMouse) {
    spin->SetValue(345);
    Leave();
    spin->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(spin->selectedText(), QStringLiteral("345"));
    Leave();
    QTest::mouseClick(spin, Qt::LeftButton, {}, QPoint(5, 10));
    EXPECT_TRUE(spin->selectedText().isEmpty());
}

TEST_F(SpinEditTest, ButtonColumnOfTheMainWindowsField) {
    const int textHeight = QFontMetrics(spin->font()).height();
    const int systemHeight = QFontMetrics(QApplication::font()).height();
    EXPECT_EQ(spin->MinHeight(), textHeight + std::min(textHeight, systemHeight) / 4 + 4 + 2);
    const int height = std::max(22, spin->MinHeight());
    ASSERT_EQ(spin->height(), height);
    EXPECT_EQ(spin->ButtonBounds(), QRect(101, 0, 15, height - 5));
    const int column = height - 5;
    EXPECT_EQ(spin->Button()->UpButton()->geometry(), QRect(0, 0, 15, column / 2));
    EXPECT_EQ(spin->Button()->DownButton()->geometry(), QRect(0, column / 2 - 1, 15, column - (column / 2 - 1)))
        << "the buttons overlap by one pixel";
    if (textHeight == 13 && systemHeight >= 13) {
        // The figures the window's layout was made with.
        EXPECT_EQ(spin->MinHeight(), 22);
        EXPECT_EQ(spin->Button()->UpButton()->geometry(), QRect(0, 0, 15, 8));
        EXPECT_EQ(spin->Button()->DownButton()->geometry(), QRect(0, 7, 15, 10));
    }
    spin->resize(121, 5);
    EXPECT_EQ(spin->height(), spin->MinHeight()) << "never lower than the font allows";
}

TEST(SpinAutoRepeatTest, HoldingAButtonStepsAfter400ThenEvery100Milliseconds) {
    test::TFakeTimers timers;
    QWidget window;
    auto* spin = new TSpinEdit(&window);
    spin->setGeometry(10, 10, 121, 22);
    spin->SetMinValue(1);
    spin->SetMaxValue(999999);
    spin->SetValue(10);
    test::ShowActive(window);
    TTimerSpeedButton* up = spin->Button()->UpButton();
    const QPoint on = up->rect().center();
    auto move = [&](const QPoint& pos) {
        QMouseEvent e(QEvent::MouseMove, QPointF(pos), QPointF(up->mapToGlobal(pos)), Qt::NoButton, Qt::LeftButton,
                      Qt::NoModifier);
        QApplication::sendEvent(up, &e);
    };

    QTest::mousePress(up, Qt::LeftButton, {}, on);
    ASSERT_EQ(timers.created.size(), 1u);
    test::TFakeTimer& timer = *timers.created[0];
    EXPECT_EQ(timer.intervals, (std::vector<int>{400}));
    EXPECT_EQ(spin->Value(), 10) << "a press alone does not step";
    EXPECT_TRUE(spin->hasFocus()) << "the press gives the field the focus";

    timer.Fire();
    EXPECT_EQ(spin->Value(), 11);
    timer.Fire();
    timer.Fire();
    EXPECT_EQ(spin->Value(), 13);
    EXPECT_EQ(timer.intervals, (std::vector<int>{400, 100, 100, 100}));

    move(QPoint(-30, -30));
    timer.Fire();
    EXPECT_EQ(spin->Value(), 13) << "paused while the pointer is off the button";
    move(on);
    timer.Fire();
    EXPECT_EQ(spin->Value(), 14) << "resumed on return";

    QTest::mouseRelease(up, Qt::LeftButton, {}, on);
    EXPECT_EQ(spin->Value(), 15) << "one more step on release over the button";
    EXPECT_FALSE(timer.Active());

    QTest::mouseClick(spin->Button()->DownButton(), Qt::LeftButton);
    EXPECT_EQ(spin->Value(), 14) << "a short click steps once";
}

}  // namespace
}  // namespace lk63
