#pragma once
// What the grid prepares for painting one cell and lets its owner adjust:
// the brush colour, the font and the font's colour.

#include <QColor>
#include <QFont>

namespace lk63 {

struct TCellCanvas {
    QColor BrushColor;
    QFont Font;
    QColor FontColor;
};

}  // namespace lk63
