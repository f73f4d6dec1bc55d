// The in-cell editor: binding, key routing, refusal of modification, failures.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QWheelEvent>

#include "edit_fixture.h"

namespace lk63 {
namespace {

using test::Key;

TEST(GridEditTest, UpAndDownMoveTheEditorWithFreshTextAndStyle) {
    test::TEditWindow w;
    w.values = {QStringLiteral("zero"), QStringLiteral("one"), QStringLiteral("two"), QString(), QString()};
    w.styles[1] = TGridEditStyle::geEllipsis;
    w.styles[2] = TGridEditStyle::geSimple;
    w.Show(0);
    ASSERT_TRUE(w.grid->EditorActive());
    ASSERT_TRUE(w.Editor()->hasFocus());

    struct Step {
        int key;
        int row;
        const char* text;
        TGridEditStyle style;
    };
    const Step steps[] = {
        {Qt::Key_Down, 1, "one", TGridEditStyle::geEllipsis},
        {Qt::Key_Down, 2, "two", TGridEditStyle::geSimple},
        {Qt::Key_Up, 1, "one", TGridEditStyle::geEllipsis},
        {Qt::Key_Up, 0, "zero", TGridEditStyle::gePickList},
        {Qt::Key_Up, 0, "zero", TGridEditStyle::gePickList},  // the first row stays
    };
    for (const Step& s : steps) {
        Key(s.key);
        EXPECT_EQ(w.grid->FocusedCell(), (TGridCell{1, s.row}));
        EXPECT_EQ(w.grid->EditorCell(), (TGridCell{1, s.row}));
        EXPECT_EQ(w.Editor()->text(), QString::fromLatin1(s.text));
        EXPECT_EQ(w.Editor()->EditStyle(), s.style);
        EXPECT_EQ(w.Editor()->geometry().topLeft(), w.grid->CellInnerBounds({1, s.row}).topLeft());
        EXPECT_TRUE(w.Editor()->hasFocus()) << "the editor keeps the input focus";
    }
    w.values[1] = QStringLiteral("changed underneath");
    Key(Qt::Key_Down);
    EXPECT_EQ(w.Editor()->text(), QStringLiteral("changed underneath"));
}

TEST(GridEditTest, RefusedModificationChangesNothingSilentlyWhileCopyWorks) {
    struct Case {
        const char* name;
        int key;
        Qt::KeyboardModifiers mods;
    };
    const Case cases[] = {
        {"typing", Qt::Key_X, Qt::NoModifier},
        {"space", Qt::Key_Space, Qt::NoModifier},
        {"Backspace", Qt::Key_Backspace, Qt::NoModifier},
        {"Delete", Qt::Key_Delete, Qt::NoModifier},
        {"Ctrl+V", Qt::Key_V, Qt::ControlModifier},
        {"Ctrl+X", Qt::Key_X, Qt::ControlModifier},
        {"Shift+Insert", Qt::Key_Insert, Qt::ShiftModifier},
        {"Shift+Delete", Qt::Key_Delete, Qt::ShiftModifier},
        {"Ctrl+Backspace", Qt::Key_Backspace, Qt::ControlModifier},
        {"Ctrl+Delete", Qt::Key_Delete, Qt::ControlModifier},
        {"Ctrl+Z", Qt::Key_Z, Qt::ControlModifier},
    };
    for (bool canModify : {false, true}) {
        for (const Case& c : cases) {
            test::TEditWindow w;
            w.values[0] = QStringLiteral("Gamma ray");
            w.canModify = canModify;
            w.Show(0);
            QGuiApplication::clipboard()->setText(QStringLiteral("PASTED"));
            // A selection in the middle and the caret after it.
            w.Editor()->setSelection(2, 3);
            const test::TBeepCounter beeps;
            Key(c.key, c.mods);
            if (!canModify) {
                EXPECT_EQ(w.Editor()->text(), QStringLiteral("Gamma ray")) << c.name;
                EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("PASTED")) << c.name;
                EXPECT_EQ(w.grid->FocusedCell(), (TGridCell{1, 0})) << c.name;
            } else if (std::string(c.name) != "Ctrl+Z") {
                EXPECT_NE(w.Editor()->text(), QStringLiteral("Gamma ray")) << c.name << " with modification allowed";
            }
            EXPECT_EQ(beeps.Beeps(), 0) << c.name;
            EXPECT_TRUE(w.Editor()->hasFocus()) << c.name;
        }
    }
}

TEST(GridEditTest, CaretSelectionAndCopyWorkWithoutModification) {
    test::TEditWindow w;
    w.values[0] = QStringLiteral("Gamma ray");
    w.Show(0);
    Key(Qt::Key_Home);
    EXPECT_EQ(w.Editor()->cursorPosition(), 0);
    Key(Qt::Key_Right);
    Key(Qt::Key_Right);
    EXPECT_EQ(w.Editor()->cursorPosition(), 2);
    Key(Qt::Key_End, Qt::ShiftModifier);
    EXPECT_EQ(w.Editor()->selectedText(), QStringLiteral("mma ray"));

    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    Key(Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("before")) << "Ctrl+Insert goes to the grid";
    Key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("mma ray"));
    EXPECT_EQ(w.Editor()->text(), QStringLiteral("Gamma ray"));
    EXPECT_GT(w.modifyQuestions, 0) << "the owner was asked";
}

