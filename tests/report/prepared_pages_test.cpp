#include "report/prepared_pages.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "report/band.h"
#include "report/data_set.h"
#include "report/error.h"
#include "report/memo_view.h"
#include "report/page.h"
#include "report/report.h"

namespace lk63 {
namespace {

TEST(PreparedPagesXml, AttributesReadIgnoringCaseAndWriteInPlace) {
    TrpXMLItem node("b1");
    node.SetText(" l=\"0\" t=\"12.5\" Text=\"a &amp; &quot;b&quot;\"");
    const struct {
        const char* Name;
        const char* Expected;
    } reads[] = {{"l", "0"}, {"T", "12.5"}, {"text", "a & \"b\""}, {"h", ""}, {"ext", ""}};
    for (const auto& r : reads) EXPECT_EQ(node.Prop(r.Name), r.Expected) << r.Name;

    node.SetProp("t", "30");
    node.SetProp("h", "<18>");
    EXPECT_EQ(node.Text(), " l=\"0\" t=\"30\" Text=\"a &amp; &quot;b&quot;\" h=\"&lt;18&gt;\"");
    EXPECT_EQ(node.Prop("h"), "<18>");

    TrpXMLItem bare("x");
    bare.SetText("w=\"1\" ");  // no blank doubled, none missing
    bare.SetProp("h", "2");
    EXPECT_EQ(bare.Text(), "w=\"1\" h=\"2\"");
    EXPECT_EQ(bare.Prop("w"), "1");
}

TEST(PreparedPagesXml, NodesMoveBetweenParentsAndAreFoundByName) {
    TrpXMLItem root("preparedreport");
    TrpXMLItem& pages = root.FindOrCreate("previewpages");
    EXPECT_EQ(&root.FindOrCreate("PreviewPages"), &pages);
    TrpXMLItem& held = root.Add("cutted");
    TrpXMLItem& a = pages.Add("a");
    TrpXMLItem& b = pages.Add("b");
    TrpXMLItem& c = pages.Add("c");
    held.AddItem(b);
    EXPECT_EQ(pages.Count(), 2u);
    EXPECT_EQ(b.Parent(), &held);
    pages.InsertItem(0, c);
    EXPECT_EQ(pages.IndexOf(c), 0);
    EXPECT_EQ(pages.IndexOf(a), 1);
    EXPECT_EQ(root.Find("CUTTED"), 1);
    EXPECT_EQ(root.Find("outline"), -1);
    EXPECT_THROW(b.AddItem(held), TrpError);  // a node cannot go below itself
}

TEST(PreparedPagesDictionary, AliasesCountUpPerPrefix) {
    TrpDictionary d;
    TrpMemoView memo;
    TrpLineView line;
    TrpChild band;
    EXPECT_EQ(TrpDictionary::PrefixOf(memo), "m");
    EXPECT_EQ(TrpDictionary::PrefixOf(line), "l");
    EXPECT_EQ(TrpDictionary::PrefixOf(band), "b");
    for (int i = 1; i <= 25; ++i) {
        const std::string alias = d.UniqueAlias("m");
        EXPECT_EQ(alias, "m" + std::to_string(i));
        d.Add(alias, "Page0.Memo" + std::to_string(i), &memo);
    }
    EXPECT_EQ(d.UniqueAlias("b"), "b1");
    d.Add("b40", "Page0.Odd", &band);  // a far alias leaves counting from 1 alone
    d.Add("b1", "Page0.Band1", &band);
    EXPECT_EQ(d.UniqueAlias("b"), "b2");
    EXPECT_EQ(d.Source("m7"), &memo);
    EXPECT_EQ(d.Source("m99"), nullptr);
}

// A report with one page: a band holding two memos and a line.
class StoreTest : public ::testing::Test {
protected:
    StoreTest() : store(report) {
        page = report.Add(std::make_unique<TrpReportPage>());
        page->SetName("Page1");
        band = page->Add(std::make_unique<TrpMasterData>());
        band->SetName("MasterData1");
        band->SetBounds(0, 100, 718.1107, 18.89765);
        memo1 = band->Add(std::make_unique<TrpMemoView>());
        memo1->SetName("Memo1");
        memo1->SetBounds(0, 0, 300, 18.89765);
        memo1->Memo = TWideStrings{u"[Name]"};
        memo1->SetDataSet(&data);
        memo1->DataField = "Param";
        memo2 = band->Add(std::make_unique<TrpMemoView>());
        memo2->SetName("Memo2");
        memo2->SetBounds(300, 0, 418.1107, 18.89765);
        line = band->Add(std::make_unique<TrpLineView>());
        line->SetName("Line1");
        line->SetBounds(0, 0, 718.1107, 0);
    }

