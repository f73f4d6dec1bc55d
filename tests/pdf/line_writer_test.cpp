#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "pdf/color_operand.h"
#include "pdf/line_writer.h"
#include "pdf/page_state.h"
#include "report/band.h"
#include "report/memo_view.h"
#include "report/page.h"
#include "report/units.h"

namespace lk63 {
namespace {

// An A4 page with 10 mm margins, as the export opens it.
TrpPDFPageState A4Page() { return {210 * rp01cm * 0.75, 297 * rp01cm * 0.75, 0.5, 0.5}; }

struct LineCase {
    const char* name;
    TrpFrameStyle style;
    double width;
    TrpColor color;
    double left, top, w, h;  // in the band, whose top is 740.78788 on the page
    const char* expected;
};

class LineWriterTest : public testing::TestWithParam<LineCase> {};

TEST_P(LineWriterTest, WritesOneSegmentFromTopLeftToBottomRight) {
    const LineCase& c = GetParam();
    TrpReportPage page;
    page.SetLeft(10 * rp01cm);
    page.SetTop(10 * rp01cm);
    auto* band = page.Add(std::make_unique<TrpFooter>());
    band->SetBounds(0, 740.78788, 718.1107, 22.67718);
    auto* line = band->Add(std::make_unique<TrpLineView>());
    line->SetBounds(c.left, c.top, c.w, c.h);
    line->Frame.SetStyle(c.style);
    line->Frame.SetWidth(c.width);
    line->Frame.SetColor(c.color);
    line->Frame.SetTyp(static_cast<std::uint8_t>(TrpFrameSide::ftTop));

    std::string content;
    TrpColorOperand colors;
    WriteLineView(content, *line, A4Page(), colors);
    EXPECT_EQ(content, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, LineWriterTest,
    testing::Values(
        // The closing line of the questionnaire: 718.11 px wide, height 0,
        // one horizontal segment of 538.58 points.
        LineCase{"ClosingLine", TrpFrameStyle::fsSolid, 1, clBlack, 0, 0, 718.1107, 0,
                 "[] 0 d\r\n0 0 0 RG\r\n0.75 w\r\n28.85 257.45 m\r\n567.43 257.45 l\r\nS\r\n"},
        LineCase{"DashedGreyTwoPixels", TrpFrameStyle::fsDash, 2, clGray, 0, 0, 718.1107, 0,
                 "[12.00 ] 0 d\r\n0.50 0.50 0.50 RG\r\n1.50 w\r\n28.85 257.45 m\r\n567.43 257.45 l\r\nS\r\n"},
        LineCase{"Diagonal", TrpFrameStyle::fsDot, 1, 0x0000FF, 100, 4, 20, 8,
                 "[2.00 6.00 ] 0 d\r\n1.00 0.00 0.00 RG\r\n0.75 w\r\n103.85 254.45 m\r\n118.85 248.45 l\r\nS\r\n"},
        LineCase{"Vertical", TrpFrameStyle::fsSolid, 1, clBlack, 10, 0, 0, 10,
                 "[] 0 d\r\n0 0 0 RG\r\n0.75 w\r\n36.35 257.45 m\r\n36.35 249.95 l\r\nS\r\n"}),
    [](const testing::TestParamInfo<LineCase>& info) { return std::string(info.param.name); });

TEST(PageState, ConvertsPixelsFromTheTopLeftToPointsFromTheBottomLeft) {
    const TrpPDFPageState page = A4Page();
    EXPECT_NEAR(page.Width, 595.28, 0.005);
    EXPECT_NEAR(page.Height, 841.89, 0.005);
    EXPECT_NEAR(page.X(0), 0.5, 1e-12);
    EXPECT_NEAR(page.Y(0), 841.39, 0.005);
    EXPECT_NEAR(page.Y(297 * rp01cm), -0.5, 1e-9);  // the paper's bottom edge
    const TrpPDFViewBox box(page, 37.7953, 37.7953, 718.1107, 26.45671);
    EXPECT_EQ(box.X0, "28.85");
    EXPECT_EQ(box.Y0, "813.04");
    EXPECT_EQ(box.X1, "567.43");
    EXPECT_EQ(box.Y1, "793.20");
    EXPECT_EQ(box.W, "538.58");
    EXPECT_EQ(box.H, "19.84");
}

}  // namespace
}  // namespace lk63
