// The font services when a family resolves to a font without outlines. This
// program points fontconfig at a configuration with a bitmap font and the
// Arial substitutes before anything asks it for a font.

#include "platform/fonts/font_file.h"
#include "platform/fonts/outline_metrics.h"
#include "platform/fonts/shaper.h"
#include "platform/fonts/text_measurer.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace lk63::platform {
namespace {

const bool kConfigured = setenv("FONTCONFIG_FILE", LK63_BITMAP_FONT_CONFIG, 1) == 0;

const TFontKey kBitmap{"Lk63 Bitmap", false, false};

TEST(BitmapFont, ResolvesToTheBitmapFile) {
    ASSERT_TRUE(kConfigured);
    const auto file = ResolveFontFile(kBitmap);
    ASSERT_TRUE(file.has_value());
    EXPECT_EQ(std::filesystem::path(file->Path).filename(), "lk63-bitmap.bdf");
    EXPECT_EQ(file->Family, "Lk63 Bitmap");
}

// Such a font has no outline tables; the descriptor takes Arial's in its style.
TEST(BitmapFont, MetricsComeFromArialInTheSameStyle) {
    ASSERT_TRUE(kConfigured);
    for (const bool bold : {false, true}) {
        const auto metrics = ReadOutlineMetrics({"Lk63 Bitmap", bold, false});
        const auto arial = ReadOutlineMetrics({"Arial", bold, false});
        ASSERT_TRUE(metrics.has_value());
        ASSERT_TRUE(arial.has_value());
        EXPECT_EQ(*metrics, *arial);
        EXPECT_EQ(metrics->Weight, bold ? 700 : 400);
    }
}

TEST(BitmapFont, NeitherMeasuredNorShapedWithItsBitmaps) {
    ASSERT_TRUE(kConfigured);
    std::vector<int> positions;
    SharedTextMeasurer().Measure(kBitmap, 83, u"AAж", positions);
    EXPECT_EQ(positions, (std::vector<int>{42, 84, 126}));
    TShaper shaper(kBitmap);
    EXPECT_FALSE(shaper.HasFont());
    EXPECT_TRUE(shaper.Shape(u"AA", false).empty());
}

}  // namespace
}  // namespace lk63::platform
