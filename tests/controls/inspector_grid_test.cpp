// The name/value grid as the main window sets it up: fonts, column fitting,
// the border drag, hit-testing beyond the cells and the pick list.
#include <gtest/gtest.h>

#include <QScrollBar>

#include "controls/inspector_grid.h"
#include "edit_fixture.h"

namespace lk63 {
namespace {

using test::Key;
using test::TCloseUp;

void SendMouse(QWidget* w, QEvent::Type type, const QPoint& pos, Qt::MouseButton button, Qt::MouseButtons buttons) {
    QMouseEvent e(type, QPointF(pos), QPointF(w->mapToGlobal(pos)), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

// Eight rows in a 968 x 148 grid, as the main window's first grid.
class NameValueGridTest : public testing::Test {
protected:
    void SetUp() override {
        window.resize(1000, 400);
        grid = new TInspectorGrid(&window);
        grid->setGeometry(0, 0, 968, 148);
        grid->SetColor(clWindow);
        grid->SetGridMode(TInspectorGridMode::gmStandard);
        grid->Rows().SetHeight(18);
        grid->SetShowCellTips(true);
        values.assign(8, QString());
        items.assign(8, QStringList{QStringLiteral("first option"), QStringLiteral("second option")});
        grid->OnGetCellText = [this](TCustomGridView&, const TGridCell& cell, QString& value) {
            value = cell.Col == 0 ? QStringLiteral("Parameter %1").arg(cell.Row) : values.at(std::size_t(cell.Row));
        };
        grid->OnGetEditText = grid->OnGetCellText;
        grid->OnGetEditStyle = [](TCustomGridView&, const TGridCell& cell, TGridEditStyle& style) {
            if (cell.Col == 1) style = TGridEditStyle::gePickList;
        };
        grid->OnGetEditList = [this](TCustomGridView&, const TGridCell& cell, QStringList& list) {
            list = items.at(std::size_t(cell.Row));
        };
        grid->OnEditCanModify = [](TCustomGridView&, const TGridCell&, bool& can) { can = false; };
        grid->OnEditCloseUp = [this](TCustomGridView&, const TGridCell& cell, int index, bool& accept) {
            closeUps.push_back({cell, index, accept});
            if (accept && index >= 0) values.at(std::size_t(cell.Row)) = items.at(std::size_t(cell.Row)).at(index);
        };
        grid->Rows().SetCount(8);
        grid->Columns()[0].SetWidth(480);
        test::ShowActive(window);
        grid->SetFocus();
        QApplication::processEvents();
    }
    std::vector<QString> values;
    std::vector<QStringList> items;
    std::vector<TCloseUp> closeUps;
    QWidget window;
    TInspectorGrid* grid = nullptr;
};

TEST_F(NameValueGridTest, MainWindowLayoutFitsEightRowsAndSplitsTheWidth) {
    EXPECT_EQ(grid->viewport()->size(), QSize(964, 144)) << "the sunken edge takes 2 pixels a side";
    EXPECT_FALSE(grid->verticalScrollBar()->isVisible());
    EXPECT_EQ(grid->GridArea().width(), 965) << "one line wider in gmStandard";
    EXPECT_EQ(grid->Columns()[0].Width(), 480);
    EXPECT_EQ(grid->Columns()[1].Width(), 485);
    EXPECT_EQ(grid->FocusedCell(), (TGridCell{1, 0})) << "column 0 cannot take the focus";
    ASSERT_TRUE(grid->EditorActive());
    EXPECT_EQ(grid->EditorCell(), (TGridCell{1, 0}));
    EXPECT_TRUE(grid->Editor()->hasFocus());
    EXPECT_EQ(grid->Editor()->ButtonWidth(), grid->Editor()->height()) << "a square button";
}

TEST_F(NameValueGridTest, FontsAndTextOffsetsPerColumn) {
    std::map<int, QColor> fontColors;
    grid->OnGetCellColors = [&](TCustomGridView&, const TGridCell& cell, TCellCanvas& canvas) {
        fontColors[cell.Col] = canvas.FontColor;
    };
    (void)grid->viewport()->grab();
    EXPECT_EQ(fontColors[0], SystemColor(TSysColor::clBtnText, grid->palette()));
    EXPECT_EQ(fontColors[1], QColor(0, 0, 128)) << "values in navy";
    EXPECT_EQ(grid->CellTextIndent({0, 3}), QPoint(2, 1));
    EXPECT_EQ(grid->CellTextIndent({1, 3}), QPoint(1, 1));
    EXPECT_TRUE(grid->ShowGridLines()) << "gmStandard draws grid lines";
    grid->SetGridMode(TInspectorGridMode::gmNoGridLines);
    EXPECT_FALSE(grid->ShowGridLines());
    EXPECT_EQ(grid->GridArea().width(), 964);
    EXPECT_EQ(grid->Columns()[1].Width(), 484) << "column 1 follows the grid area";
}

TEST(NameValueGridFitTest, ColumnOneTakesTheRestAndBothKeepThirtyFive) {
    struct Case {
        int width, name, expectedName, expectedValue;
    };
    const Case cases[] = {
        {300, 100, 100, 200},
        {200, 180, 165, 35},  // the value column would be too narrow
        {200, 10, 35, 165},   // the name column would be too narrow
        {60, 30, 35, 25},     // below 70: the name column wins, as its rule runs last
        {20, 10, 35, 0},      // below 35: never a negative width
    };
    for (const Case& c : cases) {
        QWidget window;
        auto* grid = new TInspectorGrid(&window);
        grid->SetBorderStyle(TBorderStyle::bsNone);
        grid->SetGridMode(TInspectorGridMode::gmNoGridLines);
        grid->Rows().SetCount(1);
        grid->setGeometry(0, 0, c.width, 60);
        test::ShowActive(window);
        ASSERT_EQ(grid->GridArea().width(), c.width);
        grid->Columns()[0].SetWidth(c.name);
        EXPECT_EQ(grid->Columns()[0].Width(), c.expectedName) << "width " << c.width << " name " << c.name;
        EXPECT_EQ(grid->Columns()[1].Width(), c.expectedValue) << "width " << c.width << " name " << c.name;
    }
}

TEST_F(NameValueGridTest, DraggingTheBorderResizesTheNameColumnWithinLimits) {
    QWidget* vp = grid->viewport();
    const int w = grid->GridArea().width();
    const QPoint zone(480 - 2, 30);
    QMouseEvent hover(QEvent::MouseMove, QPointF(zone), QPointF(vp->mapToGlobal(zone)), Qt::NoButton, Qt::NoButton,
                      Qt::NoModifier);
    QApplication::sendEvent(vp, &hover);
    EXPECT_EQ(vp->cursor().shape(), Qt::SplitHCursor);

    struct Case {
        int x;
        int expected;
    };
    const Case moves[] = {{600, 600 + 2}, {5000, w - 35}, {-300, 35}, {300, 300 + 2}};
    SendMouse(vp, QEvent::MouseButtonPress, zone, Qt::LeftButton, Qt::LeftButton);
    ASSERT_TRUE(grid->Resizing());
    for (const Case& m : moves) {
        SendMouse(vp, QEvent::MouseMove, QPoint(m.x, 30), Qt::NoButton, Qt::LeftButton);
        EXPECT_EQ(grid->Columns()[0].Width(), m.expected) << "dragged to " << m.x;
        EXPECT_EQ(grid->Columns()[1].Width(), w - m.expected) << "column 1 follows";
    }
    SendMouse(vp, QEvent::MouseButtonRelease, QPoint(400, 30), Qt::LeftButton, Qt::NoButton);
    EXPECT_FALSE(grid->Resizing());
    EXPECT_EQ(grid->Columns()[0].Width(), 402);
    EXPECT_EQ(grid->FocusedCell(), (TGridCell{1, 0})) << "a resize is not a click";

    SendMouse(vp, QEvent::MouseButtonPress, QPoint(400, 30), Qt::LeftButton, Qt::LeftButton);
    SendMouse(vp, QEvent::MouseButtonPress, QPoint(400, 30), Qt::RightButton, Qt::LeftButton | Qt::RightButton);
    EXPECT_FALSE(grid->Resizing()) << "a right press ends the resize";
}

TEST_F(NameValueGridTest, ClicksBeyondTheCellsFocusTheNearestValueCell) {
    struct Case {
        QPoint point;
        TGridCell expected;
    };
    const Case cases[] = {
        {{100, 18 * 3 + 5}, {1, 3}},  // a name cell focuses the value of its row
        {{700, 18 * 5 + 5}, {1, 5}},
        {{100, 143}, {1, 7}},         // the strip below the last row: the last row
    };
    for (const Case& c : cases) {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, c.point);
        EXPECT_EQ(grid->FocusedCell(), c.expected) << c.point.x() << "," << c.point.y();
        EXPECT_EQ(grid->EditorCell(), c.expected) << "the editor follows";
    }
}

TEST_F(NameValueGridTest, DraggingPastTheRowsScrollsOneRowBeyondTheVisibleOnes) {
    values.resize(20);
    items.resize(20);
    grid->Rows().SetCount(20);
    QApplication::processEvents();
    QWidget* vp = grid->viewport();
    SendMouse(vp, QEvent::MouseButtonPress, QPoint(100, 5), Qt::LeftButton, Qt::LeftButton);
    ASSERT_EQ(grid->FocusedCell(), (TGridCell{1, 0}));
    const int below = grid->GridArea().height() + 10;
    for (int expectedRow = grid->VisibleCount().Rows; expectedRow < grid->VisibleCount().Rows + 3; ++expectedRow) {
        SendMouse(vp, QEvent::MouseMove, QPoint(100, below), Qt::NoButton, Qt::LeftButton);
        EXPECT_EQ(grid->FocusedCell().Row, expectedRow) << "one row at a time";
        EXPECT_EQ(grid->EditorCell(), grid->FocusedCell());
    }
    EXPECT_GT(grid->VertScroll().Position(), 0);
    SendMouse(vp, QEvent::MouseMove, QPoint(100, -10), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(grid->FocusedCell().Row, grid->FirstVisible().Row) << "above the rows: the row above the first visible";
    SendMouse(vp, QEvent::MouseButtonRelease, QPoint(100, -10), Qt::LeftButton, Qt::NoButton);
}

TEST_F(NameValueGridTest, ALongValueShowsATipUnlessTheEditorIsThere) {
    values[3] = QString(120, QLatin1Char('w'));
    values[0] = values[3];
    grid->RefreshCell({1, 3});
    test::AskForHint(grid->viewport(), grid->CellBounds({1, 3}).topLeft() + QPoint(5, 5));
    EXPECT_TRUE(grid->TipShowing());
    EXPECT_EQ(grid->TipText(), values[3]);
    test::AskForHint(grid->viewport(), grid->CellBounds({1, 0}).topLeft() + QPoint(5, 5));
    EXPECT_FALSE(grid->TipShowing()) << "row 0 holds the editor";
    test::AskForHint(grid->viewport(), grid->CellBounds({0, 2}).topLeft() + QPoint(5, 5));
    EXPECT_FALSE(grid->TipShowing()) << "a name that fits";
}

// A category row is one cell across the grid: asked for any of its cells,
// the grid answers with the category's name, in a tip as well.
TEST_F(NameValueGridTest, ACategoryRowShowsItsNameInEveryColumn) {
    const QString name = QStringLiteral("Category ") + QString(150, QLatin1Char('w'));
    grid->OnGetCategoryRow = [](TCustomGridView&, int row, bool& category) { category = row == 2; };
    grid->OnGetCellText = [&](TCustomGridView&, const TGridCell& cell, QString& value) {
        value = cell.Col == 0 ? (cell.Row == 2 ? name : QStringLiteral("Parameter %1").arg(cell.Row))
                              : QStringLiteral("value %1").arg(cell.Row);
    };
    grid->Invalidate();
    EXPECT_EQ(grid->CellText({1, 2}), name);
    EXPECT_EQ(grid->CellText({0, 2}), name);
    EXPECT_EQ(grid->CellText({1, 3}), QStringLiteral("value 3")) << "other rows keep their values";
    test::AskForHint(grid->viewport(), grid->CellBounds({1, 2}).topLeft() + QPoint(5, 5));
    ASSERT_TRUE(grid->TipShowing()) << "the name does not fit the grid's width";
    EXPECT_EQ(grid->TipText(), name);
}

TEST_F(NameValueGridTest, ChoosingFromTheListWorksThoughTypingIsRefused) {
    const test::TBeepCounter beeps;
    test::Type(QStringLiteral("typed"));
    EXPECT_EQ(grid->Editor()->text(), QString());
    Key(Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(grid->Editor()->ListOpen());
    EXPECT_EQ(grid->Editor()->ListBox()->ItemIndex(), -1) << "an empty value highlights nothing";
    Key(Qt::Key_Down);
    Key(Qt::Key_Down);
    Key(Qt::Key_Return);
    ASSERT_EQ(closeUps.size(), 1u);
    EXPECT_EQ(closeUps[0], (TCloseUp{{1, 0}, 1, true}));
    EXPECT_EQ(grid->Editor()->text(), QStringLiteral("second option"));
    EXPECT_EQ(beeps.Beeps(), 0);

    // Opening again highlights the value; Esc reports it unaccepted.
    Key(Qt::Key_Down, Qt::AltModifier);
    EXPECT_EQ(grid->Editor()->ListBox()->ItemIndex(), 1);
    Key(Qt::Key_Escape);
    ASSERT_EQ(closeUps.size(), 2u);
    EXPECT_EQ(closeUps[1], (TCloseUp{{1, 0}, 1, false}));
}

TEST_F(NameValueGridTest, TogglingAlwaysEditRebuildsTheEditorWithFreshText) {
    grid->MoveFocus({1, 2}, true, true);
    values[2] = QStringLiteral("set underneath");
    EXPECT_EQ(grid->Editor()->text(), QString());
    window.setFocus();
    grid->SetAlwaysEdit(false);
    EXPECT_FALSE(grid->Editor()->isVisible());
    grid->SetAlwaysEdit(true);
    EXPECT_TRUE(grid->Editor()->isVisible());
    EXPECT_EQ(grid->Editor()->text(), QStringLiteral("set underneath"));
    EXPECT_TRUE(grid->FocusInside()) << "the focus moves into the grid";
}

TEST(NameValueGridListTest, TheListMovesTwoPixelsLeftOnlyInTheNameValueMode) {
    int lefts[2] = {0, 0};
    int i = 0;
    for (TInspectorGridMode mode : {TInspectorGridMode::gmStandard, TInspectorGridMode::gmInspector}) {
        QWidget window;
        window.resize(600, 300);
        auto* grid = new TInspectorGrid(&window);
        grid->setGeometry(100, 0, 400, 100);
        grid->SetGridMode(mode);
        grid->OnGetEditStyle = [](TCustomGridView&, const TGridCell&, TGridEditStyle& style) {
            style = TGridEditStyle::gePickList;
        };
        grid->OnGetEditList = [](TCustomGridView&, const TGridCell&, QStringList& list) {
            list = {QStringLiteral("an entry wider than the value column of this grid, by far")};
        };
        grid->Rows().SetCount(3);
        test::ShowActive(window);
        grid->SetFocus();
        Key(Qt::Key_Down, Qt::AltModifier);
        ASSERT_TRUE(grid->Editor()->ListOpen());
        lefts[i++] = grid->Editor()->ListBox()->geometry().right() -
                     grid->Editor()->mapToGlobal(QPoint(grid->Editor()->width() - 1, 0)).x();
    }
    EXPECT_EQ(lefts[0], 0);
    EXPECT_EQ(lefts[1], -2);
}

}  // namespace
}  // namespace lk63