TEST(GridEditTest, ARefusedKeyBeepsAndIsDropped) {
    test::TEditWindow w;
    w.canModify = true;
    w.styles[0] = TGridEditStyle::geSimple;
    w.Show(0);
    w.grid->OnEditAcceptKey = [](TCustomGridView&, const TGridCell&, QChar key, bool& accept) {
        accept = key.isDigit();
    };
    const test::TBeepCounter beeps;
    test::Type(QStringLiteral("a1b2"));
    EXPECT_EQ(w.Editor()->text(), QStringLiteral("12"));
    EXPECT_EQ(beeps.Beeps(), 2);
}

// Only printable characters are offered to OnEditAcceptKey, whatever text the
// platform gives a key: X11 gives Delete the text U+007F.
TEST(GridEditTest, KeysThatTypeNoCharacterAreNotOfferedForAcceptance) {
    struct Case {
        const char* name;
        int key;
        QString text;
        int cursor;
        const char* after;
    };
    const Case cases[] = {
        {"Delete as X11 sends it", Qt::Key_Delete, QStringLiteral("\x7f"), 0, "amma"},
        {"Delete without text", Qt::Key_Delete, QString(), 0, "amma"},
        {"Backspace", Qt::Key_Backspace, QStringLiteral("\b"), 5, "Gamm"},
    };
    for (const Case& c : cases) {
        test::TEditWindow w;
        w.canModify = true;
        w.styles[0] = TGridEditStyle::geSimple;
        w.values[0] = QStringLiteral("Gamma");
        w.Show(0);
        std::vector<QChar> offered;
        w.grid->OnEditAcceptKey = [&](TCustomGridView&, const TGridCell&, QChar key, bool& accept) {
            offered.push_back(key);
            accept = false;
        };
        w.Editor()->setCursorPosition(c.cursor);
        const test::TBeepCounter beeps;
        QKeyEvent press(QEvent::KeyPress, c.key, Qt::NoModifier, c.text);
        QApplication::sendEvent(w.Editor(), &press);
        EXPECT_EQ(w.Editor()->text(), QString::fromLatin1(c.after)) << c.name;
        EXPECT_TRUE(offered.empty()) << c.name << ": offered U+" << std::hex << static_cast<int>(offered.front().unicode());
        EXPECT_EQ(beeps.Beeps(), 0) << c.name;
    }
}

TEST(GridEditTest, EnterStoresTheTextAndAFailingOwnerDoesNotEscapeTheEventLoop) {
    test::TEditWindow w;
    w.canModify = true;
    w.styles[0] = TGridEditStyle::geSimple;
    w.Show(0);
    std::vector<QString> stored;
    w.grid->OnSetEditText = [&](TCustomGridView&, const TGridCell&, QString& value) {
        stored.push_back(value);
        value = value.toUpper();
        if (stored.size() == 2) throw std::runtime_error("cannot store");
    };
    test::Type(QStringLiteral("ab"));
    Key(Qt::Key_Return);
    EXPECT_EQ(stored, (std::vector<QString>{QStringLiteral("ab")}));
    EXPECT_EQ(w.Editor()->text(), QStringLiteral("AB")) << "the editor shows what the owner returned";

    const test::TFailureCatcher failures;
    Key(Qt::Key_End);
    test::Type(QStringLiteral("c"));
    Key(Qt::Key_Return);
    ASSERT_EQ(failures.Messages().size(), 1u);
    EXPECT_EQ(failures.Messages()[0], "cannot store");
    EXPECT_EQ(w.Editor()->text(), QStringLiteral("ABC")) << "the value the handler left";
    EXPECT_TRUE(w.Editor()->hasFocus());
}

TEST(GridEditTest, TheEditorCoversTheInnerCellAndKeepsTextClearOfTheButton) {
    test::TEditWindow w;
    w.Show(1);
    const QRect inner = w.grid->CellInnerBounds({1, 1});
    EXPECT_EQ(w.Editor()->geometry(), inner);
    const QRect text = w.Editor()->TextRect();
    const QRect button = w.Editor()->ButtonRect();
    EXPECT_EQ(text.topLeft(), w.grid->CellTextIndent({1, 1}));
    EXPECT_EQ(button.width(), w.Editor()->ButtonWidth());
    EXPECT_EQ(button.right(), w.Editor()->width() - 1);
    EXPECT_LT(text.right(), button.left()) << "the text area ends before the button";

    w.styles[2] = TGridEditStyle::geSimple;
    Key(Qt::Key_Down);
    EXPECT_TRUE(w.Editor()->ButtonRect().isEmpty());
    EXPECT_EQ(w.Editor()->TextRect().width(), inner.width() - w.grid->TextIndentRight() - w.grid->CellTextIndent({1, 2}).x());
}

