#include "pdf/dash_operator.h"

#include "pdf/format_number.h"

namespace lk63 {

std::string DashOperator(TrpFrameStyle style, double width) {
    const std::string dash = FormatNumber(6 * width) + " ";
    const std::string dot = FormatNumber(2 * width) + " ";
    switch (style) {
        case TrpFrameStyle::fsDash:
            return "[" + dash + "] 0 d";
        case TrpFrameStyle::fsDot:
            return "[" + dot + dash + "] 0 d";
        case TrpFrameStyle::fsDashDot:
            return "[" + dash + dash + dot + dash + "] 0 d";
        case TrpFrameStyle::fsDashDotDot:
            return "[" + dash + dash + dot + dash + dot + dash + "] 0 d";
        case TrpFrameStyle::fsSolid:
        case TrpFrameStyle::fsDouble:
        case TrpFrameStyle::fsAltDot:
        case TrpFrameStyle::fsSquare:
            break;
    }
    return "[] 0 d";
}

}  // namespace lk63
