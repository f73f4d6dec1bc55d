// Geometry and painting of the grid.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QPainter>

#include "grid_fixture.h"
#include "gui_helpers.h"

namespace lk63 {
namespace {

using test::Pixel;
using test::Render;

class GridViewTest : public testing::Test {
protected:
    void SetUp() override {
        grid.SetBorderStyle(TBorderStyle::bsNone);
        owner.Attach(grid);
    }
    TCustomGridView grid;
    test::TGridOwner owner;
};

TEST_F(GridViewTest, CellGeometryFollowsWidthsScrollAndLines) {
    test::SetUpGrid(grid, {50, 30, 70}, 10, 20);
    grid.Columns()[1].SetVisible(false);
    grid.resize(300, 120);
    test::ShowActive(grid);

    struct Case {
        TGridCell cell;
        QRect bounds;
    };
    const Case cases[] = {
        {{0, 0}, QRect(0, 0, 50, 20)},
        {{1, 0}, QRect(50, 0, 0, 20)},    // hidden: no width
        {{2, 1}, QRect(50, 20, 70, 20)},
        {{5, 0}, QRect(120, 0, 0, 20)},   // beyond the last: at its right edge
        {{-1, 2}, QRect(0, 40, 0, 20)},   // before the first: at its left edge
    };
    for (const Case& c : cases) {
        EXPECT_EQ(grid.CellBounds(c.cell), c.bounds) << c.cell.Col << "," << c.cell.Row;
    }
    EXPECT_EQ(grid.CellInnerBounds({0, 0}), QRect(0, 0, 49, 19));
    EXPECT_EQ(grid.CellInnerBounds({1, 0}).width(), 0) << "the left edge never passes the right one";

    grid.SetShowGridLines(false);
    EXPECT_EQ(grid.CellInnerBounds({0, 0}), QRect(0, 0, 50, 20));

    grid.VertScroll().MoveToPosition(3);
    EXPECT_EQ(grid.CellBounds({0, 3}).top(), 0);
    EXPECT_EQ(grid.CellBounds({0, 2}).top(), -20);
}

TEST_F(GridViewTest, CellAtPointSkipsHiddenColumnsAndRowsBeyondTheCount) {
    test::SetUpGrid(grid, {50, 30, 70}, 4, 20);
    grid.Columns()[1].SetVisible(false);
    grid.resize(300, 200);
    test::ShowActive(grid);
    struct Case {
        QPoint point;
        TGridCell expected;
    };
    const Case cases[] = {
        {{10, 10}, {0, 0}},  {{49, 19}, {0, 0}}, {{50, 25}, {2, 1}}, {{119, 79}, {2, 3}},
        {{120, 10}, NoCell},  // right of the last column
        {{10, 80}, NoCell},   // below the last row
        {{10, -1}, NoCell},   // above the grid area
    };
    for (const Case& c : cases) {
        EXPECT_EQ(grid.CellAtPoint(c.point.x(), c.point.y()), c.expected) << c.point.x() << "," << c.point.y();
    }
}

TEST_F(GridViewTest, OnePaintAsksForTheVisibleCellsOnly) {
    test::SetUpGrid(grid, {60, 60, 60}, 10000, 17);
    grid.resize(200, 150);
    test::ShowActive(grid);
    grid.VertScroll().MoveToPosition(5000);
    ASSERT_EQ(grid.VertScroll().Position(), 5000);
    owner.asked.clear();

    (void)Render(grid);

    const int visibleRows = (grid.GridArea().height() + 16) / 17;
    const int visibleCols = (grid.GridArea().width() + 59) / 60;
    std::set<std::pair<int, int>> expected;
    for (int r = 5000; r < 5000 + visibleRows; ++r)
        for (int c = 0; c < std::min(visibleCols, 3); ++c) expected.insert({c, r});
    std::set<std::pair<int, int>> asked;
    for (const TGridCell& cell : owner.asked) asked.insert({cell.Col, cell.Row});
    EXPECT_EQ(asked, expected);
    EXPECT_EQ(owner.asked.size(), expected.size()) << "each visible cell is asked once";
}

TEST_F(GridViewTest, ARepaintedStripAsksOnlyForTheCellsItMeets) {
    test::SetUpGrid(grid, {60, 60}, 50, 20);
    grid.resize(200, 150);
    test::ShowActive(grid);
    owner.asked.clear();
    grid.RefreshCell({1, 2});
    QApplication::processEvents();
    ASSERT_FALSE(owner.asked.empty());
    for (const TGridCell& cell : owner.asked) EXPECT_EQ(cell, (TGridCell{1, 2}));
}

TEST_F(GridViewTest, WithoutRowsOrColumnsOnlyTheBackgroundIsPainted) {
    const TControlColor background = TControlColor::Rgb(10, 200, 30);
    struct Case {
        std::vector<int> widths;
        int rows;
    };
    const Case cases[] = {{{50, 50}, 0}, {{}, 5}};
    for (const Case& c : cases) {
        TCustomGridView g;
        g.SetBorderStyle(TBorderStyle::bsNone);
        owner.Attach(g);
        test::SetUpGrid(g, c.widths, c.rows, 20);
        g.SetColor(background);
        g.resize(120, 80);
        test::ShowActive(g);
        const QImage image = Render(g);
        int others = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (Pixel(image, x, y) != qRgb(10, 200, 30)) ++others;
        EXPECT_EQ(others, 0) << c.widths.size() << " columns, " << c.rows << " rows";
    }
}

TEST_F(GridViewTest, GridLinesInTheBackgroundColourAreInverted) {
    struct Case {
        TControlColor gridColor;
        QRgb expected;
    };
    const Case cases[] = {
        {TControlColor::Rgb(200, 10, 10), qRgb(200, 10, 10)},
        {TControlColor::Rgb(250, 250, 250), qRgb(250, 250, 250) ^ 0x808080},  // same as Color
    };
    for (const Case& c : cases) {
        TCustomGridView g;
        g.SetBorderStyle(TBorderStyle::bsNone);
        test::SetUpGrid(g, {40, 40}, 3, 20);
        g.SetColor(TControlColor::Rgb(250, 250, 250));
        g.SetGridColor(c.gridColor);
        g.resize(200, 100);
        test::ShowActive(g);
        const QImage image = Render(g);
        EXPECT_EQ(Pixel(image, 39, 5), c.expected) << "vertical line at the column's right edge - 1";
        EXPECT_EQ(Pixel(image, 5, 19), c.expected) << "horizontal line at the row's bottom edge - 1";
    }
}

TEST_F(GridViewTest, LongTextEndsInAnEllipsisOrIsCutAtTheInnerEdge) {
    const QString text = QStringLiteral("A rather long text that cannot fit into this cell");
    owner.texts[{0, 0}] = text;
    owner.texts[{1, 0}] = QString();
    test::SetUpGrid(grid, {80, 60}, 1, 20);
    grid.SetColor(TControlColor::Rgb(255, 255, 255));
    grid.SetShowFocusRect(false);
    grid.resize(200, 60);
    test::ShowActive(grid);

    auto paintedCell = [&](bool ellipsis) {
        grid.SetEndEllipsis(ellipsis);
        return Render(grid).copy(grid.CellInnerBounds({0, 0}));
    };
    auto reference = [&](const QString& shown, const QImage& like) {
        QImage image(grid.CellInnerBounds({0, 0}).size(), QImage::Format_RGB32);
        image.setDotsPerMeterX(like.dotsPerMeterX());
        image.setDotsPerMeterY(like.dotsPerMeterY());
        image.fill(Qt::white);
        QPainter p(&image);
        p.setFont(grid.Font().Font);
        p.setPen(grid.Font().Color.Resolve(grid.palette()));
        p.setClipRect(image.rect());
        p.drawText(QRect(6, 2, image.width() - 12, image.height() - 2), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                   shown);
        return image;
    };
    const QFontMetrics fm(grid.Font().Font);
    const QImage withEllipsis = paintedCell(true);
    EXPECT_EQ(withEllipsis.convertToFormat(QImage::Format_RGB32),
              reference(fm.elidedText(text, Qt::ElideRight, 80 - 1 - 12), withEllipsis));

    const QImage cut = paintedCell(false);
    EXPECT_NE(cut.convertToFormat(QImage::Format_RGB32), withEllipsis.convertToFormat(QImage::Format_RGB32));
    // Nothing of the text spills into the next cell.
    const QImage whole = Render(grid);
    for (int y = 0; y < 19; ++y)
        for (int x = 80; x < 139; ++x) ASSERT_EQ(Pixel(whole, x, y), qRgb(255, 255, 255)) << x << "," << y;
}

TEST_F(GridViewTest, FocusedCellIsHighlightedOnlyWithoutAlwaysEdit) {
    test::SetUpGrid(grid, {60, 60}, 3, 20);
    grid.SetAllowEdit(false);
    grid.resize(200, 100);
    test::ShowActive(grid);
    grid.setFocus();
    grid.MoveFocus({1, 1}, true, false);
    const QRgb highlight = grid.palette().color(QPalette::Active, QPalette::Highlight).rgb();
    EXPECT_EQ(Pixel(Render(grid), 115, 37), highlight);

    grid.SetAllowEdit(true);
    grid.SetAlwaysEdit(true);
    ASSERT_EQ(grid.FocusedCell(), (TGridCell{1, 1}));
    EXPECT_NE(Pixel(Render(grid), 115, 37), highlight) << "in always-edit mode the editor stands for the focus";
}

TEST_F(GridViewTest, TheEditorsCellIsLeftToTheEditor) {
    test::SetUpGrid(grid, {60, 60}, 3, 20);
    grid.resize(200, 100);
    test::ShowActive(grid);
    grid.SetAlwaysEdit(true);
    ASSERT_TRUE(grid.EditorActive());
    const TGridCell editorCell = grid.EditorCell();
    ASSERT_EQ(editorCell, grid.FocusedCell());
    owner.asked.clear();
    (void)Render(grid);
    for (const TGridCell& cell : owner.asked) EXPECT_NE(cell, editorCell) << "the grid asked for the editor's cell";
    EXPECT_EQ(owner.asked.size(), 5u);
}

TEST_F(GridViewTest, ChangingColumnsKeepsTheFocusOnAFocusableCell) {
    test::SetUpGrid(grid, {50, 50, 50}, 3, 20);
    grid.resize(300, 100);
    test::ShowActive(grid);
    grid.MoveFocus({1, 2}, true, true);
    grid.Rows().SetCount(1);
    EXPECT_EQ(grid.FocusedCell(), (TGridCell{1, 0})) << "clamped into the remaining rows";
    grid.Columns()[1].SetVisible(false);
    EXPECT_EQ(grid.FocusedCell(), (TGridCell{0, 0})) << "a hidden focused column gives the first focusable cell";
    grid.Columns()[0].SetTabStop(false);
    EXPECT_EQ(grid.FocusedCell(), (TGridCell{2, 0}));
}

}  // namespace
}  // namespace lk63