TEST(GridEditTest, EscUndoesInAlwaysEditModeAndCancelsOtherwise) {
    test::TEditWindow w;
    w.canModify = true;
    w.styles[0] = TGridEditStyle::geSimple;
    w.values[0] = QStringLiteral("old");
    w.Show(0);
    Key(Qt::Key_End);
    test::Type(QStringLiteral("er"));
    ASSERT_EQ(w.Editor()->text(), QStringLiteral("older"));
    Key(Qt::Key_Escape);
    EXPECT_NE(w.Editor()->text(), QStringLiteral("older")) << "typing undone";
    EXPECT_TRUE(w.Editor()->text().startsWith(QStringLiteral("old")));
    EXPECT_TRUE(w.grid->EditorActive());

    int canceled = 0;
    w.grid->OnEditCanceled = [&](TCustomGridView&, const TGridCell&) { ++canceled; };
    w.grid->SetAlwaysEdit(false);
    w.grid->SetEditorActive(true);
    ASSERT_TRUE(w.grid->EditorActive());
    test::Type(QStringLiteral("x"));
    Key(Qt::Key_Escape);
    EXPECT_FALSE(w.grid->EditorActive());
    EXPECT_EQ(canceled, 1);
    EXPECT_TRUE(w.grid->hasFocus()) << "the focus goes back to the grid";
}

}  // namespace
}  // namespace lk63

namespace lk63 {
namespace {

TEST(GridEditButtonTest, TheTriangleIsPlacedByTheButtonsWidth) {
    test::TEditWindow w;
    w.items[0] = {QStringLiteral("one")};
    w.Show(0);
    TCustomGridEdit* editor = w.Editor();
    const int bw = editor->ButtonWidth();
    ASSERT_NE(bw, editor->height()) << "the two readings must differ for this test to tell them apart";
    auto black = [](const QImage& image, int x, int y) { return (image.pixel(x, y) & 0xFFFFFF) == 0; };
    auto check = [&](const QImage& image, int shift, const char* state) {
        const QRect button = editor->ButtonRect();
        const int middle = button.left() + (bw - 1) / 2 + shift;
        const int top = button.top() + bw / 2 - 2 + shift;
        for (int row = 0; row < 4; ++row) {
            const int half = 3 - row;
            for (int x = middle - half; x <= middle + half; ++x)
                EXPECT_TRUE(black(image, x, top + row)) << state << " row " << row << " x " << x;
            EXPECT_FALSE(black(image, middle - half - 1, top + row)) << state << " row " << row;
            EXPECT_FALSE(black(image, middle + half + 1, top + row)) << state << " row " << row;
        }
        EXPECT_FALSE(black(image, middle, top - 1)) << state;
        EXPECT_FALSE(black(image, middle, top + 4)) << state;
    };
    check(editor->grab().toImage(), 0, "raised");
    QTest::mousePress(editor, Qt::LeftButton, {}, editor->ButtonRect().center());
    ASSERT_TRUE(editor->ButtonPressed());
    check(editor->grab().toImage(), 1, "pressed");
    QTest::mouseRelease(editor, Qt::LeftButton, {}, editor->ButtonRect().center());
}

TEST(GridEditTest, MaxLengthLimitsTypingButShowsTheOwnersTextWhole) {
    test::TEditWindow w;
    w.canModify = true;
    w.styles[0] = TGridEditStyle::geSimple;
    w.styles[1] = TGridEditStyle::geSimple;
    w.grid->Columns()[1].SetMaxLength(3);
    w.values[0] = QStringLiteral("abcdef");
    w.values[1] = QStringLiteral("ab");
    w.Show(0);
    EXPECT_EQ(w.Editor()->text(), QStringLiteral("abcdef")) << "nothing of the owner's text is cut";
    test::Key(Qt::Key_Down);
    test::Key(Qt::Key_End);
    test::Type(QStringLiteral("xyz"));
    EXPECT_EQ(w.Editor()->text(), QStringLiteral("abx"));
}

}  // namespace
}  // namespace lk63

namespace lk63 {
namespace {

TEST(GridEditTest, TheWheelOverTheEditorMovesTheFocusedCell) {
    test::TEditWindow w;
    w.values = {QStringLiteral("zero"), QStringLiteral("one"), QString(), QString(), QString()};
    w.Show(0);
    const QPoint pos(5, 5);
    QWheelEvent e(pos, w.Editor()->mapToGlobal(pos), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                  Qt::NoScrollPhase, false);
    QApplication::sendEvent(w.Editor(), &e);
    EXPECT_EQ(w.grid->FocusedCell(), (TGridCell{1, 1}));
    EXPECT_EQ(w.Editor()->text(), QStringLiteral("one"));
}

}  // namespace
}  // namespace lk63
