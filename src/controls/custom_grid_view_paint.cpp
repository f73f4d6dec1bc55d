// Painting: the empty area, the visible cells that meet the repainted region,
// the focus rectangle and the grid lines. Painting never changes state.
#include <vector>

#include <QImage>
#include <QPaintEvent>
#include <QPainter>

#include "controls/custom_grid_edit.h"
#include "controls/custom_grid_view.h"
#include "controls/event_guard.h"

namespace lk63 {

void TCustomGridView::paintEvent(QPaintEvent* e) {
    Guarded([&] {
        QPainter painter(viewport());
        painter.setClipRect(ClientRect());
        PaintGrid(painter, e->region());
    });
}

void TCustomGridView::PaintGrid(QPainter& painter, const QRegion& region) {
    PaintEmptyArea(painter);
    if (visibleCount_.Columns > 0 && visibleCount_.Rows > 0) {
        painter.save();
        if (editorActive_ && !editorCell_.Empty()) {
            painter.setClipRegion(QRegion(ClientRect()) - QRegion(CellInnerBounds(editorCell_)));
        }
        const int lastRow = firstVisible_.Row + visibleCount_.Rows;
        const int lastCol = std::min(firstVisible_.Col + visibleCount_.Columns, columns_.Count());
        for (int r = firstVisible_.Row; r < lastRow; ++r) {
            for (int c = firstVisible_.Col; c < lastCol; ++c) {
                if (columns_[c].Width() <= 0) continue;
                const TGridCell cell{c, r};
                const QRect rect = CellPaintRect(cell);
                if (rect.isEmpty() || !region.intersects(rect)) continue;
                PaintCell(painter, cell, rect);
            }
        }
        painter.restore();
        if (FocusHighlightAllowed()) PaintFocusRect(painter);
    }
    if (showGridLines_) PaintGridLines(painter);
}

void TCustomGridView::PaintEmptyArea(QPainter& painter) {
    const QRect g = GridArea();
    const QColor background = color_.Resolve(palette());
    const int right = ColumnSpan(columns_.Count() - 1).second;
    const int gRight = g.left() + g.width();
    if (columns_.Count() == 0) {
        painter.fillRect(g, background);
        return;
    }
    if (right < gRight) painter.fillRect(QRect(right, g.top(), gRight - right, g.height()), background);
    const int after = RowSpan(firstVisible_.Row + visibleCount_.Rows).first;
    const int gBottom = g.top() + g.height();
    if (after < gBottom) painter.fillRect(QRect(g.left(), after, g.width(), gBottom - after), background);
}

void TCustomGridView::PaintCell(QPainter& painter, const TGridCell& cell, const QRect& rect) {
    const TCellCanvas canvas = PrepareCanvas(cell);
    // The editor's window stands in this cell.
    if (cell == editorCell_ && !FocusHighlightAllowed()) return;
    const QRect inner = InnerOf(rect);
    painter.fillRect(inner, canvas.BrushColor);
    painter.setFont(canvas.Font);
    painter.setPen(canvas.FontColor);
    const QPoint indent = CellTextIndent(cell);
    lk63::PaintCellText(painter, inner, CellText(cell), TextFormat(cell, indent));
}

void TCustomGridView::PaintFocusRect(QPainter& painter) {
    if (!showFocusRect_ || !FocusInside() || visibleCount_.Rows <= 0 || editorActive_) return;
    const QRect r = CellInnerBounds(focusedCell_);
    if (r.width() <= 0 || r.height() <= 0) return;
    painter.save();
    painter.setClipRect(GridArea(), Qt::IntersectClip);
    // Dots that invert what lies beneath, as the platform's focus rectangle does.
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    QPen pen(Qt::white);
    pen.setWidth(1);
    pen.setDashPattern({1.0, 1.0});
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(r.adjusted(0, 0, -1, -1));
    painter.restore();
}

QColor TCustomGridView::GridLineColor() const {
    const QColor line = gridColor_.Resolve(palette());
    const QColor background = color_.Resolve(palette());
    if ((line.rgb() & 0xFFFFFF) != (background.rgb() & 0xFFFFFF)) return line;
    // A line in the background's own colour would vanish.
    return QColor::fromRgb(line.rgb() ^ 0x808080);
}

void TCustomGridView::PaintGridLines(QPainter& painter) {
    if (lineWidth_ <= 0 || columns_.Count() == 0) return;
    const QRect g = GridArea();
    const int gRight = g.left() + g.width();
    const int gBottom = g.top() + g.height();
    const bool listView = gridStyle_.Contains(TGridStyle::gsListViewLike);
    const int h = rows_.Height();
    std::vector<QRect> lines;
    lines.reserve(static_cast<std::size_t>(visibleCount_.Rows + visibleCount_.Columns) + 1);

    const int rowsBottom = RowSpan(firstVisible_.Row + visibleCount_.Rows).first;
    const int lastCol = std::min(firstVisible_.Col + visibleCount_.Columns, columns_.Count());
    if (gridStyle_.Contains(TGridStyle::gsVertLine)) {
        const bool full = listView || gridStyle_.Contains(TGridStyle::gsFullVertLine);
        const int bottom = full ? gBottom : std::min(rowsBottom, gBottom);
        for (int c = firstVisible_.Col; c < lastCol; ++c) {
            if (columns_[c].Width() <= 0) continue;
            const int right = ColumnSpan(c).second;
            if (bottom > g.top()) lines.emplace_back(right - lineWidth_, g.top(), lineWidth_, bottom - g.top());
        }
    }
    if (gridStyle_.Contains(TGridStyle::gsHorzLine) && h > 0) {
        const bool full = listView || gridStyle_.Contains(TGridStyle::gsFullHorzLine);
        const int right = full ? gRight : ColumnSpan(lastCol - 1).second;
        const int slotCount = listView ? g.height() / h : visibleCount_.Rows;
        for (int i = 0; i < slotCount; ++i) {
            const int bottom = RowSpan(firstVisible_.Row + i).second;
            if (right > g.left()) lines.emplace_back(g.left(), bottom - lineWidth_, right - g.left(), lineWidth_);
        }
    }
    if (lines.empty()) return;

    const QColor color = GridLineColor();
    painter.save();
    painter.setPen(Qt::NoPen);
    if (gridStyle_.Contains(TGridStyle::gsDotLines)) {
        // A one-pixel chequer whose phase follows the horizontal position, so
        // the dots stay in place while scrolling sideways.
        QImage pattern(2, 2, QImage::Format_RGB32);
        const QColor background = color_.Resolve(palette());
        pattern.setPixelColor(0, 0, color);
        pattern.setPixelColor(1, 1, color);
        pattern.setPixelColor(1, 0, background);
        pattern.setPixelColor(0, 1, background);
        painter.setBrush(QBrush(pattern));
        painter.setBrushOrigin(horz_.Position() % 2 == 0 ? 0 : 1, 0);
    } else {
        painter.setBrush(color);
    }
    painter.drawRects(lines.data(), static_cast<int>(lines.size()));
    painter.restore();
}

}  // namespace lk63
