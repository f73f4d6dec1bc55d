#include "report/frame.h"

namespace lk63 {

void TrpFrame::SetWidth(double width) {
    width_ = width;
    LeftLine.Width = TopLine.Width = RightLine.Width = BottomLine.Width = width;
}

void TrpFrame::SetColor(TrpColor color) {
    color_ = color;
    LeftLine.Color = TopLine.Color = RightLine.Color = BottomLine.Color = color;
}

void TrpFrame::SetStyle(TrpFrameStyle style) {
    style_ = style;
    LeftLine.Style = TopLine.Style = RightLine.Style = BottomLine.Style = style;
}

}  // namespace lk63