    void StartRun() {
        store.ResetStore();
        store.BeginPreparation();
        store.RegisterSourcePage(*page);
        store.MarkPassStart();
    }

    void Place(double top, std::u16string text) {
        band->SetTop(top);
        memo2->Memo = TWideStrings{std::move(text)};
        store.RecordObject(*band);
    }

    const TrpXMLItem& PageNode(int i) const {
        const TrpXMLItem& root = store.Document().Root();
        return root.Items(static_cast<std::size_t>(root.Find("previewpages"))).Items(static_cast<std::size_t>(i));
    }

    TrpReport report;
    TrpUserDataSet data;
    TrpPreviewPages store;
    TrpReportPage* page;
    TrpMasterData* band;
    TrpMemoView *memo1, *memo2;
    TrpLineView* line;
};

TEST_F(StoreTest, RecordsAreAliasesWithTheirDifferences) {
    StartRun();
    store.OpenPreparedPage(page);
    Place(0, u"first");
    Place(18.89765, u"second");
    store.OpenPreparedPage(page);
    Place(0, u"third");
    store.EndPreparation();

    ASSERT_EQ(store.PageCount(), 2);
    const TrpXMLItem& first = PageNode(0);
    EXPECT_EQ(first.Name(), "page0");
    ASSERT_EQ(first.Count(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        const TrpXMLItem& record = first.Items(i);
        EXPECT_EQ(record.Name(), "b1");
        ASSERT_EQ(record.Count(), 3u);
        EXPECT_EQ(record.Items(0).Name(), "m1");
        EXPECT_EQ(record.Items(1).Name(), "m2");
        EXPECT_EQ(record.Items(2).Name(), "l1");
        EXPECT_EQ(record.Items(2).Text(), "");  // the line is as designed
        // The memo's own text is as designed; only its data binding differs
        // from the source, which never reaches a data source.
        EXPECT_EQ(record.Items(0).Prop("Text"), "");
        EXPECT_EQ(record.Items(0).Prop("DataField"), "Param");
    }
    EXPECT_EQ(first.Items(0).Text(), " l=\"0\" t=\"0\"");
    EXPECT_EQ(first.Items(1).Text(), " l=\"0\" t=\"18.89765\"");
    EXPECT_EQ(first.Items(1).Items(1).Prop("Text"), "second\r\n");
    EXPECT_EQ(PageNode(1).Items(0).Items(1).Prop("Text"), "third\r\n");
}

TEST_F(StoreTest, ARebuiltPageEqualsWhatWasPlaced) {
    StartRun();
    store.OpenPreparedPage(page);
    Place(0, u"first");
    Place(40, u"second line");
    store.EndPreparation();

    TrpReportPage& rebuilt = store.MaterializePage(0);
    EXPECT_EQ(rebuilt.Name(), "Page1");
    EXPECT_DOUBLE_EQ(rebuilt.Width(), 794);
    ASSERT_EQ(rebuilt.Objects().size(), 2u);
    const auto& second = *rebuilt.Objects()[1];
    EXPECT_EQ(second.ClassName(), "TrpMasterData");
    EXPECT_EQ(second.Name(), "MasterData1");
    EXPECT_DOUBLE_EQ(second.Top(), 40);
    EXPECT_DOUBLE_EQ(second.Height(), 18.89765);
    ASSERT_EQ(second.Objects().size(), 3u);
    const auto* memo = dynamic_cast<const TrpMemoView*>(second.Objects()[1].get());
    ASSERT_NE(memo, nullptr);
    EXPECT_EQ(memo->Name(), "Memo2");
    EXPECT_EQ(memo->Memo, TWideStrings{u"second line"});
    EXPECT_DOUBLE_EQ(memo->Left(), 300);
    const auto* bound = dynamic_cast<const TrpMemoView*>(second.Objects()[0].get());
    ASSERT_NE(bound, nullptr);
    EXPECT_EQ(bound->DataSet(), nullptr);
    EXPECT_EQ(second.Objects()[2]->ClassName(), "TrpLineView");
}

TEST_F(StoreTest, InvisibleAndUnmarkedObjectsAreNotRecorded) {
    StartRun();
    store.OpenPreparedPage(page);
    memo1->SetVisible(false);
    line->SetShownInPreparedPages(false);
    Place(0, u"x");
    store.EndPreparation();
    const TrpXMLItem& record = PageNode(0).Items(0);
    ASSERT_EQ(record.Count(), 1u);
    EXPECT_EQ(record.Items(0).Name(), "m2");
}

TEST_F(StoreTest, AnEmptyPageRebuildsAsItsSourcePage) {
    page->LeftMargin = 10;
    StartRun();
    store.OpenPreparedPage(page);
    store.EndPreparation();
    EXPECT_EQ(PageNode(0).Count(), 0u);
    TrpReportPage& rebuilt = store.MaterializePage(0);
    EXPECT_TRUE(rebuilt.Objects().empty());
    EXPECT_DOUBLE_EQ(rebuilt.LeftMargin, 10);
    EXPECT_EQ(store.PageSizeOf(0), (std::pair<int, int>{794, 1123}));
}

TEST_F(StoreTest, PageSizeOutOfRangeIsZero) {
    StartRun();
    store.OpenPreparedPage(page);
    store.EndPreparation();
    for (const int i : {-1, 1, 100}) EXPECT_EQ(store.PageSizeOf(i), (std::pair<int, int>{0, 0})) << i;
    EXPECT_THROW(store.MaterializePage(1), TrpError);
}

TEST_F(StoreTest, TheCacheKeepsFiftyPagesMostRecentFirst) {
    StartRun();
    for (int i = 0; i < 52; ++i) {
        store.OpenPreparedPage(page);
        Place(0, std::u16string(u"page ") + static_cast<char16_t>(u'0' + i % 10));
    }
    store.EndPreparation();

    TrpReportPage& first = store.MaterializePage(0);
    EXPECT_EQ(&store.MaterializePage(0), &first);
    const std::weak_ptr<TrpComponent*> firstAlive = first.LifeToken();
    for (int i = 1; i <= 49; ++i) store.MaterializePage(i);
    EXPECT_FALSE(firstAlive.expired());
    EXPECT_EQ(store.CachedPageCount(), 50u);
    store.MaterializePage(50);  // the 51st page frees the least recently used
    EXPECT_TRUE(firstAlive.expired());
    EXPECT_EQ(store.CachedPageCount(), 50u);

    // Using a page makes it the most recent.
    const std::weak_ptr<TrpComponent*> second = store.MaterializePage(1).LifeToken();
    store.MaterializePage(51);
    EXPECT_FALSE(second.expired());
}

TEST_F(StoreTest, HeldRecordsMoveToTheNextPageShifted) {
    StartRun();
    store.OpenPreparedPage(page);
    Place(0, u"stays");
    const int mark = store.ObjectCountOnPage();
    Place(1000, u"moves");
    Place(1018.5, u"moves too");
    EXPECT_EQ(store.DetachObjectsFrom(mark), 1);
    store.OpenPreparedPage(page);
    store.ReattachObjectsAt(0, 0);
    EXPECT_DOUBLE_EQ(store.BandsBottom(0), 18.5 + 18.89765);
    store.EndPreparation();

    EXPECT_EQ(PageNode(0).Count(), 1u);
    const TrpXMLItem& next = PageNode(1);
    ASSERT_EQ(next.Count(), 2u);
    EXPECT_EQ(next.Items(0).Prop("t"), "0");
    EXPECT_EQ(next.Items(1).Prop("t"), "18.5");
    EXPECT_EQ(next.Items(1).Items(1).Prop("Text"), "moves too\r\n");
    EXPECT_EQ(store.Document().Root().Find("cutted"), -1);
}

TEST_F(StoreTest, HeldRecordsWithoutPositionsShiftFromZero) {
    StartRun();
    store.OpenPreparedPage(page);
    store.RecordObject(*memo2);  // a view alone carries no position when it is unchanged
    store.DetachObjectsFrom(0);
    store.OpenPreparedPage(page);
    store.ReattachObjectsAt(5, 7);
    store.EndPreparation();
    const TrpXMLItem& moved = PageNode(1).Items(0);
    EXPECT_EQ(moved.Prop("l"), "5");
    EXPECT_EQ(moved.Prop("t"), "7");
}

TEST_F(StoreTest, BandsBottomAndBandsOnThePage) {
    TrpChild other;
    other.SetName("Other");
    StartRun();
    store.OpenPreparedPage(page);
    EXPECT_DOUBLE_EQ(store.BandsBottom(0), 0);
    EXPECT_FALSE(store.HasBandOnPage(*band));
    Place(50, u"x");
    EXPECT_TRUE(store.HasBandOnPage(*band));
    EXPECT_FALSE(store.HasBandOnPage(other));
    EXPECT_DOUBLE_EQ(store.BandsBottom(0), 50 + 18.89765);
    EXPECT_DOUBLE_EQ(store.BandsBottom(200), 0);  // no band in that column
    band->SetLeft(200);
    Place(80, u"y");
    EXPECT_DOUBLE_EQ(store.BandsBottom(200), 80 + 18.89765);
    store.OpenPreparedPage(page);
    EXPECT_FALSE(store.HasBandOnPage(*band));
    store.EndPreparation();
}

TEST_F(StoreTest, APartOfASplitMemoHandsItsParagraphOn) {
    StartRun();
    store.OpenPreparedPage(page);
    memo2->LastParaBreak = true;
    Place(0, u"part one");
    EXPECT_TRUE(memo2->FirstParaBreak);
    EXPECT_FALSE(memo2->LastParaBreak);
    Place(20, u"part two");
    store.EndPreparation();
    EXPECT_EQ(PageNode(0).Items(0).Items(1).Prop("LastParaBreak"), "True");
    EXPECT_EQ(PageNode(0).Items(0).Items(1).Prop("FirstParaBreak"), "");
    EXPECT_EQ(PageNode(0).Items(1).Items(1).Prop("FirstParaBreak"), "True");
    EXPECT_EQ(PageNode(0).Items(1).Items(1).Prop("LastParaBreak"), "");
}

TEST_F(StoreTest, LogicalPageNumbersAndUnloadablePages) {
    StartRun();
    for (int i = 0; i < 3; ++i) {
        store.OpenPreparedPage(page);
        EXPECT_EQ(store.LogicalPageNumber(), i + 1);
    }
    store.CloseLogicalRun();
    EXPECT_EQ(store.LogicalPageTotal(0), 3);
    store.EndPreparation();
    const TrpXMLItem& root = store.Document().Root();
    const TrpXMLItem& numbers = root.Items(static_cast<std::size_t>(root.Find("logicalpagenumbers")));
    ASSERT_EQ(numbers.Count(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(numbers.Items(i).Prop("n"), std::to_string(i + 1));
        EXPECT_EQ(numbers.Items(i).Prop("t"), "3");
    }
    EXPECT_FALSE(PageNode(0).Unloadable);
    EXPECT_FALSE(PageNode(1).Unloadable);
    EXPECT_TRUE(PageNode(2).Unloadable);
}

TEST_F(StoreTest, ResetEmptiesEverything) {
    StartRun();
    store.OpenPreparedPage(page);
    Place(0, u"x");
    store.RecordAnchor("anchor", 12.6);
    store.EndPreparation();
    store.MaterializePage(0);
    store.ResetStore();
    EXPECT_EQ(store.PageCount(), 0);
    EXPECT_EQ(store.CurrentPage(), -1);
    EXPECT_EQ(store.Dictionary().Count(), 0u);
    EXPECT_EQ(store.SourcePageCount(), 0u);
    EXPECT_EQ(store.CachedPageCount(), 0u);
    EXPECT_EQ(store.Document().Root().Count(), 0u);
}

TEST_F(StoreTest, TheFileCacheIsRefusedNotIgnored) {
    EXPECT_THROW(store.UseFileCache(true), TrpError);
    EXPECT_NO_THROW(store.UseFileCache(false));
    report.EngineOptions.UseFileCache = true;
    store.ResetStore();
    EXPECT_THROW(store.BeginPreparation(), TrpError);
    EXPECT_FALSE(store.Preparing());
}

}  // namespace
}  // namespace lk63
