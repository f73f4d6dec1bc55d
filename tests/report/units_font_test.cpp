#include <gtest/gtest.h>

#include "report/font.h"
#include "report/units.h"
#include "report/wide_strings.h"

namespace lk63 {
namespace {

TEST(Units, RoundingSendsHalvesToTheEvenNeighbour) {
    struct Case {
        double value;
        std::int64_t rounded;
    } const cases[] = {
        {2.5, 2},       {3.5, 4},        {-2.5, -2},         {-3.5, -4},   {0.5, 0},
        {1.5, 2},       {2212.5, 2212},  {2162.5, 2162},     {887.5, 888}, {2.4999999, 2},
        {2.5000001, 3}, {793.7013, 794}, {1122.52041, 1123}, {-0.4, 0},
    };
    for (const Case& c : cases) EXPECT_EQ(RoundToInt(c.value), c.rounded) << c.value;
}

TEST(Units, RoundingClampsWhatDoesNotFit) {
    EXPECT_EQ(RoundToInt(std::nan("")), 0);
    EXPECT_GT(RoundToInt(1e300), 0);
    EXPECT_LT(RoundToInt(-HUGE_VAL), 0);
}

TEST(Units, PrintableWidthOfA4WithTenMillimetreMargins) {
    EXPECT_NEAR((210 - 20) * rp01cm, 718.1107, 1e-9);
    EXPECT_DOUBLE_EQ(rp1cm, 10 * rp01cm);
    EXPECT_DOUBLE_EQ(rp1in, 10 * rp01in);
}

TEST(Font, SizeAndHeightConvertWithHalvesAwayFromZero) {
    struct Case {
        int height;
        int size;
    } const heights[] = {{-13, 10}, {-16, 12}, {-19, 14}, {-21, 16}, {-1, 1},
                         {-2, 2},   {2, -2},   {0, 0},    {-96, 72}};
    for (const Case& c : heights) {
        TrpFont f;
        f.SetHeight(c.height);
        EXPECT_EQ(f.Size(), c.size) << "height " << c.height;
        EXPECT_EQ(f.Height(), c.height);
    }
    struct SizeCase {
        int size;
        int height;
    } const sizes[] = {{10, -13}, {12, -16}, {14, -19}, {16, -21}, {1, -1}, {9, -12}, {11, -15}, {-3, 4}};
    for (const SizeCase& c : sizes) {
        TrpFont f;
        f.SetSize(c.size);
        EXPECT_EQ(f.Height(), c.height) << "size " << c.size;
    }
}

TEST(Font, DefaultIsArialTenPointBlackDefaultCharset) {
    const TrpFont f;
    EXPECT_EQ(f.Name(), "Arial");
    EXPECT_EQ(f.Size(), 10);
    EXPECT_EQ(f.Color(), clBlack);
    EXPECT_EQ(f.Style(), 0);
    EXPECT_EQ(f.Charset(), DEFAULT_CHARSET);
}

TEST(WideStrings, SplitsAtEveryLineBreakAndJoinsWithCrLf) {
    struct Case {
        std::u16string text;
        std::vector<std::u16string> lines;
    } const cases[] = {
        {u"", {}},
        {u"one", {u"one"}},
        {u"one\r\n", {u"one"}},
        {u"\r\n", {u""}},
        {u"a\r\nb\rc\nd\u2028e", {u"a", u"b", u"c", u"d", u"e"}},
        {u"a\r\n\r\n", {u"a", u""}},
        {u"a\n\rb", {u"a", u"", u"b"}},
        {u"\r\r\n\n", {u"", u"", u""}},
    };
    for (const Case& c : cases) {
        TWideStrings w;
        w.SetText(c.text);
        EXPECT_EQ(w.Lines(), c.lines);
    }
    TWideStrings w{u"first", u"", u"third"};
    EXPECT_EQ(w.Text(), u"first\r\n\r\nthird\r\n");
    TWideStrings back;
    back.SetText(w.Text());
    EXPECT_EQ(back, w);
}

}  // namespace
}  // namespace lk63
