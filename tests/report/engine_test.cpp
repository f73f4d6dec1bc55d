#include "report/engine.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "report/band.h"
#include "report/memo_view.h"
#include "report/page.h"
#include "report/prepared_pages.h"
#include "report/report.h"
#include "report/user_interface.h"
#include "fixed_advance_measure.h"

namespace lk63 {
namespace {

class TCapture : public TrpUserInterface {
public:
    void ShowError(const std::string& caption, const std::string& text) override { Shown.push_back(caption + ": " + text); }
    void ProcessMessages() override {}
    std::vector<std::string> Shown;
};

// A report on a page of 100 mm without margins: 377.953 px of bands.
class EngineTest : public ::testing::Test {
public:
    EngineTest() {
        report.DrawText().SetMeasureFunction(testing::FixedAdvances);
        report.UserInterface = &ui;
        page = report.Add(std::make_unique<TrpReportPage>());
        page->SetName("Page1");
        page->SetPaperHeight(100);
    }

    template <typename T>
    T* AddBand(const std::string& name, double top, double height) {
        T* band = page->Add(std::make_unique<T>());
        band->SetName(name);
        band->SetBounds(0, top, 718.1107, height);
        return band;
    }

    TrpMemoView* AddMemo(TrpBand& band, const std::string& name, double top, double height, std::u16string text) {
        auto* memo = band.Add(std::make_unique<TrpMemoView>());
        memo->SetName(name);
        memo->SetBounds(0, top, 100, height);
        memo->Memo = TWideStrings{std::move(text)};
        return memo;
    }

    struct TPlaced {
        int Page;
        std::string Name;
        double Top, Height;
    };
    std::vector<TPlaced> Placed() {
        std::vector<TPlaced> out;
        for (int p = 0; p < report.PreviewPages().PageCount(); ++p) {
            for (const auto& b : report.PreviewPages().MaterializePage(p).Objects()) {
                if (b->ClassName() != "TrpNullBand") out.push_back({p + 1, b->Name(), b->Top(), b->Height()});
            }
        }
        return out;
    }

