#pragma once
// Drawing and measuring a cell's text the way grid cells show it. Two ways:
// formatted (word wrap, line breaks or an end ellipsis) and plain single-line
// output clipped to the cell.

#include <QFontMetrics>
#include <QRect>
#include <QString>

#include "controls/grid_types.h"

class QPainter;

namespace lk63 {

struct TCellTextFormat {
    bool WordWrap = false;
    bool WantReturns = false;
    bool EndEllipsis = false;
    TAlignment Alignment = TAlignment::taLeftJustify;
    int IndentTop = 0;
    int IndentLeft = 0;
    int IndentRight = 0;
};

// Draws with a transparent background in the painter's current font and pen.
void PaintCellText(QPainter& painter, const QRect& rect, const QString& text, const TCellTextFormat& format);

// The extent the text needs, at least `rect`, placed in it by the alignment
// (left edge kept for left, right edge for right, centred for centre), top kept.
QRect MeasureCellText(const QFontMetrics& metrics, const QRect& rect, const QString& text,
                      const TCellTextFormat& format);

// Line breaks (CR LF, lone CR, lone LF) as the text layout expects them.
QString NormalizeLineBreaks(const QString& text);

}  // namespace lk63
