// The grid's data model without painting: columns, rows, scroll bar models.
#include <gtest/gtest.h>

#include "controls/custom_grid_view.h"
#include "controls/grid_columns.h"
#include "controls/grid_rows.h"
#include "controls/grid_scroll_bar.h"
#include "controls/mul_div.h"

namespace lk63 {
namespace {

TEST(GridColumnTest, WidthIsClampedIntoItsBounds) {
    struct Case {
        int min, max, set, expected;
    };
    const Case cases[] = {
        {0, 10000, 80, 80},    {20, 100, 10, 20},   {20, 100, 150, 100},
        {0, 10000, -5, 0},     {0, 10000, 20000, 10000},
    };
    for (const Case& c : cases) {
        TGridColumns columns;
        TGridColumn& col = columns.Add();
        col.SetMaxWidth(c.max);
        col.SetMinWidth(c.min);
        col.SetWidth(c.set);
        EXPECT_EQ(col.Width(), c.expected) << "min " << c.min << " max " << c.max << " set " << c.set;
    }
}

TEST(GridColumnTest, BoundsStayOrderedAndWithinLimits) {
    TGridColumns columns;
    TGridColumn& col = columns.Add();
    col.SetMaxWidth(20000);
    EXPECT_EQ(col.MaxWidth(), 10000);
    col.SetMinWidth(-3);
    EXPECT_EQ(col.MinWidth(), 0);
    col.SetMaxWidth(50);
    col.SetMinWidth(70);  // never above MaxWidth
    EXPECT_EQ(col.MinWidth(), 50);
    col.SetMaxWidth(10);  // never below MinWidth
    EXPECT_EQ(col.MaxWidth(), 50);
    EXPECT_EQ(col.Width(), 50) << "the stored width follows narrowed bounds";
}

TEST(GridColumnTest, HiddenColumnTakesNoWidthButKeepsItsOwn) {
    TGridColumns columns;
    TGridColumn& col = columns.Add();
    col.SetWidth(90);
    col.SetVisible(false);
    EXPECT_EQ(col.Width(), 0);
    EXPECT_EQ(col.DefWidth(), 90);
    col.SetVisible(true);
    EXPECT_EQ(col.Width(), 90);
}

TEST(GridColumnsTest, ChangesAreBatchedAndEveryPropertyNotifies) {
    TGridColumns columns;
    int notified = 0;
    columns.OnChange = [&] { ++notified; };
    columns.BeginUpdate();
    TGridColumn& a = columns.Add();
    a.SetWidth(10);
    a.SetCaption(QStringLiteral("x"));
    columns.EndUpdate();
    EXPECT_EQ(notified, 1);
    a.SetAlignment(TAlignment::taCenter);
    a.SetReadOnly(true);
    a.SetWidth(10);  // unchanged: no notice
    EXPECT_EQ(notified, 3);
}

TEST(GridRowsTest, CountIsClampedByTheHeight) {
    TGridRows rows;
    rows.SetCount(-4);
    EXPECT_EQ(rows.Count(), 0);
    rows.SetHeight(1000);
    EXPECT_EQ(rows.MaxCount(), 0x7FFFFFFD / 1000 - 2);
    rows.SetCount(std::numeric_limits<int>::max());
    EXPECT_EQ(rows.Count(), rows.MaxCount());
    rows.SetHeight(100000);  // a smaller MaxCount clamps Count again
    EXPECT_EQ(rows.Count(), 0x7FFFFFFD / 100000 - 2);
    rows.SetHeight(-1);
    EXPECT_EQ(rows.Height(), 0);
    EXPECT_EQ(rows.MaxCount(), 0x7FFFFFFD);
}

TEST(MulDivTest, RoundsToNearestAndGuardsZero) {
    EXPECT_EQ(MulDiv(7, 10000, 8), 8750);
    EXPECT_EQ(MulDiv(1, 3, 2), 2);     // 1.5 goes away from zero
    EXPECT_EQ(MulDiv(-1, 3, 2), -2);
    EXPECT_EQ(MulDiv(1, 1, 3), 0);
    EXPECT_EQ(MulDiv(5, 5, 0), -1);
    EXPECT_EQ(MulDiv(2'000'000'000, 10000, 10000), 2'000'000'000) << "no 32-bit overflow";
}

TEST(GridScrollBarTest, SetRangeStepsNormalisesAndClampsThePosition) {
    TGridScrollBar bar(TScrollBarKind::sbVertical);
    int params = 0;
    bar.OnParamsChanged = [&] { ++params; };
    bar.SetRangeSteps(0, 20, 1, 5);
    bar.MoveToPosition(15);
    EXPECT_EQ(bar.Position(), 15);
    bar.SetRangeSteps(0, 10, -3, 4);
    EXPECT_EQ(bar.LineStep(), 0);
    EXPECT_EQ(bar.Position(), 6) << "lowered to (Max - Min) - page step";
    bar.SetRangeSteps(5, 2, 1, 1);
    EXPECT_EQ(bar.Max(), 5) << "a Max below Min becomes Min";
    EXPECT_EQ(bar.Position(), 0);
    const int before = params;
    bar.SetRangeSteps(5, 2, 1, 1);
    EXPECT_EQ(params, before) << "nothing changed, nothing sent";
}

TEST(GridScrollBarTest, MoveToPositionClampsBeforeAndAfterTheChangingNotice) {
    TGridScrollBar bar(TScrollBarKind::sbVertical);
    bar.SetLineSize(18);
    bar.SetRangeSteps(0, 9, 1, 7);
    std::vector<int> scrolled;
    int changed = 0;
    bar.OnScrollContent = [&](int pixels) { scrolled.push_back(pixels); };
    bar.OnChanged = [&] { ++changed; };
    bar.MoveToPosition(50);
    EXPECT_EQ(bar.Position(), 2) << "at most Max - page step";
    bar.OnChanging = [](TScrollCode, int& v) { v = -40; };
    bar.MoveToPosition(1);
    EXPECT_EQ(bar.Position(), 0) << "a changed target is clamped again";
    EXPECT_EQ(scrolled, (std::vector<int>{-36, 36}));
    EXPECT_EQ(changed, 2);
    bar.OnChanging = nullptr;
    bar.MoveToPosition(0);
    EXPECT_EQ(changed, 2) << "no move, no notice";
}

TEST(GridScrollBarTest, WindowBarRunsOnTheTenThousandScale) {
    struct Case {
        int max, page, position;
        bool visible;
        TScrollBarWindowInfo expected;
    };
    const Case cases[] = {
        {8, 7, 0, true, {10000, 8750, 0}},
        {8, 7, 1, true, {10000, 8750, 1250}},
        {7, 7, 0, true, {}},             // a page as large as the range hides the bar
        {1000, 10, 500, true, {10000, 100, 5000}},
        {8, 7, 0, false, {}},            // an invisible bar shows nothing
    };
    for (const Case& c : cases) {
        TGridScrollBar bar(TScrollBarKind::sbVertical);
        bar.SetRangeSteps(0, c.max, 1, c.page);
        bar.MoveToPosition(c.position);
        bar.SetVisible(c.visible);
        EXPECT_EQ(bar.WindowInfo(), c.expected) << "max " << c.max << " page " << c.page;
    }
}

TEST(GridScrollBarTest, RequestsOfTheWindowBar) {
    struct Case {
        TScrollCode code;
        int thumb;
        bool tracking;
        int expected;
    };
    const Case cases[] = {
        {TScrollCode::scLineDown, 0, true, 52},      {TScrollCode::scLineUp, 0, true, 48},
        {TScrollCode::scPageDown, 0, true, 60},      {TScrollCode::scPageUp, 0, true, 40},
        {TScrollCode::scThumbPosition, 2500, true, 25}, {TScrollCode::scThumbTrack, 2500, true, 25},
        {TScrollCode::scThumbTrack, 2500, false, 50}, {TScrollCode::scTop, 0, true, 50},
        {TScrollCode::scBottom, 0, true, 50},        {TScrollCode::scEndScroll, 0, true, 50},
    };
    for (const Case& c : cases) {
        TGridScrollBar bar(TScrollBarKind::sbHorizontal);
        bar.SetRangeSteps(0, 100, 2, 10);
        bar.MoveToPosition(50);
        bar.SetTracking(c.tracking);
        int refreshes = 0;
        bar.OnRefresh = [&] { ++refreshes; };
        bar.Scroll(c.code, c.thumb);
        EXPECT_EQ(bar.Position(), c.expected) << static_cast<int>(c.code);
        EXPECT_EQ(refreshes, 1) << "the window bar is refreshed once, when the lock is released";
    }
}

}  // namespace
}  // namespace lk63
