#include "report/page.h"

#include <gtest/gtest.h>

#include <set>

#include "report/paper_sizes.h"
#include "report/units.h"

namespace lk63 {
namespace {

TEST(PaperSizes, CoverTheCodesOneToSixtyEightExceptTheTwoReservedOnes) {
    std::set<int> codes;
    for (const TrpPaperSize& p : PaperSizes()) {
        EXPECT_TRUE(codes.insert(p.Code).second) << "code " << p.Code << " twice";
        EXPECT_GT(p.Width, 0);
        EXPECT_GT(p.Height, 0);
    }
    std::set<int> expected;
    for (int code = 1; code <= 68; ++code) {
        if (code != 48 && code != 49) expected.insert(code);
    }
    EXPECT_EQ(codes, expected);
    EXPECT_FALSE(FindPaperSize(48));
    EXPECT_FALSE(FindPaperSize(0));
    EXPECT_FALSE(FindPaperSize(69));
}

TEST(PaperSizes, KnownCodesGiveTheirPublishedSizes) {
    struct Case {
        int code, width, height;
    } const cases[] = {
        {1, 2159, 2794},  {5, 2159, 3556},  {8, 2970, 4200},  {9, 2100, 2970},  {11, 1480, 2100},
        {13, 1820, 2570}, {20, 1048, 2413}, {27, 1100, 2200}, {66, 4200, 5940}, {68, 3220, 4450},
    };
    for (const Case& c : cases) {
        const auto p = FindPaperSize(c.code);
        ASSERT_TRUE(p) << c.code;
        EXPECT_EQ(p->Width, c.width) << c.code;
        EXPECT_EQ(p->Height, c.height) << c.code;
    }
}

TEST(ReportPage, A4PortraitIsTheDefaultAndMeasures794By1123) {
    TrpReportPage page;
    EXPECT_EQ(page.PaperSize(), 9);
    EXPECT_EQ(page.PaperWidth(), 210);
    EXPECT_EQ(page.PaperHeight(), 297);
    EXPECT_EQ(page.Width(), 794);
    EXPECT_EQ(page.Height(), 1123);
    EXPECT_EQ(page.Orientation(), TrpPrinterOrientation::poPortrait);
    EXPECT_EQ(page.Bin, 7);
    EXPECT_EQ(page.PageCount, 1);
    EXPECT_TRUE(page.PrintIfEmpty && page.TitleBeforeHeader);
}

TEST(ReportPage, PaperCodesSizesAndOrientationWorkTogether) {
    struct Case {
        const char* what;
        void (*apply)(TrpReportPage&);
        int code;
        double paperWidth, paperHeight, width, height;
    } const cases[] = {
        {"A5", [](TrpReportPage& p) { p.SetPaperSize(11); }, 11, 148, 210, 559, 794},
        {"A3 landscape",
         [](TrpReportPage& p) {
             p.SetOrientation(TrpPrinterOrientation::poLandscape);
             p.SetPaperSize(8);
         },
         8, 420, 297, 1587, 1123},
        {"A4 turned", [](TrpReportPage& p) { p.SetOrientation(TrpPrinterOrientation::poLandscape); }, 9, 297,
         210, 1123, 794},
        {"unknown code keeps the size", [](TrpReportPage& p) { p.SetPaperSize(48); }, 48, 210, 297, 794,
         1123},
        {"custom width", [](TrpReportPage& p) { p.SetPaperWidth(100.123456789); }, 256, 100.12345679, 297,
         378, 1123},
        {"custom height", [](TrpReportPage& p) { p.SetPaperHeight(99.999999996); }, 256, 210, 100, 794, 378},
        {"code 256 keeps the size",
         [](TrpReportPage& p) {
             p.SetPaperWidth(50);
             p.SetPaperSize(256);
         },
         256, 50, 297, 189, 1123},
    };
    for (const Case& c : cases) {
        TrpReportPage page;
        c.apply(page);
        EXPECT_EQ(page.PaperSize(), c.code) << c.what;
        EXPECT_DOUBLE_EQ(page.PaperWidth(), c.paperWidth) << c.what;
        EXPECT_DOUBLE_EQ(page.PaperHeight(), c.paperHeight) << c.what;
        EXPECT_EQ(page.Width(), c.width) << c.what;
        EXPECT_EQ(page.Height(), c.height) << c.what;
    }
}

}  // namespace
}  // namespace lk63
