#include "pdf/line_writer.h"

#include "pdf/color_operand.h"
#include "pdf/dash_operator.h"
#include "pdf/format_number.h"
#include "pdf/page_state.h"
#include "report/memo_view.h"

namespace lk63 {

void WriteLineView(std::string& content, const TrpCustomLineView& view, const TrpPDFPageState& page,
                   TrpColorOperand& colors) {
    const TrpPDFViewBox box(page, view);
    const TrpFrame& frame = view.Frame;
    content += DashOperator(frame.Style(), frame.Width());
    content += "\r\n";
    content += colors(frame.Color());
    content += " RG\r\n";
    AppendNumber(content, frame.Width() * 0.75);
    content += " w\r\n";
    content += box.X0 + " " + box.Y0 + " m\r\n";
    content += box.X1 + " " + box.Y1 + " l\r\n";
    content += "S\r\n";
}

}  // namespace lk63
