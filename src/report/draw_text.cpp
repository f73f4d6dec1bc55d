#include "report/draw_text.h"

#include <algorithm>
#include <cmath>

#include "platform/fonts/text_measurer.h"
#include "report/font.h"
#include "report/units.h"
#include "report/wide_strings.h"

namespace lk63 {
namespace {

int ToUnits(double pixels) { return static_cast<int>(RoundToInt(pixels * kMeasureRatio)); }

// Characters measured at a time when a line is broken; a wrapped line longer
// than this widens the window for itself.
constexpr std::size_t kMeasureWindow = 4096;

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

void PlatformMeasure(const platform::TFontKey& font, int emPixels, std::u16string_view line,
                     std::vector<int>& positions) {
    platform::SharedTextMeasurer().Measure(font, emPixels, line, positions);
}

}  // namespace

TrpDrawText::TrpDrawText() : measure_(PlatformMeasure) {
    positions_.reserve(32768);
    fontKey_.Family = "Arial";
}

void TrpDrawText::SetMeasureFunction(TrpMeasureFunction measure) {
    measure_ = measure ? std::move(measure) : TrpMeasureFunction(PlatformMeasure);
}

void TrpDrawText::ApplyFont(const TrpFont& font) {
    fontKey_ = {font.Name(), font.Has(TrpFontStyle::fsBold), font.Has(TrpFontStyle::fsItalic)};
    fontSize_ = font.Size();
    fontHeight_ = static_cast<int>(std::abs(RoundToInt(fontSize_ * 600.0 / 72.0)));
}

void TrpDrawText::ApplyOptions(const TrpDrawTextOptions& options) {
    options_ = options;
    options_.Rotation %= 360;
    if (options_.Rotation < 0) options_.Rotation += 360;
}

void TrpDrawText::ApplySpacing(double paragraphGap, double charSpacing, double lineSpacing) {
    paragraphGap_ = paragraphGap;
    charSpacing_ = charSpacing;
    lineSpacing_ = lineSpacing;
}

void TrpDrawText::ApplyBounds(const TrpTextRect& rect, double scaleX, double scaleY) {
    bounds_ = rect;
    scaleX_ = scaleX;
    scaleY_ = scaleY;
}

void TrpDrawText::Measure(std::u16string_view line) {
    if (fontHeight_ < 1) {
        positions_.assign(line.size(), 0);
    } else {
        measure_(fontKey_, std::min(fontHeight_, platform::TTextMeasurer::MaxEmPixels), line, positions_);
        positions_.resize(line.size(), positions_.empty() ? 0 : positions_.back());
    }
    const int spacing = ToUnits(charSpacing_);
    if (spacing != 0) {
        long long added = 0;
        for (int& p : positions_) {
            added += spacing;
            p = static_cast<int>(std::clamp<long long>(p + added, INT32_MIN, INT32_MAX));
        }
    }
}

int TrpDrawText::MeasureWidth(std::u16string_view line) {
    if (line.empty() || fontHeight_ < 1) return 0;
    measure_(fontKey_, std::min(fontHeight_, platform::TTextMeasurer::MaxEmPixels), line, positions_);
    return positions_.empty() ? 0 : positions_.back();
}

long long TrpDrawText::WidthAlone(std::u16string_view text) {
    if (text.empty() || fontHeight_ < 1) return 0;
    measure_(fontKey_, std::min(fontHeight_, platform::TTextMeasurer::MaxEmPixels), text, scratch_);
    const long long width = scratch_.empty() ? 0 : scratch_.back();
    return width + static_cast<long long>(ToUnits(charSpacing_)) * static_cast<long long>(text.size());
}

int TrpDrawText::LineWidthUnits() const {
    const int r = options_.Rotation;
    const bool sideways = (r >= 90 && r < 180) || r >= 270;
    return sideways ? bounds_.Bottom - bounds_.Top : bounds_.Right - bounds_.Left;
}

void TrpDrawText::BreakSourceLine(std::u16string_view line, bool continuesParagraph,
                                  std::vector<TrpLineSpan>& out, std::size_t maxLines) {
    const std::size_t before = out.size();
    BreakGreedily(line, continuesParagraph, out, maxLines);
    FitAlone(line, continuesParagraph, out, before, maxLines);
}

// Letters that take their shape from their neighbours measure otherwise alone
// than inside the whole line, and each wrapped line is printed alone: a line
// that does not fit as such gives its last characters to the next line.
void TrpDrawText::FitAlone(std::u16string_view line, bool continuesParagraph, std::vector<TrpLineSpan>& out,
                           std::size_t first, std::size_t maxLines) {
    if (!options_.WordWrap) return;
    const int span = LineWidthUnits();
    // Only lines measured inside shaped text, or lengthened here, can be too
    // wide alone: the others keep the widths they were broken at.
    for (std::size_t k = first; k < out.size(); ++k) {
        TrpLineSpan& cut = out[k];
        if (!cut.InContext) continue;
        const long long limit = ToUnits(k == first && !continuesParagraph ? span - paragraphGap_ : span);
        const std::size_t end = cut.Start + cut.Length;
        // At least its first character, a surrogate pair whole.
        const std::size_t least =
            cut.Length >= 2 && IsHighSurrogate(line[cut.Start]) && IsLowSurrogate(line[cut.Start + 1]) ? 2 : 1;
        while (cut.Length > least && WidthAlone(line.substr(cut.Start, cut.Length)) > limit) {
            --cut.Length;
            if (cut.Length > least && IsHighSurrogate(line[cut.Start + cut.Length - 1])) --cut.Length;
        }
        if (cut.Start + cut.Length == end) continue;
        // What no longer fits opens the next line; a blank there was the break.
        const std::size_t rest = cut.Start + cut.Length;
        if (k + 1 < out.size()) {
            const std::size_t nextEnd = out[k + 1].Start + out[k + 1].Length;
            out[k + 1] = {rest, nextEnd - rest, true};
        } else if (out.size() - first < maxLines) {
            out.push_back({rest, end - rest, true});
        }
    }
}

void TrpDrawText::BreakGreedily(std::u16string_view line, bool continuesParagraph, std::vector<TrpLineSpan>& out,
                                std::size_t maxLines) {
    if (maxLines == 0) return;
    const std::size_t before = out.size();
    const int span = LineWidthUnits();
    const long long w = ToUnits(span);
    const long long f = continuesParagraph ? w : ToUnits(span - paragraphGap_);
    const std::size_t len = line.size();
    if (len <= 1 || !options_.WordWrap) {
        out.push_back({0, len});
        return;
    }
    // With a negative character spacing the positions can fall again, and the
    // test of the whole line's width decides on its own: measure it all.
    const bool wholeLine = ToUnits(charSpacing_) < 0;
    // Positions count from 1 as in the description of the algorithm. Only a
    // window of the line is measured at a time, always from the start of a
    // wrapped line: each character costs about one measurement, however long
    // the line and however few of its lines are asked for. Advances add up,
    // so the width of characters start..i is the same measured from start.
    std::size_t windowStart = 1;  // the first character of the measured window
    std::size_t windowEnd = 0;    // its last
    bool shaped = false;          // the window was measured as shaped text
    const auto measureFrom = [&](std::size_t from, std::size_t atLeast) {
        std::size_t count = wholeLine ? len - from + 1 : std::min(len - from + 1, std::max(kMeasureWindow, atLeast));
        // A surrogate pair is measured as one character: never cut between its halves.
        const std::size_t last = from + count - 1;
        if (last < len && IsHighSurrogate(line[last - 1]) && IsLowSurrogate(line[last])) ++count;
        const std::u16string_view window = line.substr(from - 1, count);
        Measure(window);
        shaped = platform::TTextMeasurer::DependsOnContext(window);
        windowStart = from;
        windowEnd = from + count - 1;
    };
    measureFrom(1, 0);
    if (windowEnd == len && positions_.back() < f) {
        out.push_back({0, len, shaped});
        return;
    }
    // cum(i) - offset: the width from the current line's start to character i.
    long long offset = 0;
    const auto cum = [&](std::size_t i) { return static_cast<long long>(positions_[i - windowStart]); };
    // A surrogate pair is one character: no break falls between its halves.
    const auto pairAt = [&](std::size_t k) { return k < len && IsHighSurrogate(line[k - 1]) && IsLowSurrogate(line[k]); };
    std::size_t start = 1, lastSpace = 1, i = 1;
    long long limit = f;
    while (i <= len) {
        if (i > windowEnd) {
            // The line goes on past the window: measure again from its start.
            measureFrom(start, 2 * (i - start + 1));
            offset = 0;
        }
        if (line[i - 1] == u' ') lastSpace = i;
        if (cum(i) - offset <= limit) {
            ++i;
            continue;
        }
        std::size_t p;
        if (lastSpace != start) {
            out.push_back({start - 1, lastSpace - start, shaped});  // the space belongs to neither line
            p = lastSpace;
        } else if (i == start) {
            p = pairAt(start) ? start + 1 : start;  // one character wider than the line
            out.push_back({start - 1, p - start + 1, shaped});
        } else {
            p = i - 1;  // a word longer than the line
            if (pairAt(p)) p = p > start ? p - 1 : p + 1;
            out.push_back({start - 1, p - start + 1, shaped});
        }
        if (out.size() - before >= maxLines) return;
        start = p + 1;
        lastSpace = start;
        limit = w;
        i = p + 1;
        if (start > windowEnd) {
            if (start <= len) measureFrom(start, 0);
            offset = 0;
        } else {
            offset = cum(p);
        }
    }
    if (start <= len) out.push_back({start - 1, len - start + 1, shaped});
}

std::u16string_view TrpDrawText::BreakSource(const TWideStrings& lines, std::size_t s, bool firstParaBreak) {
    const std::u16string_view source = lines[s].empty() ? std::u16string_view(u" ") : lines[s];
    spans_.clear();
    BreakSourceLine(source, s == 0 && firstParaBreak, spans_);
    return source;
}

void TrpDrawText::BreakLines(const TWideStrings& lines, bool firstParaBreak, bool lastParaBreak) {
    lines_.clear();
    plainText_.clear();
    for (std::size_t s = 0; s < lines.Count(); ++s) {
        const std::u16string_view source = BreakSource(lines, s, firstParaBreak);
        const std::size_t base = plainText_.size();
        plainText_ += source;
        plainText_ += u"\r\n";
        for (std::size_t k = 0; k < spans_.size(); ++k) {
            unsigned flags = 0;
            if (k == 0) flags |= kFirstLineOfSource;
            if (k + 1 == spans_.size()) flags |= kLastLineOfSource;
            lines_.push_back({std::u16string(source.substr(spans_[k].Start, spans_[k].Length)), flags,
                              base + spans_[k].Start});
        }
    }
    if (lines_.empty()) return;
    if (firstParaBreak) lines_.front().Flags &= ~kFirstLineOfSource;
    if (lastParaBreak) lines_.back().Flags &= ~kLastLineOfSource;
}

std::size_t TrpDrawText::CountLines(const TWideStrings& lines, bool firstParaBreak) {
    std::size_t count = 0;
    for (std::size_t s = 0; s < lines.Count(); ++s) {
        BreakSource(lines, s, firstParaBreak);
        count += spans_.size();
    }
    return count;
}

double TrpDrawText::LineStep() const { return fontHeight_ / kMeasureRatio + lineSpacing_; }

double TrpDrawText::TextHeight() const { return TextHeight(lines_.size()); }

double TrpDrawText::TextHeight(std::size_t lineCount) const {
    if (lineCount == 0) return 0;
    double h = static_cast<double>(lineCount) * LineStep();
    if (lineSpacing_ < 0) h -= lineSpacing_;
    return h;
}

double TrpDrawText::WidestLine() {
    const int gap = ToUnits(paragraphGap_);
    long long widest = 0;
    for (const TrpWrappedLine& line : lines_) {
        long long width = MeasureWidth(line.Text);
        width += RoundToInt(static_cast<double>(line.Text.size()) * charSpacing_ * kMeasureRatio);
        if (line.Flags & kFirstLineOfSource) width += gap;
        widest = std::max(widest, width);
    }
    return static_cast<double>(widest) / kMeasureRatio;
}

double TrpDrawText::WidestLineAlone(std::u16string_view line) {
    const std::size_t len = line.size();
    // Where breaking would leave the line whole (BreakGreedily's first test,
    // and nothing for FitAlone), it is measured once and not broken.
    if (len > 0 && len <= kMeasureWindow && !platform::TTextMeasurer::DependsOnContext(line)) {
        const long long raw = MeasureWidth(line);
        const long long spaced =
            std::clamp<long long>(raw + static_cast<long long>(len) * ToUnits(charSpacing_), INT32_MIN, INT32_MAX);
        if (len <= 1 || !options_.WordWrap || spaced < ToUnits(LineWidthUnits() - paragraphGap_)) {
            const long long width = raw + RoundToInt(static_cast<double>(len) * charSpacing_ * kMeasureRatio) +
                                    ToUnits(paragraphGap_);
            return static_cast<double>(width) / kMeasureRatio;
        }
    }
    TWideStrings alone;
    alone.Add(line);
    BreakLines(alone, false);
    return WidestLine();
}

double TrpDrawText::FreeHeight() const {
    const double h = AvailableHeight();
    const double s = LineStep();
    if (!(s > 0) || h <= 0) return 0;
    const double n = std::floor(h / s);
    if (n == 0) return 0;
    const double rest = h - n * s;
    return rest == 0 ? 0.0001 : rest;
}

std::u16string TrpDrawText::WrappedText() const {
    std::u16string out;
    for (const TrpWrappedLine& line : lines_) {
        out += line.Text;
        out += u"\r\n";
    }
    return out;
}

TrpFittingLines TrpDrawText::TakeFittingLines(const TWideStrings& lines, bool firstParaBreak,
                                              bool lastParaBreak) {
    BreakLines(lines, firstParaBreak, lastParaBreak);
    TrpFittingLines result;
    if (lines_.empty()) {
        result.Fitting = plainText_;
        return result;
    }
    const double s = LineStep();
    std::size_t n = lines_.size();
    if (s > 0) {
        const double fit = std::floor(AvailableHeight() / s);
        n = fit <= 0 ? 0 : std::min(lines_.size(), static_cast<std::size_t>(fit));
    }
    if (n == lines_.size()) {
        result.Fitting = plainText_;
        return result;
    }
    result.Continues = n > 0 && !(lines_[n - 1].Flags & kLastLineOfSource);
    const std::size_t cut = lines_[n].Start;
    result.Rest = plainText_.substr(cut);
    if (result.Continues && !result.Rest.empty() && result.Rest.front() == u' ') result.Rest.erase(0, 1);
    result.Fitting = plainText_.substr(0, cut);
    return result;
}

TrpDrawText& GlobalDrawText() {
    static TrpDrawText instance;
    return instance;
}

std::unique_lock<std::recursive_mutex> LockDrawText() {
    static std::recursive_mutex lock;
    return std::unique_lock<std::recursive_mutex>(lock);
}

}  // namespace lk63
