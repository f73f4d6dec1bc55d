#include "report/memo_layout.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "report/band.h"
#include "report/memo_view.h"
#include "report/page.h"
#include "fixed_advance_measure.h"

namespace lk63 {
namespace {

// A memo of the questionnaire's kind, framed on all sides, on a band of an A4 page.
struct MemoOnPage {
    TrpReportPage page;
    TrpMasterData* band;
    TrpMemoView* memo;

    explicit MemoOnPage(double left = 0, double width = 718.1107, double gapX = 5, double bandTop = 340.1577) {
        band = page.Add(std::make_unique<TrpMasterData>());
        band->SetBounds(0, bandTop, 718.1107, 18.89765);
        memo = band->Add(std::make_unique<TrpMemoView>());
        memo->SetBounds(left, 0, width, 18.89765);
        TrpFont font;
        font.SetHeight(-13);
        memo->SetFont(font);
        memo->Frame.SetTyp(kAllFrameSides);
        memo->GapX = gapX;
        memo->StretchMode = TrpStretchMode::smActualHeight;
    }
};

TEST(MemoTextRect, WidthsOfTheQuestionnaireMemos) {
    const struct {
        const char* Memo;
        double Left, Width, GapX;
        int ExpectedWidth;
    } cases[] = {
        {"full width", 0, 718.1107, 5, 709},       {"Memo16", 272.12616, 445.98454, 5, 437},
        {"Memo21", 0, 272.12616, 5, 263},          {"Memo2", 0, 362.83488, 5, 354},
        {"Memo3", 362.83488, 355.27582, 5, 346},   {"default gap", 0, 718.1107, 2, 715},
    };
    for (const auto& c : cases) {
        MemoOnPage m(c.Left, c.Width, c.GapX);
        const TrpTextRect r = MemoTextRect(*m.memo);
        EXPECT_EQ(r.Right - r.Left, c.ExpectedWidth) << c.Memo;
        // 340.1577 + 18.89765 = 359.05535; one pixel of gap on each side.
        EXPECT_EQ(r.Top, 341) << c.Memo;
        EXPECT_EQ(r.Bottom, 359) << c.Memo;
    }
}

TEST(MemoTextRect, FrameWidthsAndShadowNarrowTheText) {
    MemoOnPage m(0, 100, 2, 0);
    m.memo->Frame.SetWidth(3);
    m.memo->Frame.DropShadow = true;
    const TrpTextRect r = MemoTextRect(*m.memo);
    EXPECT_EQ(r, (TrpTextRect{0 + 1 + 2, 0 + 1 + 1, 100 - 4 - 2 - 2 + 1, 19 - 4 - 2 - 1 + 1}));
    EXPECT_DOUBLE_EQ(VerticalInset(*m.memo), 2 + 1 + 1.5 + 4);
    EXPECT_DOUBLE_EQ(HorizontalInset(*m.memo), 4 + 1 + 1.5 + 4);
    m.memo->Frame.SetTyp(0);
    m.memo->Frame.DropShadow = false;
    EXPECT_EQ(MemoTextRect(*m.memo), (TrpTextRect{2, 1, 99, 19}));
    EXPECT_DOUBLE_EQ(VerticalInset(*m.memo), 2);
}

TEST(MemoCalcHeight, QuestionnaireFiguresWithTheInstalledArial) {
    const std::u16string word = u"Организация ";
    std::u16string twoLines, threeLines;
    for (int i = 0; i < 6; ++i) twoLines += word;
    for (int i = 0; i < 11; ++i) threeLines += word;
    const struct {
        const char* Name;
        TWideStrings Text;
        double Expected;
    } cases[] = {
        {"one line", TWideStrings{u"ООО Ромашка"}, 18},
        {"two lines", TWideStrings{twoLines}, 33},
        {"three lines", TWideStrings{threeLines}, 48},
        {"an empty expanded text is one blank line", TWideStrings{u""}, 18},
        {"no lines at all: just the inset", TWideStrings{}, 2},
    };
    for (const auto& c : cases) {
        MemoOnPage m(272.12616, 445.98454);
        m.memo->Memo = c.Text;
        EXPECT_EQ(CalcHeight(*m.memo), c.Expected) << c.Name;
    }
}

TEST(MemoCalcHeight, OnePointOrderCodeWithoutWordWrap) {
    MemoOnPage m(566.9295, 151.1812);
    m.memo->SetBounds(566.9295, 7.55906, 151.1812, 15.11811024);
    TrpFont font;
    font.SetHeight(-1);
    m.memo->SetFont(font);
    m.memo->Frame.SetTyp(0);
    m.memo->WordWrap = false;
    m.memo->Memo = TWideStrings{u"ЛК63-19-2500S-3P-TK71-220AC-RS485-MD220-CS220-SR220-UR220-TD-AX4-KI-MI-AC2-IB "
                                u"ЛК63-19-2500S-3P-TK71-220AC-RS485-MD220-CS220-SR220-UR220-TD-AX4-KI-MI-AC2-IB"};
    EXPECT_EQ(CalcHeight(*m.memo), 5);
}

class MemoWithFixedAdvances : public testing::FixedAdvanceTest {};

std::u16string RepeatedWords(std::size_t count, std::u16string_view words) {
    std::u16string text;
    for (std::size_t i = 0; i < count; ++i) {
        if (i > 0) text += u' ';
        text += words;
    }
    return text;
}

// A line far longer than what is measured at a time breaks exactly as a
// short one: 10 units a character, 100 units a line.
TEST_F(MemoWithFixedAdvances, LongLinesBreakAsShortOnesDo) {
    std::u16string pairs = u"a";
    for (int i = 0; i < 50000; ++i) pairs += u"\U0001F600";
    const struct {
        const char* Name;
        std::u16string Line;
        std::u16string FirstLine, OtherLines;  // every line after the first
        std::size_t Count;
    } cases[] = {
        {"words", RepeatedWords(20000, u"abcd"), u"abcd abcd", u"abcd abcd", 10000},
        {"one long word", std::u16string(100000, u'a'), std::u16string(10, u'a'), std::u16string(10, u'a'), 10000},
        // A pair is 20 units; no line ends between its halves, also where a
        // measured window would.
        {"surrogate pairs", pairs, u"a\U0001F600\U0001F600\U0001F600\U0001F600",
         u"\U0001F600\U0001F600\U0001F600\U0001F600\U0001F600", 10001},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        MemoOnPage m(0, 16 + 2 * 5, 5, 0);
        m.memo->SetFont(TrpFont{});
        TrpDrawText& dt = GlobalDrawText();
        SetUpDrawText(dt, *m.memo, MemoTextRect(*m.memo));
        dt.BreakLines(TWideStrings{c.Line}, false);
        const std::vector<TrpWrappedLine>& lines = dt.Lines();
        ASSERT_EQ(lines.size(), c.Count);
        std::size_t wrong = 0;
        for (std::size_t k = 1; k + 1 < lines.size(); ++k) wrong += lines[k].Text != c.OtherLines;
        EXPECT_EQ(lines.front().Text, c.FirstLine);
        EXPECT_EQ(wrong, 0u) << "lines unlike the others";

        // The first lines alone, appended to what is there.
        std::vector<TrpLineSpan> spans{{7, 7}};
        dt.BreakSourceLine(c.Line, false, spans, 3);
        ASSERT_EQ(spans.size(), 4u);
        for (std::size_t k = 0; k < 3; ++k) {
            EXPECT_EQ(c.Line.substr(spans[k + 1].Start, spans[k + 1].Length), lines[k].Text) << k;
        }
    }
}

// A memo of one long line cut into parts: each part takes as many lines as
// its height holds, and together they give back every character once.
TEST_F(MemoWithFixedAdvances, PartsOfALongLineTakeEveryCharacterOnce) {
    const std::u16string line = RepeatedWords(20000, u"abcd");  // 10000 lines of "abcd abcd"
    MemoOnPage m(0, 16 + 2 * 5, 5, 0);
    m.memo->SetFont(TrpFont{});
    m.memo->Memo = TWideStrings{line};
    TrpMemoParts parts;
    parts.Begin(*m.memo);
    m.memo->SetHeight(18.89765 * 20);  // 378 px: 24 lines of 15.28
    std::u16string joined;
    std::size_t count = 0;
    while (!parts.Done()) {
        ASSERT_LT(count, 1000u);
        parts.TakePart(*m.memo);
        ++count;
        const std::size_t expected = count <= 416 ? 24 : 16;  // 10000 = 416 x 24 + 16
        EXPECT_EQ(parts.TakenLines(), expected) << "part " << count;
        EXPECT_EQ(m.memo->Memo.Count(), 1u);
        EXPECT_DOUBLE_EQ(parts.TakenHeight(), static_cast<double>(expected) * 15.28);
        EXPECT_DOUBLE_EQ(parts.UsedHeight(), 24 * 15.28) << "the box holds 24 lines, taken or not";
        // What CalcHeight gives for these lines: they show in full.
        EXPECT_EQ(parts.PartHeight(), CalcHeight(*m.memo)) << "part " << count;
        if (!joined.empty()) joined += u' ';  // the space of the break
        joined += m.memo->Memo[0].substr(0, m.memo->Memo[0].find_last_not_of(u' ') + 1);
        m.memo->FirstParaBreak = m.memo->LastParaBreak;
        m.memo->LastParaBreak = false;
    }
    EXPECT_EQ(count, 417u);
    EXPECT_EQ(joined, line);
    EXPECT_EQ(parts.RemainingText(), u"");
}

TEST_F(MemoWithFixedAdvances, CalcWidthIsTheWidestLinePlusTheInset) {
    MemoOnPage m(0, 50, 2.5, 0);
    m.memo->Memo = TWideStrings{u"aaaaaaaaaaaaaaaaaaaa", u"aa"};  // 200 units: 32 px, unbroken
    EXPECT_EQ(CalcWidth(*m.memo), 38);  // 32 + 5 + 0.5, halves to even
    m.memo->Frame.SetTyp(0);
    EXPECT_EQ(CalcWidth(*m.memo), 37);
}

// The part operation walks only the lines it needs; it must give exactly what
// taking the fitting lines of the whole remaining text gives.
TEST_F(MemoWithFixedAdvances, PartsMatchBreakingTheWholeRemainingTextEachTime) {
    const std::vector<TWideStrings> texts = {
        {u"aaaa bbbbbb cccc dd eeeeeeeeeeeeeeeeeeeeeee f  gg hhh", u"", u"iiii jjjj", u"k"},
        {u"aaaaaaaaaa  bb   cc", u"  leading", u"W W W aWb", u"", u""},
        {u"one", u"two", u"three", u"four", u"five", u"six", u"seven"},
        {u""},
        {},
        // Longer than the characters measured at a time: parts of one long
        // line, and a long line after short ones.
        {std::u16string(9000, u'a')},
        {u"one", RepeatedWords(2500, u"ab cdefg  hij"), u"k"},
    };
    const int heights[] = {17, 40, 18, 55, 5, 100, 36, 19, 200, 1000, 5000};
    for (std::size_t t = 0; t < texts.size(); ++t) {
        for (const double gap : {0.0, 3.2}) {
            SCOPED_TRACE(::testing::Message() << "text " << t << " gap " << gap);
            MemoOnPage lazy(0, 16 + 2 * 5, 5, 0);
            MemoOnPage whole(0, 16 + 2 * 5, 5, 0);
            for (auto* m : {lazy.memo, whole.memo}) {
                m->SetFont(TrpFont{});
                m->ParagraphGap = gap;
                m->Memo = texts[t];
            }
            TrpMemoParts parts;
            parts.Begin(*lazy.memo);
            TWideStrings remaining = texts[t];
            bool first = false;
            for (std::size_t round = 0; round < std::size(heights) * 30; ++round) {
                const double h = heights[round % std::size(heights)];
                lazy.memo->SetHeight(h);
                whole.memo->SetHeight(h);

                const double got = parts.TakePart(*lazy.memo);

                TrpDrawText& dt = GlobalDrawText();
                SetUpDrawText(dt, *whole.memo, MemoTextRect(*whole.memo));
                const TrpFittingLines fit = dt.TakeFittingLines(remaining, first, false);
                const double free = dt.FreeHeight();
                const double expected = free == 0 ? h : free;
                TWideStrings fitting;
                fitting.SetText(fit.Fitting);
                remaining.SetText(fit.Rest);

                EXPECT_EQ(lazy.memo->Memo, fitting) << "round " << round;
                EXPECT_EQ(lazy.memo->LastParaBreak, fit.Continues) << "round " << round;
                EXPECT_DOUBLE_EQ(got, expected) << "round " << round;
                TWideStrings left;
                left.SetText(parts.RemainingText());
                // Empty lines of the rest lay out as a space either way.
                dt.BreakLines(left, fit.Continues);
                const std::u16string lazyRest = dt.WrappedText();
                dt.BreakLines(remaining, fit.Continues);
                EXPECT_EQ(lazyRest, dt.WrappedText()) << "round " << round;

                // What recording a part does to the flags.
                first = fit.Continues;
                lazy.memo->FirstParaBreak = lazy.memo->LastParaBreak;
                lazy.memo->LastParaBreak = false;
                if (remaining.Empty()) break;
            }
            EXPECT_TRUE(remaining.Empty());
            EXPECT_EQ(parts.RemainingText(), u"");
        }
    }
}

TEST_F(MemoWithFixedAdvances, APartThatHoldsNoLineKeepsTheWholeText) {
    MemoOnPage m(0, 26, 5, 0);
    m.memo->Memo = TWideStrings{u"aaaa bbbbbb cccc"};
    TrpMemoParts parts;
    parts.Begin(*m.memo);
    m.memo->SetHeight(11.68);
    EXPECT_DOUBLE_EQ(parts.TakePart(*m.memo), 11.68);
    EXPECT_TRUE(m.memo->Memo.Empty());
    EXPECT_FALSE(m.memo->LastParaBreak);
    EXPECT_EQ(parts.RemainingText(), u"aaaa bbbbbb cccc\r\n");
}

}  // namespace
}  // namespace lk63
