#include "platform/fonts/shaper.h"

#include "platform/fonts/font_key_print.h"
#include "platform/fonts/free_type_oracle.h"
#include "platform/fonts/text_runs.h"
#include "platform/unicode.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace lk63::platform {
namespace {

const TFontKey kArial{"Arial", false, false};
const TFontKey kArialBold{"Arial", true, false};

struct TPlainCase {
    TFontKey Font;
    std::u16string Line;
    bool RightToLeft;
};

void PrintTo(const TPlainCase& c, std::ostream* out) {
    PrintTo(c.Font, out);
    *out << " \"" << Utf16ToUtf8(c.Line) << "\""
         << (c.RightToLeft ? " rtl" : "");
}

class ShaperPlainTest : public testing::TestWithParam<TPlainCase> {};

// Latin and Cyrillic: one glyph per character in logical order, the glyph
// FreeType maps the character to, its unkerned advance (AV and To have kerning
// pairs in the font) and a one-unit cluster.
TEST_P(ShaperPlainTest, OneGlyphPerCharacterInOrder) {
    const TPlainCase& c = GetParam();
    const test::TFreeTypeOracle oracle(c.Font);
    TShaper shaper(c.Font);
    ASSERT_TRUE(shaper.HasFont());
    const auto glyphs = shaper.Shape(c.Line, c.RightToLeft);
    ASSERT_EQ(glyphs.size(), c.Line.size());
    for (std::size_t k = 0; k < glyphs.size(); ++k) {
        SCOPED_TRACE("glyph " + std::to_string(k));
        EXPECT_EQ(glyphs[k].GlyphId, oracle.GlyphOf(c.Line[k]));
        EXPECT_NE(glyphs[k].GlyphId, 0);
        EXPECT_EQ(glyphs[k].Advance, std::lround(oracle.AdvanceAtEm(c.Line[k], 1000)));
        EXPECT_EQ(glyphs[k].Cluster, k);
        EXPECT_EQ(glyphs[k].ClusterLength, 1u);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ShaperPlainTest,
    testing::Values(TPlainCase{kArial, u"AVATAR To Wa", false}, TPlainCase{kArial, u"Опросный лист", false},
                    TPlainCase{kArial, u"ЛК63-19-2500S, 3P; TK71", false},
                    TPlainCase{kArialBold, u"Наименование организации:", false},
                    // Left-to-right text in a right-to-left memo keeps its order.
                    TPlainCase{kArial, u"Иванов Иван", true}, TPlainCase{kArial, u"AVATAR", true}));

// Clusters of the glyphs, left to right on the page.
std::vector<std::uint32_t> VisualClusters(const std::vector<TShapedGlyph>& glyphs) {
    std::vector<std::uint32_t> clusters;
    for (const auto& glyph : glyphs) clusters.push_back(glyph.Cluster);
    return clusters;
}

struct TOrderCase {
    std::u16string Line;
    bool RightToLeft;
    std::vector<std::uint32_t> Clusters;
};

void PrintTo(const TOrderCase& c, std::ostream* out) {
    *out << '"' << Utf16ToUtf8(c.Line) << '"' << (c.RightToLeft ? " rtl" : "");
}

class ShaperOrderTest : public testing::TestWithParam<TOrderCase> {};

TEST_P(ShaperOrderTest, GlyphsComeInVisualOrderWithTheirCharacters) {
    const TOrderCase& c = GetParam();
    const test::TFreeTypeOracle oracle(kArial);
    TShaper shaper(kArial);
    const auto glyphs = shaper.Shape(c.Line, c.RightToLeft);
    EXPECT_EQ(VisualClusters(glyphs), c.Clusters);
    for (const auto& glyph : glyphs) {
        EXPECT_EQ(glyph.ClusterLength, 1u);
        EXPECT_EQ(glyph.GlyphId, oracle.GlyphOf(c.Line[glyph.Cluster])) << "cluster " << glyph.Cluster;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Directions, ShaperOrderTest,
    testing::Values(
        // Hebrew alone reads right to left whatever the memo's direction.
        TOrderCase{u"שלום", false, {3, 2, 1, 0}}, TOrderCase{u"שלום", true, {3, 2, 1, 0}},
        // The spaces between Latin and Hebrew take the memo's direction.
        TOrderCase{u"abc שלום def", false, {0, 1, 2, 3, 7, 6, 5, 4, 8, 9, 10, 11}},
        TOrderCase{u"שלום abc", true, {5, 6, 7, 4, 3, 2, 1, 0}},
        // Digits stay left to right and, after Hebrew, join its run.
        TOrderCase{u"שלום 12", false, {5, 6, 4, 3, 2, 1, 0}},
        TOrderCase{u"ש 12 ל", true, {5, 4, 2, 3, 1, 0}},
        // A full stop at the end of a right-to-left memo goes to its left end.
        TOrderCase{u"Иванов И. И.", true, {11, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
        // Latin, Cyrillic and Greek are separate script runs in one direction.
        TOrderCase{u"aб γd", false, {0, 1, 2, 3, 4}}));

// DejaVu Sans forms ligatures of f with i and l: one glyph for two or three
// characters, its cluster covering all of them.
TEST(Shaper, LigatureCoversItsCharacters) {
    const TFontKey dejaVu{"DejaVu Sans", false, false};
    const test::TFreeTypeOracle oracle(dejaVu);
    TShaper shaper(dejaVu);
    const auto glyphs = shaper.Shape(u"a file, baffle", false);
    std::vector<std::pair<std::uint32_t, std::uint32_t>> clusters;
    for (const auto& glyph : glyphs) clusters.emplace_back(glyph.Cluster, glyph.ClusterLength);
    using C = std::pair<std::uint32_t, std::uint32_t>;
    EXPECT_EQ(clusters, (std::vector<C>{{0, 1}, {1, 1}, {2, 2}, {4, 1}, {5, 1}, {6, 1}, {7, 1}, {8, 1}, {9, 1},
                                        {10, 3}, {13, 1}}));
    ASSERT_EQ(glyphs.size(), clusters.size());
    EXPECT_NE(glyphs[2].GlyphId, oracle.GlyphOf(u'f'));
    EXPECT_NE(glyphs[2].GlyphId, 0);
    EXPECT_EQ(glyphs[3].GlyphId, oracle.GlyphOf(u'l'));
}

TEST(Shaper, SurrogatePairIsOneClusterOfTwoUnits) {
    TShaper shaper(kArial);
    const auto glyphs = shaper.Shape(u"a\U0001F600b", false);
    ASSERT_EQ(glyphs.size(), 3u);
    EXPECT_EQ(glyphs[1].GlyphId, 0);  // Arial has no emoji
    EXPECT_EQ(glyphs[1].Cluster, 1u);
    EXPECT_EQ(glyphs[1].ClusterLength, 2u);
    EXPECT_GT(glyphs[1].Advance, 0);
    EXPECT_EQ(glyphs[2].Cluster, 3u);
    EXPECT_EQ(glyphs[2].ClusterLength, 1u);
}

TEST(Shaper, MissingCharactersMapToGlyphZero) {
    TShaper shaper(kArial);
    const auto glyphs = shaper.Shape(u"中文", false);
    ASSERT_EQ(glyphs.size(), 2u);
    for (const auto& glyph : glyphs) EXPECT_EQ(glyph.GlyphId, 0);
    EXPECT_EQ(VisualClusters(glyphs), (std::vector<std::uint32_t>{0, 1}));
}

TEST(Shaper, LoneSurrogateShapesAsReplacementCharacter) {
    const test::TFreeTypeOracle oracle(kArial);
    TShaper shaper(kArial);
    const auto glyphs = shaper.Shape(std::u16string{u'a', char16_t(0xD800), u'b'}, false);
    ASSERT_EQ(glyphs.size(), 3u);
    EXPECT_EQ(glyphs[1].GlyphId, oracle.GlyphOf(0xFFFD));
    EXPECT_EQ(glyphs[1].Cluster, 1u);
    EXPECT_EQ(glyphs[1].ClusterLength, 1u);
}

// A base letter with a combining accent has no precomposed form in Cyrillic:
// two glyphs, each standing for its own character, so that the letter keeps
// reading as the letter wherever else it is used.
TEST(Shaper, CombiningMarkIsAClusterOfItsOwn) {
    const test::TFreeTypeOracle oracle(kArial);
    TShaper shaper(kArial);
    const auto glyphs = shaper.Shape(u"ае\u0301ж", false);
    ASSERT_EQ(glyphs.size(), 4u);
    for (std::size_t k = 0; k < glyphs.size(); ++k) {
        EXPECT_EQ(glyphs[k].Cluster, k) << k;
        EXPECT_EQ(glyphs[k].ClusterLength, 1u) << k;
    }
    EXPECT_EQ(glyphs[1].GlyphId, oracle.GlyphOf(u'е'));
    EXPECT_EQ(glyphs[2].GlyphId, oracle.GlyphOf(0x0301));
}

// Characters without appearance give no glyph: HarfBuzz would draw each as
// the space glyph with no advance, and that glyph would then carry two widths.
// Their units belong to the cluster before them. (Marks that change the
// direction of what follows, such as U+202E, also change the order.)
TEST(Shaper, DefaultIgnorableCharactersGiveNoGlyph) {
    const test::TFreeTypeOracle oracle(kArial);
    const unsigned space = oracle.GlyphOf(u' ');
    TShaper shaper(kArial);
    for (const char16_t* invisible : {u"\u00AD", u"\u200B", u"\u200D", u"\u200E", u"\u202A", u"\u2066", u"\uFEFF",
                                      u"\uFE0F", u"\U000E0100"}) {
        const std::u16string mark(invisible);
        SCOPED_TRACE(Utf16ToUtf8(mark));
        const std::u16string line = u"а" + mark + u"б в";
        const auto glyphs = shaper.Shape(line, false);
        ASSERT_EQ(glyphs.size(), 4u);
        EXPECT_EQ(glyphs[0].GlyphId, oracle.GlyphOf(u'а'));
        EXPECT_EQ(glyphs[0].ClusterLength, 1 + mark.size());
        EXPECT_EQ(glyphs[1].GlyphId, oracle.GlyphOf(u'б'));
        EXPECT_EQ(glyphs[2].GlyphId, space);
        EXPECT_EQ(glyphs[2].Advance, std::lround(oracle.AdvanceAtEm(u' ', 1000)));
        EXPECT_GT(glyphs[2].Advance, 0);
    }
}

TEST(Shaper, EmptyTextGivesNoGlyphs) {
    TShaper shaper(kArial);
    EXPECT_TRUE(shaper.Shape(u"", false).empty());
    EXPECT_TRUE(shaper.Shape(u"", true).empty());
}

TEST(Shaper, SameLineShapesTheSameEveryTime) {
    const std::u16string mixed = u"ООО «Ромашка» שלום (1) abc";
    TShaper first(kArial);
    const auto expected = first.Shape(mixed, false);
    first.Shape(u"שלום", true);  // state left by a right-to-left line must not leak
    EXPECT_EQ(first.Shape(mixed, false), expected);
    TShaper second(kArial);
    EXPECT_EQ(second.Shape(mixed, false), expected);
}

// What HarfBuzz gives for a left-to-right line, with no shortcut.
std::vector<TShapedGlyph> ShapedByHarfBuzz(TShaper& shaper, std::u16string_view line) {
    std::vector<TShapedGlyph> glyphs;
    for (const TTextRun& run : VisualRuns(line, false)) shaper.ShapeRun(line, run, glyphs);
    return glyphs;
}

class ShaperPlainGlyphsTest : public testing::TestWithParam<TFontKey> {};

// Every character the shortcut takes gives HarfBuzz's glyph and advance, on
// its own and among the others in lines of random characters.
TEST_P(ShaperPlainGlyphsTest, GivesWhatHarfBuzzGives) {
    TShaper shaper(GetParam());
    ASSERT_TRUE(shaper.HasFont());
    std::u16string plain;
    for (char32_t c = 1; c <= 0xFFFF; ++c) {
        const std::u16string line(1, static_cast<char16_t>(c));
        std::vector<TShapedGlyph> glyphs;
        if (!shaper.ShapePlain(line, false, glyphs)) continue;
        plain += line;
        ASSERT_EQ(glyphs, ShapedByHarfBuzz(shaper, line)) << "U+" << std::hex << static_cast<unsigned>(c);
    }
    ASSERT_GT(plain.size(), 300u);  // at least Basic Latin and Cyrillic

    std::mt19937 random(17);
    std::uniform_int_distribution<std::size_t> pick(0, plain.size() - 1);
    std::uniform_int_distribution<std::size_t> length(2, 40);
    for (int n = 0; n < 3000; ++n) {
        std::u16string line;
        for (std::size_t k = length(random); k > 0; --k) line += plain[pick(random)];
        std::vector<TShapedGlyph> glyphs;
        ASSERT_TRUE(shaper.ShapePlain(line, false, glyphs));
        ASSERT_EQ(glyphs, ShapedByHarfBuzz(shaper, line)) << Utf16ToUtf8(line);
    }
}

INSTANTIATE_TEST_SUITE_P(Fonts, ShaperPlainGlyphsTest,
                         testing::Values(kArial, kArialBold, TFontKey{"DejaVu Sans", false, false},
                                         TFontKey{"Noto Sans", false, true}, TFontKey{"Noto Serif", true, false}));

TEST(Shaper, PlainGlyphsTakeTheQuestionnairesText) {
    TShaper shaper(kArialBold);
    for (const std::u16string_view line : {u"Строка примечания 136000", u"ЛК63-19-2500S, 3P; TK71 (±5 %) №1"}) {
        std::vector<TShapedGlyph> glyphs;
        EXPECT_TRUE(shaper.ShapePlain(line, false, glyphs)) << Utf16ToUtf8(line);
        EXPECT_EQ(glyphs, ShapedByHarfBuzz(shaper, line));
    }
}

// Lines HarfBuzz must shape: the shortcut refuses them and leaves the glyphs alone.
TEST(Shaper, PlainGlyphsRefuseWhatNeedsShaping) {
    const struct {
        std::u16string_view Line;
        bool RightToLeft;
    } cases[] = {
        {u"abc", true},              // a right-to-left paragraph
        {u"ab שלום", false},         // right-to-left letters
        {u"\u0661\u0662", false},  // Arabic-Indic digits
        {u"и\u0306", false},        // a combining mark
        {u"пере\u00ADнос", false},  // a soft hyphen
        {u"a\u200Db", false},       // a joiner
        {u"1\u20442", false},       // the fraction slash
        {u"\u02E5\u02E9", false},  // tone letters, composed by the font
        {u"中文", false},            // characters the font lacks
        {u"x\U0001F600", false},    // a surrogate pair
        {u"", false},
    };
    TShaper shaper(kArial);
    for (const auto& c : cases) {
        std::vector<TShapedGlyph> glyphs{{7, 500, 0, 1}};
        EXPECT_FALSE(shaper.ShapePlain(c.Line, c.RightToLeft, glyphs)) << Utf16ToUtf8(c.Line);
        EXPECT_EQ(glyphs.size(), 1u);
    }
}

}  // namespace
}  // namespace lk63::platform
