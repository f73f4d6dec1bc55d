// Memo text broken at random widths, fonts and spacing; the lines that fit a
// height; and the parts of a memo split across pages, which must be exactly
// what taking the fitting lines of the remaining text gives each time.
#include <cmath>

#include "fuzz_check.h"
#include "fuzz_targets.h"
#include "platform/unicode.h"
#include "report/draw_text.h"
#include "report/memo_layout.h"
#include "report/memo_view.h"
#include "report/wide_strings.h"

namespace lk63::fuzz {
namespace {

constexpr std::size_t kHeaderSize = 12;
constexpr int kMaxParts = 48;

bool IsHighSurrogate(char16_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool IsLowSurrogate(char16_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

// Source lines as the layout sees them: an empty line is one space.
std::vector<std::u16string> LaidOutSources(const TWideStrings& text) {
    std::vector<std::u16string> out;
    for (const std::u16string& line : text.Lines()) out.push_back(line.empty() ? u" " : line);
    return out;
}

// The wrapped lines cover every source line in order: one space at most is
// left out between two lines of a source line, nothing else.
void CheckWrappedLines(TrpDrawText& dt, const TWideStrings& text, bool firstParaBreak, bool lastParaBreak) {
    const std::vector<std::u16string> sources = LaidOutSources(text);
    std::u16string plain;
    for (const std::u16string& s : sources) plain += s + u"\r\n";
    Require(dt.PlainText() == plain, "plain text is not the source lines each with CR LF");

    const std::vector<TrpWrappedLine>& lines = dt.Lines();
    Require(sources.empty() == lines.empty(), "wrapped lines without source lines or the reverse");
    const bool measurable = dt.CharSpacing() == 0 && dt.Options().WordWrap;
    const long long width = std::llround(std::nearbyint((dt.Bounds().Right - dt.Bounds().Left) * kMeasureRatio));
    std::size_t k = 0, base = 0;
    for (std::size_t s = 0; s < sources.size(); ++s) {
        const std::u16string& source = sources[s];
        std::size_t at = base;
        bool first = true;
        for (;; ++k) {
            Require(k < lines.size(), "a source line has no wrapped line");
            const TrpWrappedLine& line = lines[k];
            Require(!line.Text.empty(), "an empty wrapped line");
            Require(line.Start == at || (!first && line.Start == at + 1 && plain[at] == u' '),
                    "a wrapped line does not start where the previous one ended");
            Require(plain.compare(line.Start, line.Text.size(), line.Text) == 0, "a wrapped line is not its text");
            const bool sourceFirst = (line.Flags & kFirstLineOfSource) != 0;
            const bool sourceLast = (line.Flags & kLastLineOfSource) != 0;
            Require(sourceFirst == (first && !(k == 0 && firstParaBreak)), "first-line flag is off");
            at = line.Start + line.Text.size();
            const std::size_t end = base + source.size();
            const bool last = k + 1 == lines.size() || lines[k + 1].Start >= end + 2;
            // A break at the source's last space leaves that space out too.
            Require(at <= end && (!last || at == end || (at + 1 == end && plain[at] == u' ')),
                    "a source line is not covered to its end");
            Require(sourceLast == (last && !(k + 1 == lines.size() && lastParaBreak)), "last-line flag is off");
            if (!last) {
                Require(!(IsHighSurrogate(plain[at - 1]) && IsLowSurrogate(plain[at])),
                        "a line break splits a surrogate pair");
            }
            // Lines of more than one character fit the width of their line.
            const bool oneCharacter = line.Text.size() == 1 ||
                                      (line.Text.size() == 2 && IsHighSurrogate(line.Text[0]) && IsLowSurrogate(line.Text[1]));
            if (measurable && !oneCharacter) {
                const bool continued = s == 0 && first && firstParaBreak;
                const long long limit =
                    first && !continued ? std::llround(std::nearbyint(
                                              (dt.Bounds().Right - dt.Bounds().Left - dt.ParagraphGap()) * kMeasureRatio))
                                        : width;
                Require(dt.MeasureWidth(line.Text) <= limit, "a wrapped line is wider than the memo");
            }
            first = false;
            if (last) break;
        }
        ++k;
        base += source.size() + 2;
    }
    Require(k == lines.size(), "wrapped lines after the last source line");
}

// The lines that fit and the rest add up to the plain text.
void CheckFitting(TrpDrawText& dt, const TrpFittingLines& fit) {
    const std::u16string& plain = dt.PlainText();
    if (fit.Rest.empty()) {
        Require(fit.Fitting == plain, "nothing left over but the fitting text is not the whole text");
        Require(!fit.Continues, "continues into an empty rest");
        return;
    }
    Require(plain.starts_with(fit.Fitting) && plain.ends_with(fit.Rest), "fitting text and rest are not the text");
    const std::size_t gap = plain.size() - fit.Fitting.size() - fit.Rest.size();
    Require(gap == 0 || (gap == 1 && fit.Continues && plain[fit.Fitting.size()] == u' '),
            "more than the one space of a break is lost");
    const double step = dt.LineStep();
    if (step > 0) {
        std::size_t n = 0;
        while (n < dt.Lines().size() && dt.Lines()[n].Start < fit.Fitting.size()) ++n;
        Require(static_cast<double>(n) <= std::floor(dt.AvailableHeight() / step), "more lines than fit");
        Require(n < dt.Lines().size(), "all lines fit but there is a rest");
    }
}

TWideStrings AsLines(std::u16string_view text) {
    TWideStrings lines;
    lines.SetText(text);
    return lines;
}

// Empty lines lay out as a space: the same text for the layout.
std::vector<std::u16string> ForLayout(const TWideStrings& text) { return LaidOutSources(text); }

}  // namespace

void LineBreakingTarget(std::string_view input) {
    TByteReader header(input.substr(0, std::min(input.size(), kHeaderSize)));
    const std::string_view body = input.size() > kHeaderSize ? input.substr(kHeaderSize) : std::string_view();

    TrpMemoView memo;
    const int width = 1 + header.Word() % 1500;
    const int height = 1 + header.Word() % 1200;
    TrpFont font;
    font.SetSize(1 + header.Byte() % 72);
    const std::uint8_t flags = header.Byte();
    font.SetStyle(flags & 3);
    memo.SetFont(font);
    memo.WordWrap = (flags & 4) == 0;
    const bool firstParaBreak = (flags & 8) != 0;
    const bool lastParaBreak = (flags & 16) != 0;
    memo.Frame.SetTyp(flags >> 4);
    memo.CharSpacing = header.Byte() % 7 - 2;
    memo.ParagraphGap = header.Byte() % 32;
    memo.LineSpacing = header.Byte() % 9 - 3;
    memo.GapX = header.Byte() % 8;
    memo.SetBounds(0, 0, width, height);
    memo.Memo.SetText(platform::Utf8ToUtf16(body));

    const auto lock = LockDrawText();
    TrpDrawText& dt = DrawTextOf(memo);
    SetUpDrawText(dt, memo, MemoTextRect(memo));
    dt.BreakLines(memo.Memo, firstParaBreak, lastParaBreak);
    CheckWrappedLines(dt, memo.Memo, firstParaBreak, lastParaBreak);
    CheckFitting(dt, dt.TakeFittingLines(memo.Memo, firstParaBreak, lastParaBreak));

    // A band split over pages: each part at a height from the input.
    TrpMemoView part;
    part.SetFont(font);
    part.WordWrap = memo.WordWrap;
    part.Frame = memo.Frame;
    part.CharSpacing = memo.CharSpacing;
    part.ParagraphGap = memo.ParagraphGap;
    part.LineSpacing = memo.LineSpacing;
    part.GapX = memo.GapX;
    part.SetBounds(0, 0, width, height);
    part.Memo = memo.Memo;
    TrpMemoParts parts;
    parts.Begin(part);
    TWideStrings remaining = memo.Memo;
    TByteReader heights(header.Rest());
    for (int k = 0; k < kMaxParts && !remaining.Empty(); ++k) {
        part.SetHeight(1 + heights.Byte() * 4 + (k == 0 ? 0 : 12));
        const bool firstBreak = part.FirstParaBreak;
        const double result = parts.TakePart(part);

        SetUpDrawText(dt, part, MemoTextRect(part));
        const TrpFittingLines expected = dt.TakeFittingLines(remaining, firstBreak, false);
        CheckFitting(dt, expected);
        const double free = dt.FreeHeight();
        Require(ForLayout(part.Memo) == ForLayout(AsLines(expected.Fitting)), "a part holds other lines than fit");
        Require(part.LastParaBreak == expected.Continues, "a part's continuation differs");
        Require(ForLayout(AsLines(parts.RemainingText())) == ForLayout(AsLines(expected.Rest)),
                "the text left after a part differs");
        Require(result == (free == 0 ? part.Height() : free), "a part's free height differs");

        const TWideStrings rest = AsLines(expected.Rest);
        if (rest == remaining) break;  // not one line fits this height
        remaining = rest;
        // As the prepared pages store hands the flags on.
        part.FirstParaBreak = part.LastParaBreak;
        part.LastParaBreak = false;
    }
}

}  // namespace lk63::fuzz
