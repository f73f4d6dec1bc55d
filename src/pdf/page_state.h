#pragma once
// The geometry of the page being written: report pixels (96 per inch, from
// the paper's top left corner) to PDF points (from the bottom left).

#include <string>

namespace lk63 {

class TrpComponent;

struct TrpPDFPageState {
    double Width = 0;       // points
    double Height = 0;      // points
    double LeftOffset = 0;  // left margin in millimetres x 0.05
    double TopOffset = 0;   // top margin in millimetres x 0.05

    [[nodiscard]] double X(double x) const { return x * 0.75 + LeftOffset; }
    [[nodiscard]] double Y(double y) const { return (Height - TopOffset) - y * 0.75; }
};

// The six position texts of a view, formatted once: its corners and size.
struct TrpPDFViewBox {
    std::string X0, Y0, X1, Y1, W, H;

    TrpPDFViewBox(const TrpPDFPageState& page, double absLeft, double absTop, double width, double height);
    TrpPDFViewBox(const TrpPDFPageState& page, const TrpComponent& view);
};

}  // namespace lk63
