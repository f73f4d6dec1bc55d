#include "report/draw_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "fixed_advance_measure.h"
#include "report/font.h"
#include "report/wide_strings.h"

namespace lk63 {
namespace {

// 16 px = 100 measuring units: ten ordinary characters per line.
TrpDrawText MakeLayout(double paragraphGap = 0, double charSpacing = 0, bool wordWrap = true) {
    TrpDrawText dt;
    dt.SetMeasureFunction(testing::FixedAdvances);
    TrpFont font;
    font.SetHeight(-16);  // 12 pt: 100 measuring pixels, a line step of 16 + 2
    dt.ApplyFont(font);
    TrpDrawTextOptions options;
    options.WordWrap = wordWrap;
    dt.ApplyOptions(options);
    dt.ApplySpacing(paragraphGap, charSpacing, 2);
    dt.ApplyBounds({0, 0, 16, 100});
    return dt;
}

std::vector<std::u16string> Texts(const TrpDrawText& dt) {
    std::vector<std::u16string> out;
    for (const auto& line : dt.Lines()) out.push_back(line.Text);
    return out;
}

struct BreakCase {
    const char* Name;
    std::u16string Line;
    std::vector<std::u16string> Expected;
    double ParagraphGap = 0;
    double CharSpacing = 0;
    bool WordWrap = true;
};

TEST(DrawTextBreaking, FollowsTheWidthCharacterByCharacter) {
    const BreakCase cases[] = {
        {"short line", u"abc", {u"abc"}},
        {"exactly the width stays one line", u"aaaa bbbbb", {u"aaaa bbbbb"}},
        {"breaks at the last space, which is consumed", u"aaaa bbbbbb", {u"aaaa", u"bbbbbb"}},
        {"a long word is cut to fill the width", u"aaaaaaaaaaaa", {u"aaaaaaaaaa", u"aa"}},
        {"the second of two spaces starts the next line", u"aaaaaaaaaa  bb", {u"aaaaaaaaaa", u" bb"}},
        {"a character wider than the line gets a line of its own", u"aWb", {u"a", u"W", u"b"}},
        {"one wide character alone is not broken", u"W", {u"W"}},
        {"a no-break space does not break", u"aaaaa\u00A0bbbbbb", {u"aaaaa\u00A0bbbb", u"bb"}},
        {"a hyphen does not break", u"aaaaa-bbbbbb", {u"aaaaa-bbbb", u"bb"}},
        {"a tab does not break", u"aaaaa\tbbbbbb", {u"aaaaa\tbbbb", u"bb"}},
        {"without word wrap a line stays whole", u"aaaa bbbbbb cccc", {u"aaaa bbbbbb cccc"}, 0, 0, false},
        {"the paragraph gap narrows the first line only",
         u"aaaaaaaaaaaaaaaaaaa",
         {u"aaaaaaa", u"aaaaaaaaaa", u"aa"},
         4},
        {"character spacing widens every character", u"aaaaaaaaaaaa", {u"aaaaaa", u"aaaaaa"}, 0, 0.8},
        {"break after several lines", u"aa bb cc dd ee ff gg hh", {u"aa bb cc", u"dd ee ff", u"gg hh"}},
    };
    for (const BreakCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TrpDrawText dt = MakeLayout(c.ParagraphGap, c.CharSpacing, c.WordWrap);
        dt.BreakLines(TWideStrings{c.Line}, false);
        EXPECT_EQ(Texts(dt), c.Expected);
    }
}

TEST(DrawTextBreaking, FlagsStartsAndPlainTextOfSeveralSourceLines) {
    TrpDrawText dt = MakeLayout();
    const TWideStrings text{u"aaaa bbbbbb", u"", u"c"};
    dt.BreakLines(text, false);
    ASSERT_EQ(dt.Lines().size(), 4u);
    EXPECT_EQ(dt.PlainText(), u"aaaa bbbbbb\r\n \r\nc\r\n");  // an empty line counts as a space
    const unsigned flags[] = {kFirstLineOfSource, kLastLineOfSource, kFirstLineOfSource | kLastLineOfSource,
                              kFirstLineOfSource | kLastLineOfSource};
    const std::size_t starts[] = {0, 5, 13, 16};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(dt.Lines()[i].Flags, flags[i]) << i;
        EXPECT_EQ(dt.Lines()[i].Start, starts[i]) << i;
    }
    EXPECT_EQ(dt.WrappedText(), u"aaaa\r\nbbbbbb\r\n \r\nc\r\n");

