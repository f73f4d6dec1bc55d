#include <gtest/gtest.h>

#include <memory>

#include "report/band.h"
#include "report/error.h"
#include "report/memo_view.h"
#include "report/page.h"
#include "report/report.h"

namespace lk63 {
namespace {

std::vector<std::string> Names(const std::vector<TrpComponent*>& objects) {
    std::vector<std::string> out;
    for (const TrpComponent* o : objects) out.push_back(o->Name());
    return out;
}

template <typename T>
T* AddNamed(TrpComponent& parent, const std::string& name) {
    T* c = parent.Add(std::make_unique<T>());
    c->SetName(name);
    return c;
}

// report > page > two bands with views, the shape of every template.
class ReportTree : public ::testing::Test {
protected:
    ReportTree() {
        page = AddNamed<TrpReportPage>(report, "Page1");
        title = AddNamed<TrpReportTitle>(*page, "ReportTitle1");
        memo1 = AddNamed<TrpMemoView>(*title, "Memo1");
        memo2 = AddNamed<TrpMemoView>(*title, "Memo2");
        data = AddNamed<TrpMasterData>(*page, "MasterData1");
        memo12 = AddNamed<TrpMemoView>(*data, "Memo12");
        line = AddNamed<TrpLineView>(*data, "Line1");
    }
    TrpReport report;
    TrpReportPage* page;
    TrpReportTitle* title;
    TrpMemoView *memo1, *memo2, *memo12;
    TrpMasterData* data;
    TrpLineView* line;
};

TEST_F(ReportTree, AllObjectsListsEachObjectBeforeItsChildren) {
    using V = std::vector<std::string>;
    EXPECT_EQ(Names(report.AllObjects()),
              (V{"Page1", "ReportTitle1", "Memo1", "Memo2", "MasterData1", "Memo12", "Line1"}));
    EXPECT_EQ(Names(page->AllObjects()),
              (V{"ReportTitle1", "Memo1", "Memo2", "MasterData1", "Memo12", "Line1"}));
    EXPECT_EQ(Names(data->AllObjects()), (V{"Memo12", "Line1"}));
    EXPECT_TRUE(memo1->AllObjects().empty());
}

TEST_F(ReportTree, FindObjectIgnoresAsciiCaseOnly) {
    struct Case {
        const char* request;
        TrpComponent* expected;
    } const cases[] = {
        {"Memo12", memo12}, {"memo12", memo12}, {"MEMO12", memo12},  {"masterdata1", data},
        {"Memo3", nullptr}, {"", nullptr},      {"Memo1 ", nullptr},
    };
    for (const Case& c : cases) EXPECT_EQ(report.FindObject(c.request), c.expected) << c.request;
    memo2->SetName("Мемо");
    EXPECT_EQ(report.FindObject("Мемо"), memo2);
    EXPECT_EQ(report.FindObject("мемо"), nullptr);  // letters beyond ASCII compare exactly
}

TEST_F(ReportTree, FindObjectTakesTheFirstInPreOrder) {
    AddNamed<TrpMemoView>(*memo1, "Twin");  // a memo below a memo is still an object of the tree
    auto* second = AddNamed<TrpMemoView>(*data, "twin");
    EXPECT_NE(report.FindObject("TWIN"), second);
    EXPECT_EQ(report.FindObject("TWIN")->Parent(), memo1);
}

TEST_F(ReportTree, PageAndReportAreTheNearestOnTheWayUp) {
    EXPECT_EQ(memo12->Page(), page);
    EXPECT_EQ(memo12->Report(), &report);
    EXPECT_EQ(page->Page(), page);
    EXPECT_EQ(report.Report(), &report);
    EXPECT_EQ(report.Page(), nullptr);
    TrpMemoView loose;
    EXPECT_EQ(loose.Page(), nullptr);
    EXPECT_EQ(loose.Report(), nullptr);
}

TEST_F(ReportTree, AbsolutePositionsAddThePageButNotTheReport) {
    report.SetLeft(1000);
    report.SetTop(1000);
    data->SetBounds(0, 340.1577, 718.1107, 18.89765);
    memo12->SetBounds(362.83488, 2, 355.27582, 18.89765);
    EXPECT_DOUBLE_EQ(memo12->AbsLeft(), 362.83488);
    EXPECT_DOUBLE_EQ(memo12->AbsTop(), 342.1577);
    // The export places the page at its margins.
    page->SetLeft(37.7953);
    page->SetTop(37.7953);
    EXPECT_DOUBLE_EQ(memo12->AbsLeft(), 362.83488 + 37.7953);
    EXPECT_DOUBLE_EQ(memo12->AbsTop(), 342.1577 + 37.7953);
    EXPECT_DOUBLE_EQ(data->AbsTop(), 340.1577 + 37.7953);
    EXPECT_DOUBLE_EQ(page->AbsLeft(), 37.7953);
}

TEST_F(ReportTree, MovingAnObjectAppendsItToItsNewParent) {
    memo1->MoveTo(*data);
    using V = std::vector<std::string>;
    EXPECT_EQ(Names(title->AllObjects()), V{"Memo2"});
    EXPECT_EQ(Names(data->AllObjects()), (V{"Memo12", "Line1", "Memo1"}));
    EXPECT_EQ(memo1->Parent(), data);

    std::unique_ptr<TrpComponent> detached = memo2->Detach();
    EXPECT_EQ(detached.get(), memo2);
    EXPECT_EQ(memo2->Parent(), nullptr);
    EXPECT_TRUE(title->Objects().empty());
    data->Add(std::move(detached));
    EXPECT_EQ(data->Objects().back().get(), memo2);
}

TEST_F(ReportTree, AnObjectCannotGoBelowItself) {
    EXPECT_THROW(page->MoveTo(*memo12), TrpError);
    EXPECT_THROW(data->MoveTo(*data), TrpError);
    EXPECT_EQ(data->Parent(), page);
    EXPECT_EQ(page->Parent(), &report);
    TrpMemoView loose;
    EXPECT_THROW(loose.MoveTo(*data), TrpError);
}

TEST_F(ReportTree, ParentFontFollowsTheParentUntilTheObjectGetsItsOwn) {
    TrpFont big;
    big.SetHeight(-21);
    big.SetName("Tahoma");
    TrpFont bold;
    bold.SetStyle(static_cast<std::uint8_t>(TrpFontStyle::fsBold));
    memo2->SetFont(bold);
    EXPECT_FALSE(memo2->ParentFont());

    page->SetFont(big);  // passes down through bands that follow their parent
    EXPECT_FALSE(page->ParentFont());
    EXPECT_TRUE(title->ParentFont());
    EXPECT_EQ(title->Font(), big);
    EXPECT_EQ(memo1->Font(), big);
    EXPECT_EQ(line->Font(), big);
    EXPECT_EQ(memo2->Font(), bold);  // has its own font

    memo2->SetParentFont(true);  // takes the parent's font back at once
    EXPECT_EQ(memo2->Font(), big);

    auto* fresh = title->Add(std::make_unique<TrpMemoView>());
    EXPECT_EQ(fresh->Font(), big);  // attaching copies the parent's font
    auto own = std::make_unique<TrpMemoView>();
    own->SetFont(bold);
    TrpMemoView* kept = title->Add(std::move(own));
    EXPECT_EQ(kept->Font(), bold);
}

TEST_F(ReportTree, DestroyedDataSetsAndBandsReadAsNone) {
    auto child = std::make_unique<TrpChild>();
    title->SetChild(child.get());
    auto dataSet = std::make_unique<TrpUserDataSet>();
    memo12->SetDataSet(dataSet.get());
    data->SetDataSet(dataSet.get());
    EXPECT_EQ(title->Child(), child.get());
    EXPECT_EQ(memo12->DataSet(), dataSet.get());
    child.reset();
    dataSet.reset();
    EXPECT_EQ(title->Child(), nullptr);
    EXPECT_EQ(memo12->DataSet(), nullptr);
    EXPECT_EQ(data->DataSet(), nullptr);
}

TEST(BandKind, IndexFollowsTheFixedTableAndDerivedClassesTakeTheirBase) {
    struct Case {
        std::unique_ptr<TrpBand> band;
        int index;
    };
    Case cases[] = {
        {std::make_unique<TrpReportTitle>(), 0},   {std::make_unique<TrpReportSummary>(), 1},
        {std::make_unique<TrpPageHeader>(), 2},    {std::make_unique<TrpPageFooter>(), 3},
        {std::make_unique<TrpHeader>(), 4},        {std::make_unique<TrpFooter>(), 5},
        {std::make_unique<TrpMasterData>(), 6},    {std::make_unique<TrpDetailData>(), 7},
        {std::make_unique<TrpSubdetailData>(), 8}, {std::make_unique<TrpDataBand4>(), 9},
        {std::make_unique<TrpDataBand5>(), 10},    {std::make_unique<TrpDataBand6>(), 11},
        {std::make_unique<TrpGroupHeader>(), 12},  {std::make_unique<TrpGroupFooter>(), 13},
        {std::make_unique<TrpChild>(), 14},        {std::make_unique<TrpColumnHeader>(), 15},
        {std::make_unique<TrpColumnFooter>(), 16}, {std::make_unique<TrpOverlay>(), 17},
        {std::make_unique<TrpNullBand>(), -1},     {std::make_unique<TrpDataBand>(), -1},
    };
    for (const Case& c : cases) EXPECT_EQ(c.band->KindIndex(), c.index) << c.band->ClassName();

    class TrpSpecialHeader : public TrpHeader {
    public:
        [[nodiscard]] std::string_view ClassName() const override { return "TrpSpecialHeader"; }
    };
    EXPECT_EQ(TrpSpecialHeader().KindIndex(), 4);
}

TEST_F(ReportTree, FindBandTakesTheFirstDirectBandOfTheClassOrDerivedFromIt) {
    auto* footer = page->Add(std::make_unique<TrpPageFooter>());
    auto* detail = page->Add(std::make_unique<TrpDetailData>());
    data->Add(std::make_unique<TrpOverlay>());  // below a band: not a band of the page
    EXPECT_EQ(FindBand<TrpReportTitle>(*page), title);
    EXPECT_EQ(FindBand<TrpPageFooter>(*page), footer);
    EXPECT_EQ(FindBand<TrpDataBand>(*page), data);  // derived classes count
    EXPECT_EQ(FindBand<TrpDetailData>(*page), detail);
    EXPECT_EQ(FindBand<TrpOverlay>(*page), nullptr);
    EXPECT_EQ(FindBand<TrpBand>(*page), title);
}

TEST(BandChild, ACircularChainIsRefusedAndChildKeepsItsValue) {
    TrpReportTitle title;
    TrpChild a, b, c;
    title.SetChild(&a);
    a.SetChild(&b);
    b.SetChild(&c);
    EXPECT_EQ(title.Child(), &a);

    struct Case {
        TrpBand* band;
        TrpChild* child;
        TrpChild* kept;
    } const refused[] = {{&c, &a, nullptr}, {&c, &c, nullptr}, {&b, &a, &c}};
    for (const Case& r : refused) {
        try {
            r.band->SetChild(r.child);
            ADD_FAILURE() << r.band << " accepted a circular child";
        } catch (const TrpError& e) {
            EXPECT_STREQ(e.what(), "Circular child reference is not allowed");
        }
        EXPECT_EQ(r.band->Child(), r.kept);
    }
    c.SetChild(nullptr);
    a.SetChild(&c);  // skipping b is no circle
    EXPECT_EQ(a.Child(), &c);
}

TEST(DataBand, RowCountSetsTheHiddenDataSetRange) {
    TrpMasterData band;
    EXPECT_EQ(band.RowCount(), 0);
    band.SetRowCount(5);
    EXPECT_EQ(band.HiddenDataSet().RangeEnd, TrpRangeEnd::reCount);
    EXPECT_EQ(band.HiddenDataSet().RangeEndCount, 5);
    EXPECT_EQ(band.HiddenDataSet().RecordCount(), 5);
    EXPECT_EQ(band.HiddenDataSet().UserName(), "");
}

TEST(Defaults, MatchTheVocabularyOfTheModel) {
    TrpMemoView m;
    EXPECT_TRUE(m.ParentFont());
    EXPECT_TRUE(m.Visible());
    EXPECT_EQ(m.ShiftMode, TrpShiftMode::smAlways);
    EXPECT_EQ(m.Visibility, kAllVisibility);
    EXPECT_EQ(m.StretchMode, TrpStretchMode::smDontStretch);
    EXPECT_EQ(m.ExpressionDelimiters, "[,]");
    EXPECT_EQ(m.OpeningDelimiter(), u"[");
    EXPECT_EQ(m.ClosingDelimiter(), u"]");
    EXPECT_EQ(m.GapX, 2);
    EXPECT_EQ(m.GapY, 1);
    EXPECT_EQ(m.LineSpacing, 2);
    EXPECT_TRUE(m.WordWrap && m.Clipped && m.Wysiwyg && m.AllowExpressions);
    EXPECT_EQ(m.Frame.Typ(), 0);
    EXPECT_EQ(m.Frame.Width(), 1);
    EXPECT_EQ(m.Frame.ShadowWidth, 4);
    EXPECT_EQ(m.Frame.TopLine, TrpFrameLine{});
    EXPECT_EQ(m.Color(), clNone);
    EXPECT_EQ(m.Fill.ForeColor, clBlack);
    TrpLineView l;
    EXPECT_EQ(l.Color(), clNone);
    EXPECT_EQ(l.ArrowWidth, 5);
    EXPECT_EQ(l.ArrowLength, 20);
    TrpReport r;
    EXPECT_EQ(r.Version, "1.0");
    EXPECT_EQ(r.ScriptLanguage, "Pascal");
    EXPECT_EQ(r.ScriptText, (std::vector<std::string>{"begin", "", "end."}));
    EXPECT_TRUE(r.EngineOptions.ConvertNulls && r.EngineOptions.UseGlobalDataSetList);
    EXPECT_EQ(r.EngineOptions.MaxMemSize, 10);
    EXPECT_EQ(r.PreviewOptions.PagesInCache, 50);
}

TEST(Frame, WidthColorAndStylePassToTheFourLines) {
    TrpFrame f;
    f.SetWidth(2);
    f.SetColor(clGray);
    f.SetStyle(TrpFrameStyle::fsDash);
    for (const TrpFrameLine* line : {&f.LeftLine, &f.TopLine, &f.RightLine, &f.BottomLine}) {
        EXPECT_EQ(*line, (TrpFrameLine{clGray, TrpFrameStyle::fsDash, 2}));
    }
    f.SetTyp(0xFF);
    EXPECT_EQ(f.Typ(), kAllFrameSides);
    EXPECT_TRUE(f.Has(TrpFrameSide::ftBottom));
}

}  // namespace
}  // namespace lk63
