#pragma once
// The dash pattern of a frame line as a PDF operator.

#include <string>

#include "report/frame.h"

namespace lk63 {

// "[] 0 d" for solid and the styles drawn solid (double, alternate dots,
// square), otherwise dashes of 6 and gaps of 2 line widths: width 1 in
// fsDash gives "[6.00 ] 0 d". No line end.
std::string DashOperator(TrpFrameStyle style, double width);

}  // namespace lk63
