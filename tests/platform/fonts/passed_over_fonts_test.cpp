// A font that may not travel in a document is passed over for the next one
// fontconfig offers: measuring, shaping and the descriptor all use that one.
// This program makes copies of Arial's substitutes whose licence forbids
// embedding and points fontconfig at them, a bitmap font and DejaVu Sans
// before anything asks it for a font.

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
                                      std::filesystem::path(LK63_PASSED_OVER_FONT_DIR) / name, test::kRestrictedLicence);
    }
    return setenv("FONTCONFIG_FILE", LK63_PASSED_OVER_FONT_CONFIG, 1) == 0;
}();

std::vector<int> Positions(const TFontKey& font, std::u16string_view line) {
    std::vector<int> positions;
    SharedTextMeasurer().Measure(font, 83, line, positions);
    return positions;
}

TEST(PassedOverFonts, ArialWithoutEmbeddingIsReplacedByTheNextFontOffered) {
    ASSERT_TRUE(kConfigured);
    struct Case {
        TFontKey Key;
        const char* FileName;
    } const cases[] = {
        {{"Arial", false, false}, "DejaVuSans.ttf"},
        {{"Arial", true, false}, "DejaVuSans-Bold.ttf"},
        {{"Arial", false, true}, "DejaVuSans-Oblique.ttf"},
        {{"Arial", true, true}, "DejaVuSans-BoldOblique.ttf"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.FileName);
        const auto file = ResolveFontFile(c.Key);
        ASSERT_TRUE(file.has_value());
        EXPECT_EQ(std::filesystem::path(file->Path).filename(), c.FileName);
        EXPECT_EQ(file->Family, "DejaVu Sans");
        EXPECT_TRUE(file->Embeddable);

        const TFontKey dejaVu{"DejaVu Sans", c.Key.Bold, c.Key.Italic};
        EXPECT_EQ(ReadOutlineMetrics(c.Key), ReadOutlineMetrics(dejaVu));
        EXPECT_EQ(Positions(c.Key, u"Опросный лист"), Positions(dejaVu, u"Опросный лист"));
        TShaper arial(c.Key);
        TShaper replacement(dejaVu);
        EXPECT_EQ(arial.Shape(u"Опросный лист", false), replacement.Shape(u"Опросный лист", false));
    }
}

TEST(PassedOverFonts, BitmapFontIsReplacedByAnOutlineFont) {
    ASSERT_TRUE(kConfigured);
    const auto file = ResolveFontFile({"Lk63 Bitmap", false, false});
    ASSERT_TRUE(file.has_value());
    EXPECT_TRUE(file->Embeddable);
    EXPECT_EQ(std::filesystem::path(file->Path).extension(), ".ttf");
    TShaper shaper({"Lk63 Bitmap", false, false});
    EXPECT_TRUE(shaper.HasFont());
    EXPECT_EQ(Positions({"Lk63 Bitmap", false, false}, u"AAж"), Positions({file->Family, false, false}, u"AAж"));
}

}  // namespace
}  // namespace lk63::platform
