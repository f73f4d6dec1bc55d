#include "questionnaire/questionnaire.h"

#include <gtest/gtest.h>

#include "questionnaire/choose.h"

namespace lk63 {
namespace {

using testing::Choose;
using testing::ChooseAll;
using testing::Offered;
using Ints = std::vector<int>;

constexpr TGroup B = TGroup::Breaker;
constexpr TGroup A = TGroup::Accessory;

const Ints kAllZeroBreaker(8, 0);
const Ints kAllZeroAccessory(10, 0);

TEST(Questionnaire, StartsEmptyWithOnlyTheCurrentsOffered) {
    TQuestionnaire q;
    EXPECT_EQ(Offered(q, B, 0).size(), 15u);
    for (int r = 1; r < 8; ++r) EXPECT_TRUE(Offered(q, B, r).empty()) << "row 1." << r + 1;
    for (int r = 0; r < 10; ++r) EXPECT_TRUE(Offered(q, A, r).empty()) << "row 2." << r + 1;
    for (int r = 0; r < 8; ++r) EXPECT_EQ(q.CellText(B, 1, r), "");
    EXPECT_EQ(q.CellText(B, 0, 0), "1.1 Номинальный ток");
    EXPECT_EQ(q.CellText(A, 0, 9), "2.10 Межполюсные перегородки");
    EXPECT_EQ(q.CellText(A, 2, 0), "");  // no third column
    EXPECT_FALSE(q.SaveEnabled());
    EXPECT_TRUE(q.Texts().Empty());
    EXPECT_EQ(q.TableIDText(), "");
}

TEST(Questionnaire, CapacitiesFollowTheRatedCurrent) {
    struct Case {
        int current;
        Ints capacities;
    } const cases[] = {{0, {0, 1}}, {2, {0, 1, 2, 3, 5}}, {12, {4, 5, 6, 7}}, {14, {6, 7}}};
    for (const Case& c : cases) {
        TQuestionnaire q;
        Choose(q, B, 0, c.current);
        EXPECT_EQ(Offered(q, B, 1), c.capacities) << "current " << c.current;
        EXPECT_EQ(q.CellText(B, 1, 0), RatedCurrents[c.current].Text);
    }
}

TEST(Questionnaire, TableOneOffersTheSmallFrameAndTwoExecutions) {
    TQuestionnaire q;
    Choose(q, B, 0, 4);  // 1000 А
    Choose(q, B, 1, 0);
    EXPECT_EQ(Offered(q, B, 2), Ints{0});
    EXPECT_EQ(q.TableIDText(), "1");
    EXPECT_EQ(q.TableID(), 1);
    Choose(q, B, 2, 0);
    Choose(q, B, 3, 1);
    EXPECT_EQ(Offered(q, B, 4), (Ints{0, 4}));
}

TEST(Questionnaire, The4000HFrameSwitchesTheIdButNotTheMasks) {
    TQuestionnaire q;
    Choose(q, B, 0, 4);  // 1000 А
    Choose(q, B, 1, 5);  // table 2, id 3
    EXPECT_EQ(Offered(q, B, 2), (Ints{4, 6}));
    EXPECT_EQ(q.TableID(), 3);
    Choose(q, B, 2, 6);  // ЛК63-19-4000H
    EXPECT_EQ(Offered(q, B, 3), (Ints{0, 1}));  // masks of table 2 still apply
    EXPECT_EQ(q.TableID(), 4);
    EXPECT_EQ(q.TableIDText(), "4");
}

TEST(Questionnaire, BarriersAreRequiredWithVerticalBusbarsInTableTwo) {
    for (int execution : {0, 1}) {
        TQuestionnaire q;
        ChooseAll(q, {6, 1, 1, 0, execution, 0, 0, 0}, {0, 0, 0, 0, 0, 0, 0, 0, 0});
        EXPECT_EQ(q.TableID(), 2);
        EXPECT_EQ(Offered(q, A, 9), execution == 1 ? Ints{1} : (Ints{0, 1})) << "execution " << execution;
    }
}

TEST(Questionnaire, AccessoriesWaitForTheWholeBreaker) {
    TQuestionnaire q;
    ChooseAll(q, {0, 0, 0, 0, 0, 0, 0}, {});
    for (int r = 0; r < 10; ++r) EXPECT_TRUE(Offered(q, A, r).empty());
    Choose(q, B, 7, 0);
    EXPECT_EQ(Offered(q, A, 0), (Ints{0, 1, 2, 3, 4}));
    EXPECT_TRUE(Offered(q, A, 1).empty());  // row 2.1 not chosen yet
}

TEST(Questionnaire, AccessoryVoltagesFollowTheRowBefore) {
    TQuestionnaire q;
    ChooseAll(q, kAllZeroBreaker, {1});
    EXPECT_EQ(Offered(q, A, 1), (Ints{0, 1}));
    Choose(q, A, 0, 0);
    EXPECT_EQ(Offered(q, A, 1), (Ints{0, 1, 2, 3, 4}));
    ChooseAll(q, {}, {0, 0, 0, 0});
    EXPECT_EQ(Offered(q, A, 4), Ints{0});  // no delay unit without a release
    Choose(q, A, 3, 2);
    EXPECT_EQ(Offered(q, A, 4), (Ints{0, 1, 2}));
}

TEST(Questionnaire, ChoosingTheLastRowCompletesAndDerivesAtOnce) {
    TQuestionnaire q;
    ChooseAll(q, kAllZeroBreaker, Ints(9, 0));
    EXPECT_FALSE(q.SaveEnabled());
    EXPECT_TRUE(q.Texts().Empty());
    const TChoiceEffect effect = Choose(q, A, 9, 0);
    EXPECT_TRUE(effect.Applied);
    EXPECT_TRUE(effect.SaveEnabled);
    EXPECT_TRUE(q.SaveEnabled());
    EXPECT_EQ(q.Texts().OrderCode, "ЛК63191000023H003300XH100");
}

TEST(Questionnaire, ABreakerChoiceClearsEverythingBelowIt) {
    TQuestionnaire q;
    ChooseAll(q, kAllZeroBreaker, kAllZeroAccessory);
    ASSERT_TRUE(q.SaveEnabled());
    const TChoiceEffect effect = Choose(q, B, 0, 1);
    EXPECT_TRUE(effect.Applied);
    EXPECT_EQ(effect.ClearedRows, (Ints{1, 2, 3, 4, 5, 6, 7}));
    EXPECT_TRUE(effect.AccessoriesInvalidated);
    EXPECT_TRUE(effect.RebuildAccessoryEditor);
    EXPECT_FALSE(effect.SaveEnabled);
    EXPECT_TRUE(q.Texts().Empty());
    for (int r = 0; r < 10; ++r) EXPECT_EQ(q.Selection(A, r), -1);
    EXPECT_EQ(q.Selection(B, 0), 1);

    // With group 2 empty there is no editor to rebuild.
    const TChoiceEffect again = Choose(q, B, 0, 2);
    EXPECT_TRUE(again.AccessoriesInvalidated);
    EXPECT_FALSE(again.RebuildAccessoryEditor);
    EXPECT_TRUE(again.ClearedRows.empty());
}

TEST(Questionnaire, ChoosingTheSameOptionAgainClearsTheRowsBelow) {
    TQuestionnaire q;
    ChooseAll(q, kAllZeroBreaker, kAllZeroAccessory);
    const TChoiceEffect effect = Choose(q, A, 2, 0);
    EXPECT_EQ(effect.ClearedRows, (Ints{3, 4, 5, 6, 7, 8, 9}));
    EXPECT_FALSE(effect.AccessoriesInvalidated);
    EXPECT_FALSE(q.SaveEnabled());
    EXPECT_TRUE(q.Texts().Empty());
    EXPECT_EQ(q.Selection(A, 2), 0);
}

// Esc, a click elsewhere, losing the focus: the list reports the highlighted
// entry with Accept false, and the questionnaire stays as it was.
TEST(Questionnaire, ClosingAListWithoutChoosingChangesNothing) {
    TQuestionnaire q;
    ChooseAll(q, kAllZeroBreaker, kAllZeroAccessory);
    const auto before = q.Accessory();
    q.EditList(B, 0);
    const TChoiceEffect effect = q.CloseUp(B, 0, 0, false);
    EXPECT_FALSE(effect.Applied);
    EXPECT_TRUE(effect.SaveEnabled);
    EXPECT_EQ(q.Accessory(), before);
    EXPECT_TRUE(q.SaveEnabled());
    EXPECT_FALSE(q.Texts().Empty());

    q.EditList(A, 3);
    EXPECT_FALSE(q.CloseUp(A, 3, -1, true).Applied);  // nothing highlighted
    EXPECT_FALSE(q.CloseUp(A, 3, 99, true).Applied);  // not an entry of the list
    EXPECT_EQ(q.Accessory(), before);
}

TEST(Questionnaire, ResetEmptiesEverythingAndDisablesSaving) {
    TQuestionnaire q;
    ChooseAll(q, kAllZeroBreaker, kAllZeroAccessory);
    q.Reset();
    EXPECT_FALSE(q.SaveEnabled());
    EXPECT_TRUE(q.Texts().Empty());
    EXPECT_EQ(q.TableID(), -1);
    EXPECT_EQ(q.TableIDText(), "");
    for (int r = 0; r < 8; ++r) EXPECT_EQ(q.CellText(B, 1, r), "");
    for (int r = 0; r < 10; ++r) EXPECT_EQ(q.CellText(A, 1, r), "");
    EXPECT_EQ(Offered(q, B, 0).size(), 15u);
}

TEST(Questionnaire, FindTableTakesTheFirstMatchAndKeepsTheIdOnFailure) {
    TQuestionnaire q;
    EXPECT_EQ(q.FindTable(4, 5), 2);
    EXPECT_EQ(q.TableID(), 3);
    EXPECT_EQ(q.FindTable(-1, 5), -1);
    EXPECT_EQ(q.FindTable(0, 7), -1);
    EXPECT_EQ(q.TableID(), 3);  // unchanged by a failed look-up
    EXPECT_EQ(q.TableIDText(), "3");
}

TEST(Questionnaire, AllChosenLooksAtEverySelection) {
    const TQuestionnaire::TSelection some[] = {0, 3, -1};
    EXPECT_FALSE(TQuestionnaire::AllChosen(some, 3));
    EXPECT_TRUE(TQuestionnaire::AllChosen(some, 2));
}

}  // namespace
}  // namespace lk63
