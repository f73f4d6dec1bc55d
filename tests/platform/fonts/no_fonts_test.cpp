// The font services on a system without any font file. This program points
// fontconfig at an empty configuration before anything asks it for a font.

#include "platform/fonts/font_file.h"
#include "platform/fonts/outline_metrics.h"
#include "platform/fonts/shaper.h"
#include "platform/fonts/text_measurer.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace lk63::platform {
namespace {

const bool kConfigured = setenv("FONTCONFIG_FILE", LK63_NO_FONTS_CONFIG, 1) == 0;

const TFontKey kArial{"Arial", false, false};

TEST(NoFonts, NothingResolves) {
    ASSERT_TRUE(kConfigured);
    EXPECT_FALSE(ResolveFontFile(kArial).has_value());
    EXPECT_FALSE(ResolveFontFile({"", true, true}).has_value());
}

struct TFallbackCase {
    int Em;
    int Advance;
};

class NoFontsMeasureTest : public testing::TestWithParam<TFallbackCase> {};

// Every character, a surrogate pair counting as one, advances round(em / 2)
// with halves to the even neighbour.
TEST_P(NoFontsMeasureTest, EveryCharacterAdvancesHalfAnEm) {
    ASSERT_TRUE(kConfigured);
    const auto [em, advance] = GetParam();
    std::vector<int> positions;
    SharedTextMeasurer().Measure(kArial, em, u"Wi ж\U0001F600", positions);
    EXPECT_EQ(positions, (std::vector<int>{advance, 2 * advance, 3 * advance, 4 * advance, 4 * advance,
                                           5 * advance}));
}

INSTANTIATE_TEST_SUITE_P(Ems, NoFontsMeasureTest,
                         testing::Values(TFallbackCase{83, 42}, TFallbackCase{85, 42}, TFallbackCase{87, 44},
                                         TFallbackCase{100, 50}, TFallbackCase{1, 0}, TFallbackCase{3, 2}));

TEST(NoFonts, NoMetricsAndNoGlyphs) {
    ASSERT_TRUE(kConfigured);
    EXPECT_FALSE(ReadOutlineMetrics(kArial).has_value());
    EXPECT_FALSE(ReadOutlineMetrics({"Tahoma", true, false}).has_value());
    TShaper shaper(kArial);
    EXPECT_FALSE(shaper.HasFont());
    EXPECT_TRUE(shaper.Shape(u"Опросный лист שלום", false).empty());
    EXPECT_TRUE(shaper.Shape(u"", true).empty());
}

}  // namespace
}  // namespace lk63::platform
