#include "report/memo_layout.h"

#include <algorithm>
#include <cmath>

#include "report/memo_view.h"
#include "report/report.h"
#include "report/units.h"

namespace lk63 {
namespace {

int Round(double v) { return static_cast<int>(RoundToInt(v)); }

TrpDrawTextOptions OptionsOf(const TrpCustomMemoView& memo) {
    TrpDrawTextOptions o;
    o.WordWrap = memo.WordWrap;
    o.AllowHTMLTags = memo.AllowHTMLTags;
    o.Rotation = memo.Rotation;
    o.Wysiwyg = memo.Wysiwyg;
    o.Clipped = memo.Clipped;
    o.WordBreak = memo.WordBreak;
    o.RTLReading = memo.RTLReading;
    return o;
}

TrpTextRect UnboundedRect(const TrpCustomMemoView& memo) {
    const TrpTextRect r = MemoTextRect(memo);
    return {r.Left, r.Top, r.Left + 10000, r.Top + 10000};
}

const std::u16string kSpace = u" ";

}  // namespace

TrpDrawText& DrawTextOf(const TrpComponent& object) {
    TrpReport* report = object.Report();
    return report ? report->DrawText() : GlobalDrawText();
}

TrpTextRect MemoTextRect(const TrpCustomMemoView& memo) {
    const TrpFrame& frame = memo.Frame;
    const double w = frame.Width();
    const double shadow = frame.DropShadow ? frame.ShadowWidth : 0;
    const double absLeft = memo.AbsLeft();
    const double absTop = memo.AbsTop();
    TrpTextRect r;
    r.Left = Round(absLeft) + (frame.Has(TrpFrameSide::ftLeft) ? Round((w - 1) / 2) : 0) + Round(memo.GapX);
    r.Top = Round(absTop) + (frame.Has(TrpFrameSide::ftTop) ? Round((w - 1) / 2) : 0) + Round(memo.GapY);
    r.Right = Round(absLeft + memo.Width() - shadow) - (frame.Has(TrpFrameSide::ftRight) ? Round(w / 2) : 0) -
              Round(memo.GapX) + 1;
    r.Bottom = Round(absTop + memo.Height() - shadow) -
               (frame.Has(TrpFrameSide::ftBottom) ? Round(w / 2) : 0) - Round(memo.GapY) + 1;
    return r;
}

namespace {

// The gap on both sides plus the frame's share on each side that has a line.
double Inset(const TrpCustomMemoView& memo, double gap, TrpFrameSide start, TrpFrameSide end) {
    const TrpFrame& frame = memo.Frame;
    const double w = frame.Width();
    double inset = 2 * gap;
    if (frame.Has(start)) inset += (w - 1) / 2;
    if (frame.Has(end)) inset += w / 2;
    if (frame.DropShadow) inset += frame.ShadowWidth;
    return inset;
}

}  // namespace

double VerticalInset(const TrpCustomMemoView& memo) {
    return Inset(memo, memo.GapY, TrpFrameSide::ftTop, TrpFrameSide::ftBottom);
}

double HorizontalInset(const TrpCustomMemoView& memo) {
    return Inset(memo, memo.GapX, TrpFrameSide::ftLeft, TrpFrameSide::ftRight);
}

void SetUpDrawText(TrpDrawText& drawText, const TrpCustomMemoView& memo, const TrpTextRect& rect) {
    drawText.ApplyFont(memo.Font());
    drawText.ApplyOptions(OptionsOf(memo));
    drawText.ApplySpacing(memo.ParagraphGap, memo.CharSpacing, memo.LineSpacing);
    drawText.ApplyBounds(rect);
}

double CalcHeight(const TrpCustomMemoView& memo) {
    const auto lock = LockDrawText();
    TrpDrawText& dt = DrawTextOf(memo);
    SetUpDrawText(dt, memo, memo.AutoWidth ? UnboundedRect(memo) : MemoTextRect(memo));
    return RoundHalfEven(dt.TextHeight(dt.CountLines(memo.Memo, false)) + VerticalInset(memo));
}

double CalcWidth(const TrpCustomMemoView& memo) {
    const auto lock = LockDrawText();
    TrpDrawText& dt = DrawTextOf(memo);
    SetUpDrawText(dt, memo, UnboundedRect(memo));
    dt.BreakLines(memo.Memo, false);
    return RoundHalfEven(dt.WidestLine() + HorizontalInset(memo));
}

void TrpMemoParts::Begin(TrpCustomMemoView& memo) {
    // Each part sets the memo's text; until the first one nothing reads it.
    lines_ = std::move(memo.Memo);
    memo.Memo.Clear();
    first_ = 0;
    offset_ = 0;
    memo.FirstParaBreak = false;
    memo.LastParaBreak = false;
}

std::u16string TrpMemoParts::RemainingText() const {
    std::u16string out;
    for (std::size_t s = first_; s < lines_.Count(); ++s) {
        if (s == first_) {
            out.append(lines_[s], std::min(offset_, lines_[s].size()));
        } else {
            out += lines_[s];
        }
        out += u"\r\n";
    }
    return out;
}

bool TrpMemoParts::HoldsTakenLines(const TrpCustomMemoView& memo) const {
    if (takenLines_ == 0) return true;
    const TrpTextRect r = MemoTextRect(memo);
    return r.Bottom - r.Top + 1 >= takenHeight_;
}

double TrpMemoParts::TakePart(TrpCustomMemoView& memo) {
    const auto lock = LockDrawText();
    TrpDrawText& dt = DrawTextOf(memo);
    SetUpDrawText(dt, memo, MemoTextRect(memo));

    // How many lines the height holds; a step that is not positive holds all.
    const double step = dt.LineStep();
    std::size_t n = TrpDrawText::kAllLines;
    if (step > 0) {
        const double fit = std::floor(dt.AvailableHeight() / step);
        n = fit <= 0 ? 0 : (fit >= 1e18 ? TrpDrawText::kAllLines : static_cast<std::size_t>(fit));
    }

    // Walk the wrapped lines of the remaining text until line n is found,
    // breaking no more of a source line than the lines asked for.
    // A source line that is empty (or fully taken) lays out as one space.
    std::u16string fitting;
    std::size_t count = 0;
    bool found = false, continues = false;
    std::size_t cutLine = 0, cutStart = 0;
    for (std::size_t s = first_; s < lines_.Count() && !found; ++s) {
        const std::size_t skip = s == first_ ? std::min(offset_, lines_[s].size()) : 0;
        std::u16string_view view(lines_[s]);
        view.remove_prefix(skip);
        if (view.empty()) view = kSpace;
        spans_.clear();
        // Up to line n of the text: n - count + 1 lines at most from this source
        // line; fewer means the source line ends before line n.
        const std::size_t wanted = n == TrpDrawText::kAllLines ? n : n - count + 1;
        dt.BreakSourceLine(view, s == first_ && memo.FirstParaBreak, spans_, wanted);
        if (count + spans_.size() > n) {
            const std::size_t k = n - count;
            found = true;
            cutLine = s;
            cutStart = spans_[k].Start;
            continues = n > 0 && k > 0;  // line n - 1 is not the last of its source line
            fitting.append(view.substr(0, cutStart));
            if (k == 0) cutStart = 0;
            cutStart += skip;
            count = n;
        } else {
            count += spans_.size();
            fitting.append(view);
            fitting += u"\r\n";
        }
    }

    if (found) {
        first_ = cutLine;
        offset_ = cutStart;
        if (continues && offset_ < lines_[first_].size() && lines_[first_][offset_] == u' ') ++offset_;
    } else {
        first_ = lines_.Count();
        offset_ = 0;
    }
    takenLines_ = count;
    takenHeight_ = step > 0 ? static_cast<double>(count) * step : 0;
    usedHeight_ = step > 0 ? std::max(takenHeight_, static_cast<double>(n) * step) : 0;
    const double lineSpacing = dt.LineSpacing();
    partHeight_ = RoundHalfEven((count > 0 && step > 0 ? takenHeight_ - std::min(lineSpacing, 0.0) : 0) +
                                VerticalInset(memo));
    memo.Memo.SetText(std::move(fitting));
    memo.LastParaBreak = continues;
    const double free = dt.FreeHeight();
    return free == 0 ? memo.Height() : free;
}

}  // namespace lk63
