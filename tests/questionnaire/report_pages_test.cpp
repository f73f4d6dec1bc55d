#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "prepared_pages_fixture.h"
#include "questionnaire/report_texts.h"
#include "report/error.h"
#include "report/template_loader.h"

namespace lk63 {
namespace {

using Pages = testing::QuestionnairePages;
using testing::TPlacedBand;

constexpr double kPageHeight = 1046.92981;
constexpr double kRow = 18.89765;

int PagesOf(const std::vector<TPlacedBand>& placed) { return placed.empty() ? 0 : placed.back().Page; }

TEST_F(Pages, OneLineValuesFitOnePageAndPlaceTheCompositionAfter695Pixels) {
    FillSynthetic(2);
    ASSERT_TRUE(Prepare());
    const auto placed = Placed();
    EXPECT_EQ(PagesOf(placed), 1);
    const TPlacedBand* first = Find(placed, "MasterData3");
    ASSERT_NE(first, nullptr);
    EXPECT_NEAR(first->Top, 695.09493, 1e-6);
    const TPlacedBand* child1 = Find(placed, "Child1");
    ASSERT_NE(child1, nullptr);
    EXPECT_NEAR(child1->Height, 48.7953, 1e-9);  // stretched to its content, less than designed
    EXPECT_NE(Find(placed, "Footer2"), nullptr);
    EXPECT_TRUE(messages.Shown.empty());
}

TEST_F(Pages, EighteenCompositionRowsFitAndTheNineteenthMovesWhole) {
    FillSynthetic(20);
    ASSERT_TRUE(Prepare());
    const auto placed = Placed();
    ASSERT_EQ(PagesOf(placed), 2);
    int fullRowsOnPage1 = 0;
    for (const TPlacedBand& b : placed) {
        if (b.Page == 1 && b.Name == "MasterData3" && b.Height > 0) ++fullRowsOnPage1;
    }
    EXPECT_EQ(fullRowsOnPage1, 18);
    // 11.68 px are left: not one text line, so an empty band closes the page.
    const TPlacedBand* empty = Find(placed, "MasterData3", 18);
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(empty->Page, 1);
    EXPECT_NEAR(kPageHeight - empty->Top, 11.67718, 1e-6);
    EXPECT_EQ(empty->Height, 0);
    EXPECT_TRUE(empty->Views.empty());
    const TPlacedBand* moved = Find(placed, "MasterData3", 19);
    ASSERT_NE(moved, nullptr);
    EXPECT_EQ(moved->Page, 2);
    EXPECT_EQ(moved->Top, 0);
    EXPECT_NEAR(moved->Height, kRow, 1e-9);
    const auto* memo = dynamic_cast<const TrpCustomMemoView*>(moved->Views.at(0));
    ASSERT_NE(memo, nullptr);
    EXPECT_EQ(memo->Memo, TWideStrings{u"Строка состава 19"});
    const TPlacedBand* footer = Find(placed, "Footer2");
    ASSERT_NE(footer, nullptr);
    EXPECT_EQ(footer->Page, 2);
    EXPECT_NEAR(footer->Top, 2 * kRow, 1e-6);
}

TEST_F(Pages, ACompositionRowWithSeventeenPixelsLeftIsCutBelowItsLine) {
    FillSynthetic(20);
    // Child5 shorter by the difference, so that 17 px are left before row 19.
    report->FindObject("Child5")->SetHeight(30.23624 - (17 - 11.67718));
    ASSERT_TRUE(Prepare());
    const auto placed = Placed();
    const TPlacedBand* cut = Find(placed, "MasterData3", 18);
    ASSERT_NE(cut, nullptr);
    EXPECT_EQ(cut->Page, 1);
    EXPECT_NEAR(cut->Height, 17, 1e-6);
    ASSERT_EQ(cut->Views.size(), 1u);
    EXPECT_EQ(dynamic_cast<const TrpCustomMemoView&>(*cut->Views[0]).Memo, TWideStrings{u"Строка состава 19"});
    const TPlacedBand* rest = Find(placed, "MasterData3", 19);
    ASSERT_NE(rest, nullptr);
    EXPECT_EQ(rest->Page, 2);
    EXPECT_EQ(rest->Top, 0);
    EXPECT_NEAR(rest->Height, kRow - 17 + (17 - 15.28), 1e-6);  // the frame left over, about 3.6 px
    ASSERT_EQ(rest->Views.size(), 1u);
    EXPECT_TRUE(dynamic_cast<const TrpCustomMemoView&>(*rest->Views[0]).Memo.Empty());
    const TPlacedBand* next = Find(placed, "MasterData3", 20);
    ASSERT_NE(next, nullptr);
    EXPECT_NEAR(next->Top, rest->Height, 1e-9);
}

TEST_F(Pages, ATwoLineContactNameStretchesBothMemosOfItsRow) {
    FillSynthetic(2);
    report->Variables().Set("ФИО контактного лица", QuoteLiteral(Words(12)));
    ASSERT_TRUE(Prepare());
    const auto placed = Placed();
    const TPlacedBand* child4 = Find(placed, "Child4");
    ASSERT_NE(child4, nullptr);
    EXPECT_EQ(child4->Height, 33);
    ASSERT_EQ(child4->Views.size(), 2u);
    for (const TrpComponent* v : child4->Views) EXPECT_EQ(v->Height(), 33) << v->Name();
    const TPlacedBand* child3 = Find(placed, "Child3");
    ASSERT_NE(child3, nullptr);
    EXPECT_NEAR(child3->Height, kRow, 1e-9);
}

TEST_F(Pages, ALongNoteMovesItsFooterToASecondPage) {
    FillSynthetic(2);
    std::string note;
    for (int i = 0; i < 30; ++i) note += "Строка примечания " + std::to_string(i + 1) + "\n";
    fields.Note = note;
    Fill();
    ASSERT_TRUE(Prepare());
    const auto placed = Placed();
    EXPECT_EQ(PagesOf(placed), 2);
    const TPlacedBand* footer = Find(placed, "Footer1");
    ASSERT_NE(footer, nullptr);
    EXPECT_EQ(footer->Page, 2);
    EXPECT_EQ(footer->Top, 0);
    EXPECT_NEAR(footer->Height, 56.69295 + 2.5 + 30 * 15.28 - 0.5, 1);  // grown to 30 lines
    EXPECT_EQ(Find(placed, "Header2", 1), nullptr);
}

// Long organisation names push the page end into the tables; their rows
// cannot be split and move whole, and no header is repeated.
TEST_F(Pages, TableRowsMoveWholeToTheNextPage) {
    const struct {
        int Words;
        const char* Band;
    } cases[] = {{380, "MasterData1"}, {290, "MasterData2"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Band);
        FillSynthetic(2);
        report->Variables().Set("Наименование организации", QuoteLiteral(Words(c.Words)));
        ASSERT_TRUE(Prepare());
        const auto placed = Placed();
        ASSERT_EQ(PagesOf(placed), 2);
        const TPlacedBand* first = nullptr;
        for (const TPlacedBand& b : placed) {
            if (b.Page == 1) {
                EXPECT_LE(b.Name == "(page views)" ? 0 : b.Top + b.Height, kPageHeight + 1e-6) << b.Name;
            }
            if (b.Page == 2 && !first) first = &b;
        }
        ASSERT_NE(first, nullptr);
        EXPECT_EQ(first->Name, c.Band);
        EXPECT_EQ(first->Top, 0);
        EXPECT_NEAR(first->Height, kRow, 1e-9);
        EXPECT_EQ(Find(placed, "Header1", 1), nullptr);
        EXPECT_EQ(Find(placed, "Header2", 1), nullptr);
    }
}

TEST_F(Pages, AnEmptyCompositionPrintsNeitherItsRowsNorItsFooter) {
    FillSynthetic(0);
    ASSERT_TRUE(Prepare());
    const auto placed = Placed();
    EXPECT_EQ(Find(placed, "MasterData3"), nullptr);
    EXPECT_EQ(Find(placed, "Footer2"), nullptr);
    EXPECT_NE(Find(placed, "Child5"), nullptr);
}

TEST_F(Pages, PreparingTwiceGivesTheSamePagesFromAnUnchangedTemplate) {
    fields.Contact = Words(12);
    fields.Note = "first line\nsecond line";
    Fill();
    const std::string before = WriteDescription(*report);
    ASSERT_TRUE(Prepare());
    const std::string first = Dump();
    EXPECT_EQ(WriteDescription(*report), before);
    ASSERT_TRUE(Prepare());
    EXPECT_EQ(Dump(), first);
    EXPECT_EQ(WriteDescription(*report), before);
    EXPECT_GT(messages.Processed, 0);
}

TEST_F(Pages, AnExpressionErrorStopsTheRunAndIsShownOnce) {
    Fill();
    report->Variables().Set("Наименование организации", "unquoted words");
    const std::string before = WriteDescription(*report);
    EXPECT_FALSE(Prepare());
    ASSERT_EQ(messages.Shown.size(), 1u);
    EXPECT_EQ(messages.Shown[0].rfind("Ошибка: Были обнаружены следующие ошибки:\r\nMemo16: Ошибка в выражении", 0), 0u)
        << messages.Shown[0];
    EXPECT_EQ(WriteDescription(*report), before);
    EXPECT_FALSE(report->PreviewPages().Preparing());

    const struct {
        TrpSilentMode Mode;
        bool Throws;
        std::size_t Shown;
    } modes[] = {{TrpSilentMode::simSilent, false, 1}, {TrpSilentMode::simReThrow, true, 1}};
    for (const auto& m : modes) {
        report->EngineOptions.NewSilentMode = m.Mode;
        if (m.Throws) {
            EXPECT_THROW(Prepare(), TrpError);
        } else {
            EXPECT_FALSE(Prepare());
        }
        EXPECT_EQ(messages.Shown.size(), m.Shown);
    }
}

TEST_F(Pages, AMissingDataSetFailsBeforeAnyPage) {
    Fill();
    report->Datasets().Add().SetDataSetName("nowhere");
    EXPECT_FALSE(Prepare());
    ASSERT_EQ(messages.Shown.size(), 1u);
    EXPECT_NE(messages.Shown[0].find("nowhere"), std::string::npos);
    EXPECT_EQ(report->PreviewPages().PageCount(), 0);
}

// The whole of what the store holds, compared with expected files.
TEST_F(Pages, DumpsOfThreeQuestionnaires) {
    std::string longNote;
    for (int i = 0; i < 150; ++i) longNote += "Примечание, строка " + std::to_string(i + 1) + "\r\n";
    const struct {
        const char* File;
        TReportFields Fields;
    } cases[] = {
        {"pages_short_values.txt", {"ООО Ромашка", "г. Москва, +7 495 000-00-00", "Иванов И. И.", "2", ""}},
        {"pages_two_line_values.txt",
         {Words(11), Words(12), Words(13), "007", "Доставка в мае, " + Words(14)}},
        {"pages_long_note.txt", {"ООО Ромашка", "г. Москва", "Иванов И. И.", "1", longNote}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.File);
        fields = c.Fields;
        Fill();
        ASSERT_TRUE(Prepare());
        const std::string dump = Dump();
        const std::string path = std::string(LK63_PAGES_DATA_DIR) + "/" + c.File;
        if (std::getenv("LK63_WRITE_EXPECTED")) std::ofstream(path, std::ios::binary) << dump;
        std::ifstream in(path, std::ios::binary);
        ASSERT_TRUE(in) << path;
        std::stringstream expected;
        expected << in.rdbuf();
        EXPECT_EQ(dump, expected.str());
    }
}

}  // namespace
}  // namespace lk63