    TrpReport report;
    TCapture ui;
    TrpReportPage* page;
};

TEST_F(EngineTest, BandsThatCannotBeOrganisedFailTheRunWithTheirNames) {
    const struct {
        const char* Name;
        void (*Build)(EngineTest&);
        const char* Error;
    } cases[] = {
        {"header without data band",
         [](EngineTest& t) {
             auto* data = t.AddBand<TrpMasterData>("MasterData1", 10, 20);
             data->SetRowCount(1);
             t.AddBand<TrpHeader>("Header9", 50, 20);
         },
         "Не подключенный header/footer Header9"},
        {"detail without master",
         [](EngineTest& t) { t.AddBand<TrpDetailData>("DetailData1", 10, 20)->SetRowCount(1); },
         "Неправильно расположен бэнд: DetailData1"},
        {"page footer",
         [](EngineTest& t) { t.AddBand<TrpPageFooter>("PageFooter1", 10, 20); },
         "Band PageFooter1 (TrpPageFooter) is not supported by this report engine"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        while (!page->Objects().empty()) page->Objects().back()->Detach();
        ui.Shown.clear();
        c.Build(*this);
        EXPECT_FALSE(report.PreparePages(true));
        ASSERT_EQ(ui.Shown.size(), 1u);
        EXPECT_EQ(ui.Shown[0], std::string("Ошибка: Были обнаружены следующие ошибки:\r\n") + c.Error);
        EXPECT_EQ(report.PreviewPages().PageCount(), 0);
        EXPECT_FALSE(report.PreviewPages().Preparing());
    }
}

TEST_F(EngineTest, ABandWithRowCountAndNoDataSetPrintsThatManyRows) {
    AddBand<TrpMasterData>("MasterData1", 10, 100)->SetRowCount(5);
    ASSERT_TRUE(report.PreparePages(true));
    const auto placed = Placed();
    ASSERT_EQ(placed.size(), 5u);
    const int pages[] = {1, 1, 1, 2, 2};
    const double tops[] = {0, 100, 200, 0, 100};
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(placed[i].Page, pages[i]) << i;
        EXPECT_EQ(placed[i].Top, tops[i]) << i;
    }
}

TEST_F(EngineTest, AKeepBlockMovesWithItsChildToTheNextPage) {
    AddBand<TrpMasterData>("MasterData1", 10, 100)->SetRowCount(3);
    auto* footer = AddBand<TrpFooter>("Footer1", 200, 50);
    auto* child = AddBand<TrpChild>("Child1", 300, 50);
    footer->SetChild(child);
    footer->KeepChild = true;
    ASSERT_TRUE(report.PreparePages(true));
    const auto placed = Placed();
    ASSERT_EQ(placed.size(), 5u);
    EXPECT_EQ(placed[3].Name, "Footer1");
    EXPECT_EQ(placed[3].Page, 2);
    EXPECT_EQ(placed[3].Top, 0);
    EXPECT_EQ(placed[4].Name, "Child1");
    EXPECT_EQ(placed[4].Page, 2);
    EXPECT_EQ(placed[4].Top, 50);

    footer->KeepChild = false;  // without the block only the child moves
    ASSERT_TRUE(report.PreparePages(true));
    const auto loose = Placed();
    EXPECT_EQ(loose[3].Page, 1);
    EXPECT_EQ(loose[4].Page, 2);
}

TEST_F(EngineTest, ABandTallerThanThePageIsSplitEvenWithoutAllowSplit) {
    auto* title = AddBand<TrpReportTitle>("ReportTitle1", 0, 20);
    title->Stretched = true;
    TrpMemoView* memo = AddMemo(*title, "Memo1", 0, 20, u"");
    for (int i = 0; i < 40; ++i) memo->Memo.Add(u"line");  // 41 lines of 15.28 px
    memo->StretchMode = TrpStretchMode::smActualHeight;
    ASSERT_TRUE(report.PreparePages(true));
    const auto placed = Placed();
    ASSERT_EQ(placed.size(), 2u);
    EXPECT_EQ(placed[0].Page, 1);
    EXPECT_NEAR(placed[0].Height, 377.953, 1e-9);  // fills the page
    EXPECT_EQ(placed[1].Page, 2);
    const auto& rest = report.PreviewPages().MaterializePage(1).Objects()[0]->Objects();
    ASSERT_EQ(rest.size(), 1u);
    const auto& second = dynamic_cast<const TrpMemoView&>(*rest[0]);
    const auto& first = dynamic_cast<const TrpMemoView&>(*report.PreviewPages().MaterializePage(0).Objects()[0]->Objects()[0]);
    EXPECT_EQ(first.Memo.Count() + second.Memo.Count(), 41u);  // every line printed once
    EXPECT_EQ(first.Memo.Count(), 24u);
}

// One line of text over hundreds of pages, brought in by a variable as the
// questionnaire's note is. The page is 378.331 px, so every page's text
// rectangle rounds to 378 px (24 lines of 15.28): the height left must follow
// the lines taken, not the rounded rectangles, or the last pages lose lines.
TEST_F(EngineTest, AMemoOverManyPagesPrintsEveryCharacterOnce) {
    page->SetPaperHeight(100.1);
    auto* title = AddBand<TrpReportTitle>("ReportTitle1", 0, 20);
    title->Stretched = true;
    const std::string text(100000, 'x');
    report.Variables().Set("Note", "'" + text + "'");
    TrpMemoView* memo = AddMemo(*title, "Memo1", 0, 20, u"[Note]");
    memo->StretchMode = TrpStretchMode::smActualHeight;
    ASSERT_TRUE(report.PreparePages(true)) << ::testing::PrintToString(ui.Shown);

    std::vector<std::u16string> parts;
    std::vector<double> heights;
    for (int p = 0; p < report.PreviewPages().PageCount(); ++p) {
        std::vector<const TrpComponent*> bands;
        for (const auto& b : report.PreviewPages().MaterializePage(p).Objects())
            if (b->ClassName() != "TrpNullBand") bands.push_back(b.get());
        ASSERT_EQ(bands.size(), 1u) << "page " << p + 1;
        ASSERT_EQ(bands[0]->Objects().size(), 1u) << "page " << p + 1;
        EXPECT_LE(bands[0]->Height(), 378.331) << "page " << p + 1;
        const auto& part = dynamic_cast<const TrpMemoView&>(*bands[0]->Objects()[0]);
        ASSERT_EQ(part.Memo.Count(), 1u) << "page " << p + 1;
        parts.emplace_back(part.Memo[0]);
        heights.push_back(part.Height());
    }
    ASSERT_GE(parts.size(), 200u);
    std::u16string printed;
    for (const std::u16string& part : parts) printed += part;
    EXPECT_EQ(printed, std::u16string(text.begin(), text.end())) << "every character once, in order";

    // Every page but the last is full: 24 lines of the same length.
    const std::size_t perPage = parts.front().size();
    ASSERT_EQ(perPage % 24, 0u);
    const std::size_t perLine = perPage / 24;
    for (std::size_t p = 0; p + 1 < parts.size(); ++p) EXPECT_EQ(parts[p].size(), perPage) << "page " << p + 1;
    EXPECT_EQ(parts.size(), (text.size() + perPage - 1) / perPage) << "as many pages as the text needs";
    // The last part's box is as tall as CalcHeight makes a memo of its lines
    // (1 px of gap above and below), so it shows them all.
    const std::size_t lastLines = (parts.back().size() + perLine - 1) / perLine;
    EXPECT_GE(heights.back(), std::nearbyint(static_cast<double>(lastLines) * 15.28 + 2));
}

// Beside a memo of many lines, a caption memo as tall as the band: after its
// one line it goes on as an empty box on every page, and ends with the band.
TEST_F(EngineTest, AMemoTallerThanItsTextIsSplitAlongsideTheLongOne) {
    auto* title = AddBand<TrpReportTitle>("ReportTitle1", 0, 20);
    title->Stretched = true;
    TrpMemoView* caption = AddMemo(*title, "Caption", 0, 20, u"caption");
    caption->StretchMode = TrpStretchMode::smMaxHeight;
    TrpMemoView* text = AddMemo(*title, "Text", 0, 20, u"line 1");
    text->SetLeft(150);
    for (int i = 2; i <= 100; ++i) text->Memo.Add(u"line " + std::u16string(1, u'0' + i % 10));
    text->StretchMode = TrpStretchMode::smActualHeight;
    ASSERT_TRUE(report.PreparePages(true)) << ::testing::PrintToString(ui.Shown);

    ASSERT_EQ(report.PreviewPages().PageCount(), 5) << "100 lines, 24 a page";
    std::size_t lines = 0;
    for (int p = 0; p < 5; ++p) {
        for (const auto& band : report.PreviewPages().MaterializePage(p).Objects()) {
            if (band->ClassName() == "TrpNullBand") continue;
            ASSERT_EQ(band->Objects().size(), 2u) << "page " << p + 1;
            const auto& left = dynamic_cast<const TrpMemoView&>(*band->Objects()[0]);
            const auto& right = dynamic_cast<const TrpMemoView&>(*band->Objects()[1]);
            EXPECT_EQ(left.Memo.Count(), p == 0 ? 1u : 0u) << "page " << p + 1;
            EXPECT_NEAR(left.Height(), band->Height(), 1e-9) << "page " << p + 1;
            lines += right.Memo.Count();
        }
    }
    EXPECT_EQ(lines, 100u);
}

TEST_F(EngineTest, AGrowingMemoShiftsTheViewsBelowItByTheirShiftMode) {
    auto* band = AddBand<TrpChild>("Child1", 0, 60);
    auto* title = AddBand<TrpReportTitle>("ReportTitle1", 0, 10);
    title->SetChild(band);
    band->Stretched = true;
    TrpMemoView* grows = AddMemo(*band, "Grows", 0, 18, u"a");
    grows->Memo.Add(u"b");
    grows->Memo.Add(u"c");  // three lines: 48 px
    grows->StretchMode = TrpStretchMode::smActualHeight;
    TrpMemoView* below = AddMemo(*band, "Below", 20, 18, u"x");
    TrpMemoView* stays = AddMemo(*band, "Stays", 20, 18, u"y");
    stays->SetLeft(50);
    stays->ShiftMode = TrpShiftMode::smDontShift;
    TrpMemoView* beside = AddMemo(*band, "Beside", 0, 18, u"z");
    beside->SetLeft(200);
    ASSERT_TRUE(report.PreparePages(true));
    const auto& views = report.PreviewPages().MaterializePage(0).Objects()[1]->Objects();
    ASSERT_EQ(views.size(), 4u);
    EXPECT_EQ(views[0]->Height(), 48);
    EXPECT_EQ(views[1]->Top(), 20 + 30);  // moved by the growth
    EXPECT_EQ(views[2]->Top(), 20);
    EXPECT_EQ(views[3]->Top(), 0);
    EXPECT_EQ(report.PreviewPages().MaterializePage(0).Objects()[1]->Height(), 68);
    EXPECT_EQ(below->Top(), 20);  // the template is as it was
    EXPECT_EQ(grows->Height(), 18);
}

}  // namespace
}  // namespace lk63
