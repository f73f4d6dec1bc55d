// The font services when no font of the system may travel in a document: a
// bitmap font and Arial's substitutes whose licence forbids embedding. This
// program makes those copies and points fontconfig at them before anything
// asks it for a font.

#include "platform/fonts/font_file.h"
#include "platform/fonts/outline_metrics.h"
#include "platform/fonts/restricted_font.h"
#include "platform/fonts/shaper.h"
#include "platform/fonts/text_measurer.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace lk63::platform {
namespace {

const bool kConfigured = [] {
    for (const char* style : {"Regular", "Bold", "Italic", "BoldItalic"}) {
        const std::string name = std::string("LiberationSans-") + style + ".ttf";
        test::WriteFontWithPermission("/usr/share/fonts/truetype/liberation2/" + name,
                                      std::filesystem::path(LK63_RESTRICTED_FONT_DIR) / name, test::kRestrictedLicence);
    }
    return setenv("FONTCONFIG_FILE", LK63_RESTRICTED_FONT_CONFIG, 1) == 0;
}();

const TFontKey kBitmap{"Lk63 Bitmap", false, false};

// With nothing to embed the best match is given, marked as not embeddable.
TEST(FontsThatCannotTravel, ResolveToTheBestMatchMarkedAsSuch) {
    ASSERT_TRUE(kConfigured);
    const auto bitmap = ResolveFontFile(kBitmap);
    ASSERT_TRUE(bitmap.has_value());
    EXPECT_EQ(std::filesystem::path(bitmap->Path).filename(), "lk63-bitmap.bdf");
    EXPECT_EQ(bitmap->Family, "Lk63 Bitmap");
    EXPECT_FALSE(bitmap->Embeddable);

    const auto arial = ResolveFontFile({"Arial", true, false});
    ASSERT_TRUE(arial.has_value());
    EXPECT_EQ(std::filesystem::path(arial->Path).parent_path(), LK63_RESTRICTED_FONT_DIR);
    EXPECT_EQ(std::filesystem::path(arial->Path).filename(), "LiberationSans-Bold.ttf");
    EXPECT_FALSE(arial->Embeddable);
}

// A bitmap font has no outline tables; the descriptor takes Arial's in its style.
TEST(FontsThatCannotTravel, BitmapFontMetricsComeFromArialInTheSameStyle) {
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

TEST(FontsThatCannotTravel, BitmapFontIsNeitherMeasuredNorShapedWithItsBitmaps) {
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
