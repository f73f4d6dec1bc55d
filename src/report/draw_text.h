#pragma once
// The text layout object: breaks memo text into lines that fit a rectangle,
// measured at 600 dpi, so that stretching, splitting and drawing all see the
// same lines.

#include <cstddef>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "platform/fonts/font_key.h"

namespace lk63 {

class TrpFont;
class TWideStrings;

// Measuring units per report pixel (600 dpi / 96 dpi).
inline constexpr double kMeasureRatio = 6.25;

// Paragraph flags of a wrapped line.
inline constexpr unsigned kFirstLineOfSource = 1;
inline constexpr unsigned kLastLineOfSource = 2;

struct TrpWrappedLine {
    std::u16string Text;
    unsigned Flags = 0;
    std::size_t Start = 0;  // position of the first character in the plain text
};

// Report pixels, integers.
struct TrpTextRect {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    friend bool operator==(const TrpTextRect&, const TrpTextRect&) = default;
};

struct TrpDrawTextOptions {
    bool WordWrap = true;
    bool AllowHTMLTags = false;
    int Rotation = 0;  // degrees, kept modulo 360
    bool Wysiwyg = true;
    bool Clipped = true;
    bool WordBreak = false;
    bool RTLReading = false;
};

// A wrapped line inside its source line: code units [Start, Start + Length).
struct TrpLineSpan {
    std::size_t Start = 0;
    std::size_t Length = 0;
    // Measured as part of shaped text: alone it may be wider.
    bool InContext = false;
};

// The lines that fit a height, and what is left for the next part.
struct TrpFittingLines {
    std::u16string Fitting;
    std::u16string Rest;
    bool Continues = false;  // the last fitting line's paragraph goes on in Rest
};

// Cumulative advance positions of a line in whole measuring pixels.
using TrpMeasureFunction = std::function<void(const platform::TFontKey& font, int emPixels,
                                              std::u16string_view line, std::vector<int>& positions)>;

class TrpDrawText {
public:
    TrpDrawText();

    // The platform's measurer unless replaced (tests use fixed advances).
    void SetMeasureFunction(TrpMeasureFunction measure);

    // Measuring height -round(Size * 600 / 72): 10 pt gives 83 pixels.
    void ApplyFont(const TrpFont& font);
    void ApplyOptions(const TrpDrawTextOptions& options);
    void ApplySpacing(double paragraphGap, double charSpacing, double lineSpacing);
    void ApplyBounds(const TrpTextRect& rect, double scaleX = 1, double scaleY = 1);

    // Fills the wrapped lines, their flags and starts, and the plain text.
    void BreakLines(const TWideStrings& lines, bool firstParaBreak, bool lastParaBreak = false);
    // How many lines BreakLines makes of `lines`, without making them; the
    // wrapped lines are left as they were.
    [[nodiscard]] std::size_t CountLines(const TWideStrings& lines, bool firstParaBreak);

    // Wraps one source line (empty lines must be passed as a space); the first
    // wrapped line uses the first-line width unless `continuesParagraph`.
    // Appends at most `maxLines` lines, the first ones of the source line; the
    // time taken follows the characters of those lines, not of the whole line.
    static constexpr std::size_t kAllLines = static_cast<std::size_t>(-1);
    void BreakSourceLine(std::u16string_view line, bool continuesParagraph, std::vector<TrpLineSpan>& out,
                         std::size_t maxLines = kAllLines);

    [[nodiscard]] int FontHeight() const { return fontHeight_; }
    [[nodiscard]] const platform::TFontKey& FontKey() const { return fontKey_; }
    [[nodiscard]] const TrpTextRect& Bounds() const { return bounds_; }
    [[nodiscard]] const TrpDrawTextOptions& Options() const { return options_; }
    [[nodiscard]] double LineSpacing() const { return lineSpacing_; }
    [[nodiscard]] double CharSpacing() const { return charSpacing_; }
    [[nodiscard]] double ParagraphGap() const { return paragraphGap_; }

    // Report pixels.
    [[nodiscard]] double LineStep() const;
    [[nodiscard]] double TextHeight() const;
    // The height of that many wrapped lines.
    [[nodiscard]] double TextHeight(std::size_t lineCount) const;
    [[nodiscard]] double WidestLine();
    // What BreakLines of `line` as a paragraph of its own and then
    // WidestLine give, without breaking where breaking leaves the line whole;
    // the wrapped lines are then left as they were.
    [[nodiscard]] double WidestLineAlone(std::u16string_view line);
    // bottom - top + 1 of the bounds.
    [[nodiscard]] int AvailableHeight() const { return bounds_.Bottom - bounds_.Top + 1; }
    // What is left of the available height below the whole lines that fit;
    // 0 when not one line fits, 0.0001 when they fit exactly.
    [[nodiscard]] double FreeHeight() const;

    [[nodiscard]] const std::vector<TrpWrappedLine>& Lines() const { return lines_; }
    [[nodiscard]] const std::u16string& PlainText() const { return plainText_; }
    // The wrapped lines, each followed by CR LF.
    [[nodiscard]] std::u16string WrappedText() const;

    // Breaks `lines` and keeps those that fit the available height.
    TrpFittingLines TakeFittingLines(const TWideStrings& lines, bool firstParaBreak, bool lastParaBreak);

    // Measured width of a line in measuring units, without character spacing.
    [[nodiscard]] int MeasureWidth(std::u16string_view line);

private:
    // Source line s of `lines` (an empty one as a space) broken into spans_.
    std::u16string_view BreakSource(const TWideStrings& lines, std::size_t s, bool firstParaBreak);
    void Measure(std::u16string_view line);  // positions_, with character spacing
    // The width of `text` measured on its own, with character spacing; leaves positions_ alone.
    long long WidthAlone(std::u16string_view text);
    void BreakGreedily(std::u16string_view line, bool continuesParagraph, std::vector<TrpLineSpan>& out,
                       std::size_t maxLines);
    void FitAlone(std::u16string_view line, bool continuesParagraph, std::vector<TrpLineSpan>& out,
                  std::size_t first, std::size_t maxLines);
    [[nodiscard]] int LineWidthUnits() const;

    TrpMeasureFunction measure_;
    platform::TFontKey fontKey_;
    int fontSize_ = 10;
    int fontHeight_ = 83;
    TrpDrawTextOptions options_;
    double paragraphGap_ = 0, charSpacing_ = 0, lineSpacing_ = 2;
    TrpTextRect bounds_;
    double scaleX_ = 1, scaleY_ = 1;
    std::vector<TrpWrappedLine> lines_;
    std::u16string plainText_;
    std::vector<int> positions_;  // reused for every line
    std::vector<int> scratch_;    // for WidthAlone
    std::vector<TrpLineSpan> spans_;
};

// The process-wide layout object for objects outside any report.
TrpDrawText& GlobalDrawText();

// Held around every complete use of a layout object (set-up, breaking,
// measuring, taking parts). Recursive: the PDF writer holds it while it calls
// layout operations that take it again.
[[nodiscard]] std::unique_lock<std::recursive_mutex> LockDrawText();

}  // namespace lk63
