// The focused cell: keys, mouse, wheel, scrolling into view, and cell tips.
#include <gtest/gtest.h>

#include <QCursor>
#include <QScrollBar>
#include <QWheelEvent>

#include "grid_fixture.h"
#include "gui_helpers.h"

namespace lk63 {
namespace {

using test::Key;

class GridFocusTest : public testing::Test {
protected:
    // Four columns of 40, column 1 not focusable; 20 rows of 20 in 100 pixels.
    void SetUp() override {
        grid.SetBorderStyle(TBorderStyle::bsNone);
        owner.Attach(grid);
        test::SetUpGrid(grid, {40, 40, 40, 40}, 20, 20);
        grid.Columns()[1].SetTabStop(false);
        grid.resize(300, 100);
        test::ShowActive(grid);
        grid.setFocus();
        ASSERT_EQ(grid.GridArea().height(), 100);
        ASSERT_EQ(grid.VisibleCount().Rows, 5);
    }
    void Wheel(int delta) {
        const QPoint pos(10, 10);
        QWheelEvent e(pos, grid.viewport()->mapToGlobal(pos), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(grid.viewport(), &e);
    }
    TCustomGridView grid;
    test::TGridOwner owner;
};

TEST_F(GridFocusTest, NavigationKeysMoveToTheNextFocusableCell) {
    struct Case {
        TGridCell start;
        int key;
        Qt::KeyboardModifiers mods;
        TGridCell expected;
    };
    const Case cases[] = {
        {{2, 5}, Qt::Key_Left, {}, {0, 5}},     // column 1 is skipped
        {{0, 5}, Qt::Key_Left, {}, {0, 5}},
        {{0, 5}, Qt::Key_Right, {}, {2, 5}},
        {{3, 5}, Qt::Key_Right, {}, {3, 5}},
        {{2, 0}, Qt::Key_Up, {}, {2, 0}},       // Up on the first row stays
        {{2, 19}, Qt::Key_Down, {}, {2, 19}},   // Down on the last row stays
        {{2, 5}, Qt::Key_Down, {}, {2, 6}},
        {{2, 5}, Qt::Key_PageDown, {}, {2, 9}},  // VisibleCount().Rows - 1 further
        {{2, 5}, Qt::Key_PageUp, {}, {2, 1}},
        {{2, 1}, Qt::Key_PageUp, {}, {2, 0}},
        {{2, 18}, Qt::Key_PageDown, {}, {2, 19}},
        {{2, 5}, Qt::Key_Home, {}, {0, 5}},
        {{2, 5}, Qt::Key_End, {}, {3, 5}},
        {{2, 5}, Qt::Key_Home, Qt::ControlModifier, {0, 0}},
        {{2, 5}, Qt::Key_End, Qt::ControlModifier, {3, 19}},
    };
    for (const Case& c : cases) {
        grid.MoveFocus(c.start, true, true);
        ASSERT_EQ(grid.FocusedCell(), c.start);
        Key(c.key, c.mods);
        EXPECT_EQ(grid.FocusedCell(), c.expected) << "from " << c.start.Col << "," << c.start.Row << " key " << c.key;
        EXPECT_TRUE(grid.FocusSelected());
    }
}

TEST_F(GridFocusTest, TabMovesWithinTheGridOnlyWithMkTabs) {
    grid.SetMoveKeys(grid.MoveKeys() + TMoveKey::mkTabs);
    grid.MoveFocus({3, 5}, true, true);
    Key(Qt::Key_Tab);
    EXPECT_EQ(grid.FocusedCell(), (TGridCell{0, 6})) << "wraps to the next row";
    Key(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(grid.FocusedCell(), (TGridCell{3, 5}));
    EXPECT_TRUE(grid.hasFocus());
}

TEST_F(GridFocusTest, KeysScrollTheFocusedCellIntoView) {
    grid.MoveFocus({0, 4}, true, true);
    EXPECT_EQ(grid.VertScroll().Position(), 0);
    Key(Qt::Key_Down);
    EXPECT_EQ(grid.VertScroll().Position(), 1) << "row 5 ends at the bottom of the view";
    EXPECT_EQ(grid.FirstVisible().Row, 1);

    grid.MoveFocus({0, 0}, true, true);
    grid.VertScroll().MoveToPosition(10);
    Key(Qt::Key_Up);
    EXPECT_EQ(grid.FocusedCell(), (TGridCell{0, 0}));
    EXPECT_EQ(grid.VertScroll().Position(), 0) << "the unmoved focus is still scrolled into view";
}

TEST_F(GridFocusTest, WheelMovesTheFocusNotTheView) {
    grid.MoveFocus({2, 19}, true, true);
    int changes = 0;
    grid.OnChange = [&](TCustomGridView&, const TGridCell&, bool) { ++changes; };
    Wheel(-120);  // towards the user: down
    EXPECT_EQ(grid.FocusedCell(), (TGridCell{2, 19}));
    EXPECT_EQ(changes, 0) << "nothing changes on the last row";
    Wheel(120);
    EXPECT_EQ(grid.FocusedCell(), (TGridCell{2, 18}));
    bool offered = false;
    grid.OnMouseWheelUp = [&](TCustomGridView&, Qt::KeyboardModifiers, QPoint, bool& handled) {
        offered = true;
        handled = true;
    };
    Wheel(120);
    EXPECT_TRUE(offered);
    EXPECT_EQ(grid.FocusedCell(), (TGridCell{2, 18})) << "an owner that handles the wheel keeps the focus";
}

TEST_F(GridFocusTest, ClickOnAnUnfocusableColumnFocusesTheNearestCellTowardsTheFocus) {
    grid.MoveFocus({3, 3}, true, true);
    std::vector<TGridCell> clicked;
    grid.OnCellClick = [&](TCustomGridView&, const TGridCell& cell, Qt::KeyboardModifiers, int, int) {
        clicked.push_back(cell);
    };
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, grid.CellBounds({1, 1}).center());
    EXPECT_EQ(grid.FocusedCell(), (TGridCell{2, 1}));
    ASSERT_EQ(clicked.size(), 1u);
    EXPECT_EQ(clicked[0], (TGridCell{1, 1})) << "the click reports the cell under the pointer";
}

TEST_F(GridFocusTest, OnChangingMayRedirectTheFocus) {
    grid.OnChanging = [](TCustomGridView&, TGridCell& cell, bool&) { cell = {1, 7}; };
    grid.MoveFocus({2, 2}, true, true);
    EXPECT_EQ(grid.FocusedCell(), (TGridCell{1, 7})) << "the owner's cell is taken as it is";
    EXPECT_EQ(grid.VertScroll().Position(), 3);
}

TEST_F(GridFocusTest, DraggingMovesTheFocusOnlyWithMkMouseDrag) {
    for (bool drag : {false, true}) {
        grid.SetMoveKeys(drag ? grid.MoveKeys() + TMoveKey::mkMouseDrag : grid.MoveKeys() - TMoveKey::mkMouseDrag);
        QTest::mousePress(grid.viewport(), Qt::LeftButton, {}, grid.CellBounds({2, 1}).center());
        ASSERT_EQ(grid.FocusedCell(), (TGridCell{2, 1}));
        QMouseEvent move(QEvent::MouseMove, QPointF(grid.CellBounds({2, 3}).center()),
                         grid.viewport()->mapToGlobal(QPointF(grid.CellBounds({2, 3}).center())), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(grid.viewport(), &move);
        QTest::mouseRelease(grid.viewport(), Qt::LeftButton, {}, grid.CellBounds({2, 3}).center());
        EXPECT_EQ(grid.FocusedCell(), drag ? (TGridCell{2, 3}) : (TGridCell{2, 1})) << "drag " << drag;
    }
}

TEST(GridMoveKeysTest, MouseDragNeedsMouse) {
    TCustomGridView grid;
    grid.SetMoveKeys({TMoveKey::mkMouseDrag});
    EXPECT_EQ(grid.MoveKeys(), (TMoveKeys{TMoveKey::mkMouseDrag, TMoveKey::mkMouse}));
}

TEST(GridScrollBarVisibilityTest, ShowsOnlyWhenFewerWholeRowsFitThanThereAre) {
    struct Case {
        int rows;
        bool visible;
        int highestPosition;
    };
    const Case cases[] = {{8, false, 0}, {9, true, 1}};
    for (const Case& c : cases) {
        TCustomGridView grid;
        grid.SetBorderStyle(TBorderStyle::bsNone);
        test::SetUpGrid(grid, {100}, c.rows, 18);
        grid.resize(300, 144);
        test::ShowActive(grid);
        QApplication::processEvents();
        EXPECT_EQ(grid.verticalScrollBar()->isVisible(), c.visible) << c.rows << " rows";
        grid.VertScroll().MoveToPosition(100);
        EXPECT_EQ(grid.VertScroll().Position(), c.highestPosition);
    }
}

class GridTipsTest : public testing::Test {
protected:
    void SetUp() override {
        grid.SetBorderStyle(TBorderStyle::bsNone);
        owner.Attach(grid);
        test::SetUpGrid(grid, {80, 150}, 3, 20);
        owner.texts[{0, 0}] = QStringLiteral("short");
        owner.texts[{0, 1}] = QStringLiteral("a text far too long for eighty pixels");
        owner.texts[{1, 0}] = QStringLiteral("fits in 150");
        grid.SetShowCellTips(true);
        grid.resize(160, 100);  // column 1 shows only 80 of its 150 pixels
        test::ShowActive(grid);
    }
    TCustomGridView grid;
    test::TGridOwner owner;
};

TEST_F(GridTipsTest, OnlyTextsThatDoNotFitGetATip) {
    struct Case {
        TGridCell cell;
        bool tip;
    };
    const Case cases[] = {
        {{0, 0}, false},
        {{0, 1}, true},
        {{1, 0}, true},  // fits its column but not the part the control shows
    };
    for (const Case& c : cases) {
        test::AskForHint(grid.viewport(), grid.CellBounds(c.cell).topLeft() + QPoint(3, 3));
        EXPECT_EQ(grid.TipShowing(), c.tip) << c.cell.Col << "," << c.cell.Row;
        if (c.tip) {
            EXPECT_EQ(grid.TipCell(), c.cell);
            EXPECT_EQ(grid.TipText(), (owner.texts[{c.cell.Col, c.cell.Row}]));
        }
    }
}

TEST_F(GridTipsTest, TheTipLiesOverTheCellAndGoesWhenThePointerLeaves) {
    const QPoint inCell = grid.CellBounds({0, 1}).topLeft() + QPoint(3, 3);
    test::AskForHint(grid.viewport(), inCell);
    ASSERT_TRUE(grid.TipShowing());
    const QRect inner = grid.CellInnerBounds({0, 1});
    EXPECT_EQ(grid.TipGeometry().topLeft(), grid.viewport()->mapToGlobal(inner.topLeft() - QPoint(1, 1)));
    EXPECT_GT(grid.TipGeometry().width(), inner.width() + 2);

    QTest::mouseMove(grid.viewport(), inCell + QPoint(2, 0));
    EXPECT_TRUE(grid.TipShowing());
    QTest::mouseMove(grid.viewport(), grid.CellBounds({0, 2}).center());
    EXPECT_FALSE(grid.TipShowing());
}

TEST_F(GridTipsTest, ALeaveReportedWhileThePointerIsStillOverTheCellKeepsTheTip) {
    const QPoint inCell = grid.CellBounds({0, 1}).topLeft() + QPoint(3, 3);
    test::AskForHint(grid.viewport(), inCell);
    ASSERT_TRUE(grid.TipShowing());
    QCursor::setPos(grid.viewport()->mapToGlobal(inCell));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(grid.viewport(), &leave);
    EXPECT_TRUE(grid.TipShowing()) << "the tip itself came up under the pointer";
    QCursor::setPos(grid.viewport()->mapToGlobal(QPoint(-50, -50)));
    QApplication::sendEvent(grid.viewport(), &leave);
    EXPECT_FALSE(grid.TipShowing());
}

// Where the window system hands the pointer to the tip instead of letting it
// through, the tip passes it on: a click on it is a click on the cell, and
// leaving it outside its cell ends it.
TEST_F(GridTipsTest, ClicksOnTheTipReachTheCellAndLeavingTheTipEndsIt) {
    const QPoint inCell = grid.CellBounds({0, 1}).topLeft() + QPoint(3, 3);
    std::vector<TGridCell> clicked;
    grid.OnCellClick = [&](TCustomGridView&, const TGridCell& cell, Qt::KeyboardModifiers, int, int) {
        clicked.push_back(cell);
    };
    auto showTip = [&]() -> QWidget* {
        test::AskForHint(grid.viewport(), inCell);
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w != &grid && w->isVisible() && w->geometry() == grid.TipGeometry()) return w;
        return nullptr;
    };

    QWidget* tip = showTip();
    ASSERT_NE(tip, nullptr);
    ASSERT_EQ(grid.FocusedCell(), (TGridCell{0, 0}));
    QTest::mouseClick(tip, Qt::LeftButton, {}, tip->mapFromGlobal(grid.viewport()->mapToGlobal(inCell)));
    EXPECT_EQ(grid.FocusedCell(), (TGridCell{0, 1})) << "the click went on to the cell";
    EXPECT_EQ(clicked, (std::vector<TGridCell>{{0, 1}}));
    EXPECT_FALSE(grid.TipShowing());

    tip = showTip();
    ASSERT_NE(tip, nullptr);
    QEvent leave(QEvent::Leave);
    QCursor::setPos(grid.viewport()->mapToGlobal(inCell));
    QApplication::sendEvent(tip, &leave);
    EXPECT_TRUE(grid.TipShowing()) << "still over the cell";
    QCursor::setPos(grid.viewport()->mapToGlobal(QPoint(-50, -50)));
    QApplication::sendEvent(tip, &leave);
    EXPECT_FALSE(grid.TipShowing()) << "the pointer left the tip and the cell";
}

TEST(GridTipPlaceTest, ATipIsMovedIntoTheWorkAreaNotCut) {
    QWidget window;
    window.resize(200, 100);
    auto* grid = new TCustomGridView(&window);
    grid->setGeometry(0, 0, 200, 100);
    grid->SetBorderStyle(TBorderStyle::bsNone);
    test::TGridOwner owner;
    owner.Attach(*grid);
    owner.texts[{0, 0}] = QString(60, QLatin1Char('m'));
    test::SetUpGrid(*grid, {150}, 2, 20);
    grid->SetShowCellTips(true);
    const QRect work = window.screen()->availableGeometry();
    window.move(work.right() - 160, 100);
    test::ShowActive(window);
    test::AskForHint(grid->viewport(), QPoint(5, 5));
    ASSERT_TRUE(grid->TipShowing());
    const QRect tip = grid->TipGeometry();
    const int needed = QFontMetrics(grid->Font().Font).horizontalAdvance(owner.texts[{0, 0}]) +
                       grid->TextIndentLeft() + grid->TextIndentRight() + 2;
    EXPECT_EQ(tip.width(), needed) << "the whole text still shows";
    EXPECT_EQ(tip.right(), work.right()) << "moved left to stay on the screen";
}

TEST_F(GridTipsTest, NoTipOverTheActiveEditor) {
    owner.texts[{1, 1}] = QStringLiteral("a text far too long for the visible part of the column");
    owner.texts[{1, 2}] = owner.texts[{1, 1}];
    grid.MoveFocus({1, 1}, true, true);
    grid.SetAlwaysEdit(true);
    ASSERT_TRUE(grid.EditorActive());
    ASSERT_EQ(grid.EditorCell(), (TGridCell{1, 1}));
    test::AskForHint(grid.viewport(), grid.CellBounds({1, 1}).topLeft() + QPoint(3, 3));
    EXPECT_FALSE(grid.TipShowing());
    test::AskForHint(grid.viewport(), grid.CellBounds({1, 2}).topLeft() + QPoint(3, 3));
    EXPECT_TRUE(grid.TipShowing());
    grid.MoveFocus({1, 0}, true, true);
    EXPECT_FALSE(grid.TipShowing()) << "a focus change ends the tip";
}

}  // namespace
}  // namespace lk63
