#pragma once
// Page content of a line view: one stroked segment from its top left to its
// bottom right corner, in the frame's style, width and colour.

#include <string>

namespace lk63 {

class TrpCustomLineView;
class TrpColorOperand;
struct TrpPDFPageState;

// Appends the operators to `content`. No clip and no q/Q pair; the frame's
// sides do not matter.
void WriteLineView(std::string& content, const TrpCustomLineView& view, const TrpPDFPageState& page,
                   TrpColorOperand& colors);

}  // namespace lk63
