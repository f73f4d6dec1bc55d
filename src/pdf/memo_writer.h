#pragma once
// Page content of a memo: clip, background, frame lines and the text lines
// as glyph strings, laid out by the very line breaking that measured the memo.

#include <string>

namespace lk63 {

class TrpCustomMemoView;
class TrpColorOperand;
class TrpPDFFontList;
struct TrpPDFPageState;

// Appends the operators to `content`, from "q" to "Q". A memo with text lines
// registers its font in `fonts` and its glyphs in that font. Holds the text
// layout's lock and then the writer's own lock while it lays the memo out.
void WriteMemoView(std::string& content, const TrpCustomMemoView& memo, const TrpPDFPageState& page,
                   TrpColorOperand& colors, TrpPDFFontList& fonts);

}  // namespace lk63
