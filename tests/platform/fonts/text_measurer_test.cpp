#include "platform/fonts/text_measurer.h"

#include "platform/fonts/font_fallback.h"
#include "platform/fonts/font_key_print.h"
#include "platform/fonts/free_type_oracle.h"
#include "platform/unicode.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <stdexcept>
#include <string>
#include <thread>

namespace lk63::platform {
namespace {

const TFontKey kArial{"Arial", false, false};
const TFontKey kArialBold{"Arial", true, false};

std::vector<int> Measure(const TFontKey& font, int em, std::u16string_view line) {
    std::vector<int> positions;
    SharedTextMeasurer().Measure(font, em, line, positions);
    return positions;
}

int Width(const TFontKey& font, int em, std::u16string_view line) {
    const auto positions = Measure(font, em, line);
    return positions.empty() ? 0 : positions.back();
}

// Every position is the sum of the advances of the characters up to it, each
// measured on its own, whatever the cache held before.
TEST(TextMeasurer, PositionsAreCumulativeAdvances) {
    const std::u16string lines[] = {u"ii", u"Опросный лист ЛК63-19", u"WAVE w.i.l", u"Ёё Щщ Жж"};
    for (const TFontKey& font : {kArial, kArialBold}) {
        for (const std::u16string& line : lines) {
            const auto positions = Measure(font, 83, line);
            ASSERT_EQ(positions.size(), line.size());
            int sum = 0;
            for (std::size_t k = 0; k < line.size(); ++k) {
                sum += Width(font, 83, line.substr(k, 1));
                EXPECT_EQ(positions[k], sum) << "char " << k;
            }
        }
    }
    EXPECT_EQ(Width(kArial, 83, u"ii"), 2 * Width(kArial, 83, u"i"));
}

struct TEmCase {
    TFontKey Font;
    int Em;
};

void PrintTo(const TEmCase& c, std::ostream* out) {
    PrintTo(c.Font, out);
    *out << " em " << c.Em;
}

class TextMeasurerEmTest : public testing::TestWithParam<TEmCase> {};

// Hinting moves an advance by less than a pixel from the design advance
// scaled to the em, so a wrong size or a wrong face shows at once.
TEST_P(TextMeasurerEmTest, AdvancesFollowTheFaceAtTheEm) {
    const TEmCase& c = GetParam();
    const test::TFreeTypeOracle oracle(c.Font);
    for (char16_t ch : std::u16string(u"aiWm.Ж ш1")) {
        const double design = oracle.AdvanceAtEm(ch, c.Em);
        const int measured = Width(c.Font, c.Em, std::u16string(1, ch));
        EXPECT_LE(std::abs(measured - design), 1.0) << "U+" << std::hex << int(ch) << " at em " << std::dec << c.Em;
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, TextMeasurerEmTest,
                         testing::Values(TEmCase{kArial, 83}, TEmCase{kArial, 100}, TEmCase{kArial, 133},
                                         TEmCase{kArial, 8}, TEmCase{kArialBold, 83}, TEmCase{kArialBold, 117}));

TEST(TextMeasurer, BoldIsMeasuredWithTheBoldFace) {
    EXPECT_GT(Width(kArialBold, 83, u"Наименование организации"), Width(kArial, 83, u"Наименование организации"));
}

TEST(TextMeasurer, SurrogatePairAdvanceSitsOnItsSecondUnit) {
    const std::u16string line = u"a\U000F0000b";  // private use: no font has a glyph for it
    const auto positions = Measure(kArial, 83, line);
    ASSERT_EQ(positions.size(), 4u);
    const int a = Width(kArial, 83, u"a");
    EXPECT_EQ(positions[0], a);
    EXPECT_EQ(positions[1], a);
    // Characters no font shows take the missing glyph's advance, as they
    // print (an unassigned one here).
    const int missing = Width(kArial, 83, u"\u0378");
    EXPECT_GT(missing, 0);
    EXPECT_EQ(positions[2], a + missing);
    EXPECT_EQ(positions[3], a + missing + Width(kArial, 83, u"b"));
}

// Lines break where the printed text ends: what Arial lacks is measured in
// the font it is printed in.
TEST(TextMeasurer, CharactersTheFontLacksAreMeasuredInTheFontThatShowsThem) {
    const int missing = Width(kArial, 83, u"\u0378");
    for (const std::u16string text : {u"中", u"ა", u"क", u"₽", u"서"}) {
        const std::optional<TFontKey> other = FallbackFont(kArial, text[0]);
        ASSERT_TRUE(other.has_value()) << Utf16ToUtf8(text);
        EXPECT_EQ(Width(kArial, 83, text), Width(*other, 83, text)) << Utf16ToUtf8(text);
        EXPECT_NE(Width(kArial, 83, text), missing) << Utf16ToUtf8(text);
    }
}

// Joined Arabic letters and a Devanagari conjunct are narrower than their
// letters alone: such a line is measured as it is shaped and printed, its
// positions still growing from unit to unit.
TEST(TextMeasurer, LettersThatJoinAreMeasuredAsShaped) {
    for (const std::u16string word : {u"مرحبا", u"विद्युत"}) {
        SCOPED_TRACE(Utf16ToUtf8(word));
        int alone = 0;
        for (const char16_t unit : word) alone += Width(kArial, 83, std::u16string(1, unit));
        const auto positions = Measure(kArial, 83, word);
        ASSERT_EQ(positions.size(), word.size());
        EXPECT_LT(positions.back(), alone);
        EXPECT_GT(positions.back(), alone / 2);
        EXPECT_TRUE(std::is_sorted(positions.begin(), positions.end()));
    }
    // Latin and Cyrillic keep their hinted advances, character by character.
    EXPECT_EQ(Width(kArial, 83, u"Лист"),
              Width(kArial, 83, u"Л") + Width(kArial, 83, u"и") + Width(kArial, 83, u"с") + Width(kArial, 83, u"т"));
}

TEST(TextMeasurer, LoneSurrogatesMeasureAsReplacementCharacter) {
    const int replacement = Width(kArial, 83, u"\uFFFD");
    for (const std::u16string& line : {std::u16string{char16_t(0xD83D)}, std::u16string{char16_t(0xDE00)}}) {
        EXPECT_EQ(Width(kArial, 83, line), replacement);
    }
    // A high surrogate before an ordinary character does not swallow it.
    const auto positions = Measure(kArial, 83, std::u16string{char16_t(0xD83D), u'b'});
    ASSERT_EQ(positions.size(), 2u);
    EXPECT_EQ(positions[1], replacement + Width(kArial, 83, u"b"));
}

// Shaping leaves them out, so they take no room on the line: the soft
// hyphen has a visible glyph in the font, and the rest the missing glyph.
TEST(TextMeasurer, CharactersWithoutAppearanceTakeNoRoom) {
    const int ab = Width(kArial, 83, u"ab");
    for (const char16_t* invisible : {u"\u00AD", u"\u200B", u"\u200E", u"\u202B", u"\uFEFF", u"\uFE0F", u"\U000E0100"})
        EXPECT_EQ(Width(kArial, 83, u"a" + std::u16string(invisible) + u"b"), ab) << Utf16ToUtf8(invisible);
}

TEST(TextMeasurer, EmptyLineGivesNoPositions) {
    std::vector<int> positions{1, 2, 3};
    SharedTextMeasurer().Measure(kArial, 83, u"", positions);
    EXPECT_TRUE(positions.empty());
}

TEST(TextMeasurer, LongLineIsMeasuredInFull) {
    const std::u16string line(40000, u'ж');
    const int advance = Width(kArial, 83, u"ж");
    const auto positions = Measure(kArial, 83, line);
    ASSERT_EQ(positions.size(), line.size());
    EXPECT_EQ(positions[32767], 32768 * advance);
    EXPECT_EQ(positions.back(), 40000 * advance);
}

TEST(TextMeasurer, HugeWidthsStopAtIntMax) {
    const int em = TTextMeasurer::MaxEmPixels;
    const int advance = Width(kArial, em, u"W");
    ASSERT_GT(advance, 0);
    const std::u16string line(static_cast<std::size_t>(INT_MAX / advance) + 2, u'W');
    const auto positions = Measure(kArial, em, line);
    EXPECT_EQ(positions[line.size() - 3], static_cast<int>(line.size() - 2) * advance);
    EXPECT_EQ(positions.back(), INT_MAX);
}

TEST(TextMeasurer, RejectsEmOutsideTheRasterisersRange) {
    std::vector<int> positions;
    for (int em : {0, -83, TTextMeasurer::MaxEmPixels + 1}) {
        EXPECT_THROW(SharedTextMeasurer().Measure(kArial, em, u"a", positions), std::invalid_argument) << em;
    }
}

TEST(TextMeasurer, SeparateMeasurersAgree) {
    TTextMeasurer own;
    std::vector<int> positions;
    own.Measure(kArial, 83, u"Количество выключателей, шт.", positions);
    EXPECT_EQ(positions, Measure(kArial, 83, u"Количество выключателей, шт."));
}

TEST(TextMeasurer, ConcurrentUseGivesTheSameWidths) {
    const std::u16string line = u"Расцепитель минимального напряжения 0,5/1/2/3 сек";
    const auto expected = Measure(kArial, 83, line);
    std::vector<std::vector<int>> results(4);
    {
        std::vector<std::jthread> threads;
        for (std::size_t t = 0; t < results.size(); ++t) {
            threads.emplace_back([&, t] {
                const TFontKey font{"Arial", t % 2 == 1, false};
                for (int em = 60; em < 90; ++em) SharedTextMeasurer().Measure(font, em, line, results[t]);
                SharedTextMeasurer().Measure(kArial, 83, line, results[t]);
            });
        }
    }
    for (const auto& result : results) EXPECT_EQ(result, expected);
}

}  // namespace
}  // namespace lk63::platform
