#include "platform/fonts/outline_metrics.h"

#include "platform/fonts/font_file.h"
#include "platform/fonts/font_key_print.h"

#include <gtest/gtest.h>

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cmath>

namespace lk63::platform {
namespace {

struct TMetricsCase {
    TFontKey Font;
    int Weight;
    int ItalicAngle;
};

void PrintTo(const TMetricsCase& c, std::ostream* out) { PrintTo(c.Font, out); }

class OutlineMetricsTest : public testing::TestWithParam<TMetricsCase> {};

// What FreeType's own face record says, scaled to an em of 1000.
struct TFaceRecord {
    int Left, Bottom, Right, Top, Ascent, Descent, MaxAdvance;
};

TFaceRecord FaceRecordOf(const TFontKey& font) {
    const auto file = ResolveFontFile(font);
    EXPECT_TRUE(file.has_value());
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    EXPECT_EQ(FT_Init_FreeType(&library), 0);
    EXPECT_EQ(FT_New_Face(library, file->Path.c_str(), file->Index, &face), 0);
    const auto em = [face](long units) { return static_cast<int>(std::lround(units * 1000.0 / face->units_per_EM)); };
    const TFaceRecord record{em(face->bbox.xMin), em(face->bbox.yMin), em(face->bbox.xMax),      em(face->bbox.yMax),
                             em(face->ascender),  em(face->descender), em(face->max_advance_width)};
    FT_Done_Face(face);
    FT_Done_FreeType(library);
    return record;
}

TEST_P(OutlineMetricsTest, ReadsTheResolvedFileAtEm1000) {
    const TMetricsCase& c = GetParam();
    const auto metrics = ReadOutlineMetrics(c.Font);
    ASSERT_TRUE(metrics.has_value());
    EXPECT_EQ(metrics->Weight, c.Weight);
    EXPECT_EQ(metrics->ItalicAngle, c.ItalicAngle);

    const TFaceRecord face = FaceRecordOf(c.Font);
    EXPECT_EQ(metrics->Left, face.Left);
    EXPECT_EQ(metrics->Bottom, face.Bottom);
    EXPECT_EQ(metrics->Right, face.Right);
    EXPECT_EQ(metrics->Top, face.Top);
    EXPECT_EQ(metrics->Ascent, face.Ascent);
    EXPECT_EQ(metrics->Descent, face.Descent);
    EXPECT_EQ(metrics->MaxCharWidth, face.MaxAdvance);

    // Arial's metrics, which its substitute keeps: ascent 1854 and descent
    // 434 of 2048 units, in the typographic and the Windows tables alike.
    EXPECT_EQ(metrics->Ascent, 905);
    EXPECT_EQ(metrics->Descent, -212);
    EXPECT_EQ(metrics->CellHeight, 1117);
    EXPECT_EQ(metrics->InternalLeading, 117);
    EXPECT_GT(metrics->AvgCharWidth, 400);
    EXPECT_LT(metrics->AvgCharWidth, metrics->MaxCharWidth);
    EXPECT_LT(metrics->Left, 0);
    EXPECT_LT(metrics->Bottom, metrics->Descent);
    EXPECT_GT(metrics->Top, metrics->Ascent);
}

INSTANTIATE_TEST_SUITE_P(Styles, OutlineMetricsTest,
                         testing::Values(TMetricsCase{{"Arial", false, false}, 400, 0},
                                         TMetricsCase{{"Arial", true, false}, 700, 0},
                                         TMetricsCase{{"Arial", false, true}, 400, -120},
                                         TMetricsCase{{"Arial", true, true}, 700, -120}));

TEST(OutlineMetrics, EachStyleHasItsOwnFile) {
    const auto regular = ReadOutlineMetrics({"Arial", false, false});
    const auto bold = ReadOutlineMetrics({"Arial", true, false});
    ASSERT_TRUE(regular && bold);
    EXPECT_GT(bold->AvgCharWidth, regular->AvgCharWidth);
    EXPECT_NE(bold->Right, regular->Right);
}

TEST(OutlineMetrics, OtherFamiliesGiveTheirOwnValues) {
    const auto arial = ReadOutlineMetrics({"Arial", false, false});
    const auto dejavu = ReadOutlineMetrics({"DejaVu Sans", false, false});
    ASSERT_TRUE(arial && dejavu);
    EXPECT_EQ(dejavu->Weight, 400);
    EXPECT_NE(dejavu->Ascent, arial->Ascent);
    EXPECT_EQ(dejavu->InternalLeading, dejavu->CellHeight - 1000);
}

}  // namespace
}  // namespace lk63::platform
