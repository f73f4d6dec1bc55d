#pragma once
// Memo operations built on the text layout object: the text rectangle, the
// height and width the text needs, and the parts a memo is cut into when its
// band is split across pages.

#include <cstddef>
#include <string>
#include <vector>

#include "report/draw_text.h"
#include "report/wide_strings.h"

namespace lk63 {

class TrpComponent;
class TrpCustomMemoView;

// The layout object of the memo's report, or the process-wide one.
TrpDrawText& DrawTextOf(const TrpComponent& object);

// From the memo's absolute position, size, frame and gaps.
TrpTextRect MemoTextRect(const TrpCustomMemoView& memo);
// Frame and gaps around the text, not rounded.
double VerticalInset(const TrpCustomMemoView& memo);
double HorizontalInset(const TrpCustomMemoView& memo);

// Font, options, spacing and bounds of the memo (caller holds the lock).
void SetUpDrawText(TrpDrawText& drawText, const TrpCustomMemoView& memo, const TrpTextRect& rect);

// round(text height + vertical inset) at the memo's width.
double CalcHeight(const TrpCustomMemoView& memo);
// round(widest line + horizontal inset), lines unbounded.
double CalcWidth(const TrpCustomMemoView& memo);

// The remaining text of a memo while its band is split. Each part takes the
// lines that fit the memo's current rectangle; the text left over is kept as
// source lines and a position, so a long text costs time in proportion to its
// length however many parts it is cut into.
class TrpMemoParts {
public:
    // The remaining text becomes the memo's whole text, taken out of the
    // memo until TakePart gives it its part; both paragraph flags are cleared.
    void Begin(TrpCustomMemoView& memo);
    // The memo's text becomes the lines of the remaining text that fit, the
    // rest stays; LastParaBreak tells whether a paragraph goes on in the rest.
    // Gives the height left below the lines, or the memo's Height when not
    // one line fits.
    double TakePart(TrpCustomMemoView& memo);
    // Memos never hold further data parts.
    [[nodiscard]] bool HasMoreData() const { return false; }
    // Nothing of the text is left for another part.
    [[nodiscard]] bool Done() const { return first_ >= lines_.Count(); }
    // The lines the last part took, and their height (lines x line step).
    [[nodiscard]] std::size_t TakenLines() const { return takenLines_; }
    [[nodiscard]] double TakenHeight() const { return takenHeight_; }
    // What the last part used of the view's height: the whole lines its
    // rectangle holds, taken or not (a part after the last line still uses
    // its box); the insets of each part's own box are not counted.
    [[nodiscard]] double UsedHeight() const { return usedHeight_; }
    // What CalcHeight gives for the lines the last part took: the height
    // that shows them all.
    [[nodiscard]] double PartHeight() const { return partHeight_; }
    // Whether the memo's text rectangle at its current height holds the
    // lines the last part took.
    [[nodiscard]] bool HoldsTakenLines(const TrpCustomMemoView& memo) const;
    // What is left, as the text the next part starts from.
    [[nodiscard]] std::u16string RemainingText() const;

private:
    TWideStrings lines_;
    std::size_t first_ = 0;   // first source line not taken completely
    std::size_t offset_ = 0;  // code units of it already taken
    std::vector<TrpLineSpan> spans_;
    std::size_t takenLines_ = 0;
    double takenHeight_ = 0;
    double usedHeight_ = 0;
    double partHeight_ = 0;
};

}  // namespace lk63
