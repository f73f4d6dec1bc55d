#include "questionnaire/catalogue.h"

#include <gtest/gtest.h>

#include <set>

#include "platform/unicode.h"

namespace lk63 {
namespace {

std::u16string Wide(std::string_view s) { return platform::Utf8ToUtf16(s); }

TEST(Catalogue, EveryArrayHasItsCount) {
    EXPECT_EQ(BreakerCaptions.size(), 8u);
    EXPECT_EQ(AccessoryCaptions.size(), 10u);
    const std::size_t breaker[] = {15, 8, 9, 2, 8, 10, 5, 5};
    const std::size_t accessory[] = {5, 5, 5, 5, 3, 4, 4, 7, 6, 2};
    for (int r = 0; r < kBreakerRows; ++r) EXPECT_EQ(BreakerParams[r].size(), breaker[r]) << "row 1." << r + 1;
    for (int r = 0; r < kAccessoryRows; ++r)
        EXPECT_EQ(AccessoryParams[r].size(), accessory[r]) << "row 2." << r + 1;
    EXPECT_EQ(Tables.size(), 5u);
    EXPECT_EQ(VoltageWords.size(), 5u);
    EXPECT_EQ(DelayWords.size(), 3u);
    EXPECT_EQ(CurrentCodes.size(), 15u);
    EXPECT_EQ(FrameCodes.size(), 9u);
    EXPECT_EQ(ExecutionLetters.size(), 8u);
    EXPECT_EQ(AccessoryCodes.size(), 16u);
    EXPECT_EQ(TripCodes.size(), 50u);
    EXPECT_EQ(SupplyLetters.size(), 5u);
    EXPECT_EQ(AccessoryLetters.size(), 4u);
    EXPECT_EQ(CodeItems.size(), 142u);
}

// Look-alike letters, checked by code point: Cyrillic А U+0410, С U+0421,
// В U+0412, К U+041A, Д U+0414 against Latin A, B, C, M, H, S, V.
TEST(Catalogue, MixedScriptLiteralsHaveTheirExactLetters) {
    struct Case {
        std::string_view text;
        std::u16string codePoints;
    } const cases[] = {
        {MotorDrives[1].Text, u"\u0410\u0421 230 B"},
        {ShuntReleases[4].Text, u"DC 110 B"},
        {VoltageWords[2], u"\u0410\u0421 400 B"},
        {TripUnitSupplies[3].Text, u"AC 230 \u0412"},
        {TripUnitSupplies[0].Text, u"DC 24 \u0412"},
        {BreakingCapacities[0].Text,
         u"65 \u043A\u0410 \u043F\u0440\u0438 \u0410\u0421 400 \u0412, 42 \u043A\u0410 "
         u"\u043F\u0440\u0438 \u0410\u0421 690 \u0412"},
        {FrameSizes[2].Text, u"\u041B\u041A63-19-2500M"},
        {FrameSizes[8].Text, u"\u041B\u041A63-19-6300H"},
        {RatedCurrents[0].Text, u"200 \u0410"},
        {CodeItems[FindCodeItem("M001")].Code, u"M001"},
        {CodeItems[36].Code, u"V00"},
        {CodeItems[60].Code, u"U011"},
        {CodeItems[96].Code, u"\u0414\u042126:01"},
        {CodeItems[141].Code, u"\u0414\u0421210:4S40"},
    };
    for (const Case& c : cases) EXPECT_EQ(Wide(c.text), c.codePoints) << c.text;
}

TEST(Catalogue, MechanicalInterlockTextsKeepTheirQuotes) {
    EXPECT_EQ(MechInterlocks[5].Text.substr(MechInterlocks[5].Text.rfind("схеме")),
              "схеме \"3 выключателя: 2 \"рабочих\" источника + 1 \"резервный\" источник с выбором "
              "источников");
    EXPECT_NE(MechInterlocks[3].Text.find("взаимоблокировки при"), std::string_view::npos);
}

TEST(Catalogue, CodeItemsAreUnique) {
    std::set<std::string_view> codes;
    for (const TCodeItem& item : CodeItems) EXPECT_TRUE(codes.insert(item.Code).second) << item.Code;
}

TEST(Catalogue, FindCodeItemMatchesExactly) {
    const int m001 = FindCodeItem("M001");
    ASSERT_GE(m001, 0);
    EXPECT_EQ(CodeItems[m001].Text, "1");
    EXPECT_EQ(FindCodeItem("m001"), -1);     // case matters
    EXPECT_EQ(FindCodeItem("M00"), -1);      // same length only
    EXPECT_EQ(FindCodeItem(""), -1);
    EXPECT_EQ(FindCodeItem("ДС29:51"), -1);  // additional contacts option 5 has no item
    EXPECT_EQ(FindCodeItem("ДС29:53"), -1);
    EXPECT_EQ(FindCodeItem("ДC26:01"), -1);  // Latin C in place of Cyrillic С
    EXPECT_EQ(CodeItems[FindCodeItem("ДС210:4V35")].Text, "Межполюсные перегородки KEP/D6757J");
    EXPECT_EQ(FindCodeItem("ДС210:3V35"), -1);  // class 35 exists with four poles only
    EXPECT_EQ(CodeItems[FindCodeItem("M224")].Text, "Z");
    EXPECT_EQ(CodeItems[FindCodeItem("M214")].Text, "Z");
}

TEST(Catalogue, EveryAllowedCurrentAndCapacityPairHasATable) {
    for (int current = 0; current < static_cast<int>(RatedCurrents.size()); ++current) {
        for (int capacity = 0; capacity < 32; ++capacity) {
            if (!((RatedCurrents[current].Mask >> capacity) & 1U)) continue;
            int found = 0;
            for (const TTableItem& t : Tables)
                found += t.Currents.Contains(current) && t.Capacities.Contains(capacity);
            EXPECT_GE(found, 1) << "current " << current << " capacity " << capacity;
        }
    }
}

TEST(Catalogue, OverlappingPairsBelongToTheTablesTheyShare) {
    auto tablesOf = [](int current, int capacity) {
        std::vector<int> ids;
        for (const TTableItem& t : Tables)
            if (t.Currents.Contains(current) && t.Capacities.Contains(capacity)) ids.push_back(t.TableID);
        return ids;
    };
    EXPECT_EQ(tablesOf(4, 5), (std::vector<int>{3, 4}));  // "1000 А": tables 2 and 3
    EXPECT_EQ(tablesOf(12, 4), (std::vector<int>{4}));
    EXPECT_EQ(tablesOf(12, 5), (std::vector<int>{4}));
}

TEST(Catalogue, OptionSetsNeverHoldNegativeNumbers) {
    const TOptionSet set{0, 1, 255};
    EXPECT_TRUE(set.Contains(0));
    EXPECT_TRUE(set.Contains(255));
    EXPECT_FALSE(set.Contains(-1));
    EXPECT_FALSE(set.Contains(-256));
    EXPECT_FALSE(set.Contains(256));
    EXPECT_FALSE(set.Contains(2));
}

}  // namespace
}  // namespace lk63
