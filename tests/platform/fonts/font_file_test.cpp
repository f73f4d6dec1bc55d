#include "platform/fonts/font_file.h"

#include "platform/fonts/font_key_print.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace lk63::platform {
namespace {

struct TResolveCase {
    TFontKey Key;
    const char* FileName;
    const char* Family;
};

void PrintTo(const TResolveCase& c, std::ostream* out) { PrintTo(c.Key, out); }

class ResolveFontFileTest : public testing::TestWithParam<TResolveCase> {};

TEST_P(ResolveFontFileTest, FindsTheFileAViewerDraws) {
    const TResolveCase& c = GetParam();
    const auto file = ResolveFontFile(c.Key);
    ASSERT_TRUE(file.has_value());
    EXPECT_EQ(std::filesystem::path(file->Path).filename(), c.FileName);
    EXPECT_EQ(file->Family, c.Family);
    EXPECT_EQ(file->Index, 0);
    EXPECT_TRUE(std::filesystem::is_regular_file(file->Path));
}

INSTANTIATE_TEST_SUITE_P(
    Families, ResolveFontFileTest,
    testing::Values(TResolveCase{{"Arial", false, false}, "LiberationSans-Regular.ttf", "Liberation Sans"},
                    TResolveCase{{"Arial", true, false}, "LiberationSans-Bold.ttf", "Liberation Sans"},
                    TResolveCase{{"Arial", false, true}, "LiberationSans-Italic.ttf", "Liberation Sans"},
                    TResolveCase{{"Arial", true, true}, "LiberationSans-BoldItalic.ttf", "Liberation Sans"},
                    TResolveCase{{"arial", false, false}, "LiberationSans-Regular.ttf", "Liberation Sans"},
                    TResolveCase{{"Times New Roman", false, false}, "LiberationSerif-Regular.ttf", "Liberation Serif"},
                    TResolveCase{{"DejaVu Sans", true, false}, "DejaVuSans-Bold.ttf", "DejaVu Sans"}));

TEST(ResolveFontFile, UnknownFamilyFallsBackToTheSystemDefault) {
    const auto unknown = ResolveFontFile({"No Such Family 7f3a", false, false});
    const auto fallback = ResolveFontFile({"sans-serif", false, false});
    ASSERT_TRUE(unknown.has_value());
    ASSERT_TRUE(fallback.has_value());
    EXPECT_EQ(*unknown, *fallback);
    EXPECT_TRUE(std::filesystem::is_regular_file(unknown->Path));
}

TEST(ResolveFontFile, WindowFamiliesResolveToUsableFiles) {
    for (const char* family : {"MS Sans Serif", "Arial Unicode MS", "Tahoma", ""}) {
        const auto file = ResolveFontFile({family, false, false});
        ASSERT_TRUE(file.has_value()) << family;
        EXPECT_TRUE(std::filesystem::is_regular_file(file->Path)) << family;
    }
}

}  // namespace
}  // namespace lk63::platform
