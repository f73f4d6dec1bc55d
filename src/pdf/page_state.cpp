#include "pdf/page_state.h"

#include "pdf/format_number.h"
#include "report/component.h"

namespace lk63 {

TrpPDFViewBox::TrpPDFViewBox(const TrpPDFPageState& page, double absLeft, double absTop, double width,
                             double height)
    : X0(FormatNumber(page.X(absLeft))),
      Y0(FormatNumber(page.Y(absTop))),
      X1(FormatNumber(page.X(absLeft + width))),
      Y1(FormatNumber(page.Y(absTop + height))),
      W(FormatNumber(width * 0.75)),
      H(FormatNumber(height * 0.75)) {}

TrpPDFViewBox::TrpPDFViewBox(const TrpPDFPageState& page, const TrpComponent& view)
    : TrpPDFViewBox(page, view.AbsLeft(), view.AbsTop(), view.Width(), view.Height()) {}

}  // namespace lk63
