#include "platform/fonts/font_fallback.h"

#include "platform/fonts/font_file.h"
#include "platform/fonts/font_key_print.h"
#include "platform/fonts/free_type_oracle.h"
#include "platform/fonts/shaper.h"
#include "platform/unicode.h"

#include <gtest/gtest.h>

#include <string>

namespace lk63::platform {
namespace {

const TFontKey kArial{"Arial", false, false};
const TFontKey kArialBold{"Arial", true, false};

std::string Hex(char32_t c) {
    char text[16];
    std::snprintf(text, sizeof text, "U+%04X", static_cast<unsigned>(c));
    return text;
}

// A character Arial lacks is shown by another installed font in the same
// style, one that may be embedded and whose file has it; what Arial has, and
// what has no appearance, is never looked for.
TEST(FontFallback, CharactersArialLacksComeFromAFontThatHasThem) {
    struct Case {
        char32_t c;
        bool fallback;
    } const cases[] = {
        {U'A', false},   {U'Ж', false},  {U'ש', false},  {U'±', false},   // Arial's own
        {U'中', true},   {U'あ', true},  {U'서', true},  {U'ا', true},    // CJK, Hangul, Arabic
        {U'ქ', true},    {U'Ա', true},   {U'क', true},   {U'⌀', true},    // Georgian, Armenian, Devanagari, diameter
        {0x00AD, false}, {0x200B, false}, {0x0001, false},                  // no appearance, a control
        {0xF0000, false},                                                   // private use: nobody's
    };
    for (const TFontKey& base : {kArial, kArialBold}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(Hex(c.c) + (base.Bold ? " bold" : ""));
            const std::optional<TFontKey> other = FallbackFont(base, c.c);
            ASSERT_EQ(other.has_value(), c.fallback);
            if (!other) continue;
            EXPECT_NE(other->Family, "Liberation Sans");
            EXPECT_EQ(other->Bold, base.Bold);
            EXPECT_EQ(other->Italic, base.Italic);
            const auto file = ResolveFontFile(*other);
            ASSERT_TRUE(file.has_value());
            EXPECT_TRUE(file->Embeddable);
            EXPECT_NE(test::TFreeTypeOracle(*other).GlyphOf(c.c), 0u);
            EXPECT_EQ(FallbackFont(base, c.c), other) << "decided once";
        }
    }
}

struct TRunsCase {
    const char* name;
    std::u16string line;
    // Each run: its units and whether it is Arial's.
    std::vector<std::pair<std::size_t, bool>> runs;
};

TEST(FontRuns, SplitTheLineWhereTheFontChanges) {
    const TRunsCase cases[] = {
        {"ArialAlone", u"Опросный лист", {{13, true}}},
        {"ChineseInside", u"ab中文cd", {{2, true}, {2, false}, {2, true}}},
        {"InvisibleKeepsToTheRunBeforeIt", u"中\u200B文 x", {{3, false}, {2, true}}},
        {"MarkKeepsToItsLetter", u"е\u0301中", {{2, true}, {1, false}}},
        {"SurrogatePair", u"a\U0001F600b", {{1, true}, {2, false}, {1, true}}},
        {"NobodysCharacterStaysInArial", u"a\U000F0000b", {{4, true}}},
        {"Empty", u"", {}},
    };
    for (const TRunsCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<TFontRun> runs = FontRuns(kArial, c.line);
        ASSERT_EQ(runs.size(), c.runs.size());
        std::size_t start = 0;
        for (std::size_t k = 0; k < runs.size(); ++k) {
            EXPECT_EQ(runs[k].Start, start) << k;
            EXPECT_EQ(runs[k].Length, c.runs[k].first) << k;
            EXPECT_EQ(runs[k].Font == kArial, c.runs[k].second) << k;
            start += runs[k].Length;
        }
    }
}

// Shaping with fallback: Arial's glyphs where it has them, the other fonts'
// glyphs for the rest, the runs in visual order.
TEST(FallbackShaper, ShapesEachRunInItsOwnFont) {
    TFallbackShaper shaper(kArial);
    // Exactly as the font alone when it lacks nothing.
    TShaper alone(kArial);
    const std::vector<TShapedRun> plain = shaper.Shape(u"Опросный лист", false);
    ASSERT_EQ(plain.size(), 1u);
    EXPECT_EQ(plain[0].Font, kArial);
    EXPECT_EQ(plain[0].Glyphs, alone.Shape(u"Опросный лист", false));

    const std::u16string line = u"ООО 中文 ok";
    const std::vector<TShapedRun> runs = shaper.Shape(line, false);
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs[0].Font, kArial);
    const TFontKey chinese = *FallbackFont(kArial, U'中');
    EXPECT_EQ(runs[1].Font, chinese);
    const test::TFreeTypeOracle oracle(chinese);
    ASSERT_EQ(runs[1].Glyphs.size(), 2u);
    EXPECT_EQ(runs[1].Glyphs[0].GlyphId, oracle.GlyphOf(U'中'));
    EXPECT_EQ(runs[1].Glyphs[1].GlyphId, oracle.GlyphOf(U'文'));
    EXPECT_EQ(runs[1].Glyphs[0].Cluster, 4u);
    EXPECT_EQ(runs[2].Font, kArial);

    // Right to left: the Arabic run (in its own font) stands left of the Hebrew one.
    const std::vector<TShapedRun> mixed = shaper.Shape(u"שלום مرحبا", true);
    ASSERT_EQ(mixed.size(), 2u);  // Arabic; the blank and Hebrew in Arial
    EXPECT_EQ(mixed[0].Font, *FallbackFont(kArial, U'م'));
    EXPECT_EQ(mixed[0].Glyphs.front().Cluster, 9u);  // its last letter is drawn first
    EXPECT_EQ(mixed[1].Font, kArial);
    EXPECT_EQ(mixed[1].Glyphs.front().Cluster, 4u);  // the blank
    EXPECT_EQ(mixed[1].Glyphs.back().Cluster, 0u);
}

}  // namespace
}  // namespace lk63::platform