    dt.BreakLines(text, true, true);
    EXPECT_EQ(dt.Lines().front().Flags, 0u);
    EXPECT_EQ(dt.Lines().back().Flags, kFirstLineOfSource);
}

TEST(DrawTextBreaking, CountsTheLinesItWouldMake) {
    const TWideStrings sources[] = {{}, {u""}, {u"aaaaaaaaaaaaaaaaaaaaaaaaa", u"", u"aa aaaaaa aaaa a"}, {u"WWW", u"W"}};
    for (const double gap : {0.0, 8.0}) {
        for (const bool firstParaBreak : {false, true}) {
            for (const TWideStrings& lines : sources) {
                TrpDrawText dt = MakeLayout(gap);
                const std::size_t counted = dt.CountLines(lines, firstParaBreak);
                dt.BreakLines(lines, firstParaBreak);
                EXPECT_EQ(counted, dt.Lines().size()) << gap << " " << firstParaBreak << " " << lines.Count();
                EXPECT_DOUBLE_EQ(dt.TextHeight(counted), dt.TextHeight());
            }
        }
    }
}

TEST(DrawTextBreaking, AContinuedParagraphUsesTheFullWidthForItsFirstLine) {
    TrpDrawText dt = MakeLayout(4);
    dt.BreakLines(TWideStrings{u"aaaaaaaaaa", u"aaaaaaaaaa"}, true);
    EXPECT_EQ(Texts(dt), (std::vector<std::u16string>{u"aaaaaaaaaa", u"aaaaaaa", u"aaa"}));
}

TEST(DrawTextBreaking, NoSourceLinesGiveNoLines) {
    TrpDrawText dt = MakeLayout();
    dt.BreakLines(TWideStrings{}, false);
    EXPECT_TRUE(dt.Lines().empty());
    EXPECT_EQ(dt.TextHeight(), 0);
    EXPECT_EQ(dt.WidestLine(), 0);
}

TEST(DrawTextBreaking, ALineLongerThanAnyBufferIsMeasuredInFull) {
    TrpDrawText dt = MakeLayout();
    std::u16string line;
    for (int i = 0; i < 40000; ++i) line += u"aaaaaaaaa ";
    dt.BreakLines(TWideStrings{line}, false);
    ASSERT_EQ(dt.Lines().size(), 40000u);
    EXPECT_EQ(dt.Lines().back().Text, u"aaaaaaaaa ");
    EXPECT_EQ(dt.Lines().back().Start, 399990u);
}

// Arabic letters take other forms inside a word than at its end: a line cut
// out of a word measures otherwise alone than inside it. Printed alone, every
// wrapped line still fits, and together they hold the whole text.
TEST(DrawTextBreaking, LinesOfJoiningLettersFitWhenPrintedAlone) {
    for (const std::u16string line : {u"شركةالقاهرةللكهرباءوالإلكترونياتالحديثةشركةالقاهرةللكهرباء",
                                      u"شركة القاهرة للكهرباء والإلكترونيات الحديثة شركة القاهرة"}) {
        for (const int width : {30, 47, 61, 90}) {
            SCOPED_TRACE(width);
            TrpDrawText dt;
            TrpFont font;
            font.SetHeight(-13);
            dt.ApplyFont(font);
            dt.ApplyOptions({});
            dt.ApplyBounds({0, 0, width, 100});
            dt.BreakLines(TWideStrings{line}, false);
            ASSERT_GT(dt.Lines().size(), 1u);
            std::u16string joined;
            for (const TrpWrappedLine& wrapped : dt.Lines()) {
                if (wrapped.Text.size() > 1) {
                    EXPECT_LE(dt.MeasureWidth(wrapped.Text), std::lround(width * 6.25));
                }
                joined += wrapped.Text;
            }
            std::u16string letters = line;
            std::erase(letters, u' ');
            std::erase(joined, u' ');
            EXPECT_EQ(joined, letters);
        }
    }
}

TEST(DrawTextMetrics, MeasuringHeightFollowsTheFontSize) {
    const struct {
        int Height;
        int Expected;
    } cases[] = {{-13, 83}, {-16, 100}, {-19, 117}, {-21, 133}, {-1, 8}};
    for (const auto& c : cases) {
        TrpDrawText dt;
        TrpFont font;
        font.SetHeight(c.Height);
        dt.ApplyFont(font);
        EXPECT_EQ(dt.FontHeight(), c.Expected) << c.Height;
    }
}

TEST(DrawTextMetrics, LineStepAndTextHeight) {
    TrpDrawText dt;
    dt.SetMeasureFunction(testing::FixedAdvances);
    dt.ApplyFont(TrpFont{});  // Arial 10 pt
    dt.ApplyBounds({0, 0, 16, 100});
    dt.ApplySpacing(0, 0, 2);
    EXPECT_DOUBLE_EQ(dt.LineStep(), 15.28);
    dt.BreakLines(TWideStrings{u"a", u"b", u"c"}, false);
    EXPECT_DOUBLE_EQ(dt.TextHeight(), 3 * 15.28);
    // Negative spacing is added back once, so the last line is not cut.
    dt.ApplySpacing(0, 0, -1);
    EXPECT_DOUBLE_EQ(dt.LineStep(), 12.28);
    EXPECT_DOUBLE_EQ(dt.TextHeight(), 3 * 12.28 + 1);
}

TEST(DrawTextMetrics, WidestLineAddsSpacingAndTheParagraphGap) {
    const struct {
        double ParagraphGap, CharSpacing;
        double Expected;
    } cases[] = {
        {0, 0, 8},                   // "aaaaa", 50 units
        {0, 0.8, (50 + 25) / 6.25},  // 5 characters of 5 units more
        {1.6, 0, (50 + 10) / 6.25},  // the first line of its source line
    };
    for (const auto& c : cases) {
        TrpDrawText dt = MakeLayout(c.ParagraphGap, c.CharSpacing);
        dt.ApplyBounds({0, 0, 1000, 100});
        dt.BreakLines(TWideStrings{u"aaa", u"aaaaa"}, false);
        EXPECT_DOUBLE_EQ(dt.WidestLine(), c.Expected) << c.ParagraphGap << " " << c.CharSpacing;
    }
}

// The shortcut for a line that breaking leaves whole gives what breaking
// the line alone gives, whatever the spacing, wrapping and width.
TEST(DrawTextMetrics, WidestLineAloneIsTheWidestLineOfTheLineBrokenAlone) {
    std::u16string longLine;
    for (int i = 0; i < 500; ++i) longLine += u"aaaaaaaaa ";
    const std::u16string lines[] = {u"a",         u"W",          u"aaaa",        u"aaaaaaaaa",  u"aaaaaaaaaa",
                                    u"aaaaaaaaaaa", u"aaa aaa aaa", u"aW aa",       u"   aa   ",   longLine};
    for (const double gap : {0.0, 3.2}) {
        for (const double spacing : {0.0, 0.8, -0.8}) {
            for (const bool wrap : {true, false}) {
                for (const std::u16string& line : lines) {
                    SCOPED_TRACE(::testing::Message() << gap << " " << spacing << " " << wrap << " " << line.size());
                    TrpDrawText broken = MakeLayout(gap, spacing, wrap);
                    broken.BreakLines(TWideStrings{line}, false);
                    TrpDrawText alone = MakeLayout(gap, spacing, wrap);
                    EXPECT_DOUBLE_EQ(alone.WidestLineAlone(line), broken.WidestLine());
                }
            }
        }
    }
    // Shaped text, measured by the platform.
    for (const std::u16string line : {u"شركة القاهرة", u"Опросный лист"}) {
        for (const int width : {20, 300}) {
            TrpDrawText broken, alone;
            for (TrpDrawText* dt : {&broken, &alone}) {
                dt->ApplyFont(TrpFont{});
                dt->ApplyOptions({});
                dt->ApplyBounds({0, 0, width, 100});
            }
            broken.BreakLines(TWideStrings{line}, false);
            EXPECT_DOUBLE_EQ(alone.WidestLineAlone(line), broken.WidestLine()) << width;
        }
    }
}

TEST(DrawTextMetrics, FreeHeightBelowTheWholeLines) {
    const struct {
        int AvailableHeight;
        double Expected;
    } cases[] = {
        {17, 0},       // not one line of 18
        {18, 0.0001},  // exactly one line
        {20, 2},      {36, 0.0001}, {50, 14}, {0, 0},
    };
    for (const auto& c : cases) {
        TrpDrawText dt = MakeLayout();
        dt.ApplyBounds({0, 10, 16, 10 + c.AvailableHeight - 1});
        EXPECT_DOUBLE_EQ(dt.FreeHeight(), c.Expected) << c.AvailableHeight;
    }
}

struct FitCase {
    const char* Name;
    TWideStrings Text;
    int AvailableHeight;
    std::u16string Fitting, Rest;
    bool Continues;
};

TEST(DrawTextFitting, KeepsTheLinesThatFitAndHandsOnTheRest) {
    // "aaaa bbbbbb cccc" wraps into "aaaa", "bbbbbb", "cccc"; a line is 18 px.
    const TWideStrings three{u"aaaa bbbbbb cccc"};
    const FitCase cases[] = {
        {"all lines fit", three, 60, u"aaaa bbbbbb cccc\r\n", u"", false},
        {"two of three fit", three, 36, u"aaaa bbbbbb ", u"cccc\r\n", true},
        {"not one line fits", three, 17, u"", u"aaaa bbbbbb cccc\r\n", false},
        {"a cut between source lines does not continue", TWideStrings{u"aa", u"bb"}, 18, u"aa\r\n", u"bb\r\n",
         false},
        {"one leading space of a continued rest is dropped", TWideStrings{u"aaaaaaaaaa  bb"}, 18,
         u"aaaaaaaaaa ", u"bb\r\n", true},
        {"no lines", TWideStrings{}, 10, u"", u"", false},
    };
    for (const FitCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TrpDrawText dt = MakeLayout();
        dt.ApplyBounds({0, 0, 16, c.AvailableHeight - 1});
        const TrpFittingLines fit = dt.TakeFittingLines(c.Text, false, false);
        EXPECT_EQ(fit.Fitting, c.Fitting);
        EXPECT_EQ(fit.Rest, c.Rest);
        EXPECT_EQ(fit.Continues, c.Continues);
    }
}

}  // namespace
}  // namespace lk63
