#include "controls/custom_inspector.h"

#include <algorithm>

#include <QMouseEvent>
#include <QPainter>

#include "controls/event_guard.h"
#include "controls/inspector_edit.h"

namespace lk63 {
namespace {

struct TLock {
    int& count;
    explicit TLock(int& c) : count(c) { ++count; }
    ~TLock() { --count; }
};

}  // namespace

TCustomInspector::TCustomInspector(QWidget* parent) : TCustomGridView(parent) {
    SetColor(clBtnFace);
    SetAllowEdit(true);
    SetAlwaysEdit(true);
    Columns().BeginUpdate();
    TGridColumn& name = Columns().Add();
    name.SetCaption(QStringLiteral("Property"));
    name.SetFixedSize(true);
    name.SetWordWrap(false);
    name.SetWantReturns(false);
    name.SetReadOnly(true);
    name.SetTabStop(false);
    TGridColumn& value = Columns().Add();
    value.SetCaption(QStringLiteral("Value"));
    value.SetWordWrap(false);
    value.SetWantReturns(false);
    value.SetFixedSize(true);
    Columns().EndUpdate();
    Rows().SetHeight(16);
    HorzScroll().SetVisible(false);
    SetColumnsFullDrag(true);
    SetDoubleBuffered(true);
    SetEndEllipsis(false);
    SetShowGridLines(false);
    SetTextIndentTop(1);
    SetTextIndentRight(1);
    SetMoveKeys(MoveKeys() + TMoveKey::mkMouseDrag);
    nameFont_ = {Font().Font, clBtnText};
    valueFont_ = {Font().Font, clNavy};
    QFont bold = valueFont_.Font;
    bold.setBold(true);
    categoryFont_ = {bold, clPurple};
}

void TCustomInspector::SetNameFont(const TFont& value) {
    nameFont_ = value;
    FontsChanged();
}

void TCustomInspector::SetValueFont(const TFont& value) {
    valueFont_ = value;
    FontsChanged();
}

void TCustomInspector::SetCategoryFont(const TFont& value) {
    categoryFont_ = value;
    FontsChanged();
}

void TCustomInspector::FontsChanged() {
    Invalidate();
    if (Editor() && EditorActive()) {
        Editor()->ApplyColors();
        Editor()->UpdateBounds();
    }
}

void TCustomInspector::SetGridMode(TInspectorGridMode value) {
    if (gridMode_ == value) return;
    gridMode_ = value;
    SetShowGridLines(value == TInspectorGridMode::gmStandard);
    // The grid area itself depends on the mode.
    ResizeChange();
    Invalidate();
}

QRect TCustomInspector::GridArea() const {
    QRect r = ClientRect();
    if (gridMode_ == TInspectorGridMode::gmStandard) r.setWidth(r.width() + LineWidth());
    return r;
}

QPoint TCustomInspector::CellTextIndent(const TGridCell& cell) const { return {2 - cell.Col, TextIndentTop()}; }

bool TCustomInspector::IsCategoryRow(int row) const {
    bool category = false;
    // The owner is asked with the grid as Sender, as every event is.
    if (OnGetCategoryRow) OnGetCategoryRow(const_cast<TCustomInspector&>(*this), row, category);
    return category;
}

QString TCustomInspector::CellText(const TGridCell& cell) {
    if (cell.Col > 0 && IsCategoryRow(cell.Row)) return TCustomGridView::CellText({0, cell.Row});
    return TCustomGridView::CellText(cell);
}

void TCustomInspector::ApplyCellColors(const TGridCell& cell, TCellCanvas& canvas) {
    canvas.BrushColor = Color().Resolve(palette());
    const TFont* font = &Font();
    if (IsCategoryRow(cell.Row)) font = &categoryFont_;
    else if (cell.Col == 0) font = &nameFont_;
    else if (cell.Col == 1) font = &valueFont_;
    canvas.Font = font->Font;
    canvas.FontColor = font->Color.Resolve(palette());
    ApplyStateColors(cell, canvas);
}

bool TCustomInspector::EditorCanShow(const TGridCell& cell) {
    return TCustomGridView::EditorCanShow(cell) && !IsCategoryRow(cell.Row);
}

void TCustomInspector::AdjustListRect(QRect& screenRect) {
    if (gridMode_ == TInspectorGridMode::gmInspector) screenRect.translate(-2, 0);
}

void TCustomInspector::LayoutScrollBars() {
    TCustomGridView::LayoutScrollBars();
    FitValueColumn();
}

void TCustomInspector::ColumnsChanged() { FitValueColumn(); }

TCustomGridEdit* TCustomInspector::CreateEditor() { return new TInspectorEdit(this); }

void TCustomInspector::FitValueColumn() {
    if (fitLock_ > 0 || Columns().Count() != 2) return;
    const TLock lock(fitLock_);
    const int w = GridArea().width();
    TGridColumn& name = Columns()[0];
    TGridColumn& value = Columns()[1];
    Columns().BeginUpdate();
    value.SetWidth(w - name.Width());
    if (value.Width() < MinColumnWidth) {
        value.SetWidth(MinColumnWidth);
        name.SetWidth(w - MinColumnWidth);
    }
    if (name.Width() < MinColumnWidth) {
        name.SetWidth(MinColumnWidth);
        value.SetWidth(w - MinColumnWidth);
    }
    Columns().EndUpdate();
}

void TCustomInspector::Loaded() {
    TCustomGridView::Loaded();
    if (Columns().Count() != 2) return;
    const TLock lock(fitLock_);
    const int w = GridArea().width();
    Columns().BeginUpdate();
    Columns()[0].SetWidth(w / 2);
    Columns()[1].SetWidth(w - w / 2);
    Columns().EndUpdate();
}

TGridCell TCustomInspector::HitTestCell(const QPoint& pos) const {
    if (Columns().Count() == 0 || Rows().Count() == 0) return NoCell;
    int col = -1;
    if (pos.x() < ColumnSpan(0).first) {
        col = 0;
    } else if (pos.x() >= ColumnSpan(Columns().Count() - 1).second) {
        col = Columns().Count() - 1;
    } else {
        for (int c = 0; c < Columns().Count() && col < 0; ++c) {
            const auto [l, r] = ColumnSpan(c);
            if (l <= pos.x() && pos.x() < r) col = c;
        }
    }
    if (col < 0) return NoCell;

    const int first = FirstVisible().Row;
    const int lastVisible = first + std::max(VisibleCount().Rows, 1) - 1;
    const int lastRow = Rows().Count() - 1;
    int row = 0;
    if (pos.y() < RowSpan(first).first) row = std::max(first - 1, 0);
    else if (pos.y() >= RowSpan(lastVisible).second) row = std::min(lastVisible + 1, lastRow);
    else row = first + (pos.y() - RowSpan(first).first) / std::max(Rows().Height(), 1);
    return {col, std::clamp(row, 0, lastRow)};
}

QRect TCustomInspector::CellPaintRect(const TGridCell& cell) const {
    if (!IsCategoryRow(cell.Row)) return CellBounds(cell);
    // A category row is one cell across the grid area, painted as column 0.
    if (cell.Col != 0) return {};
    const QRect g = GridArea();
    const auto [top, bottom] = RowSpan(cell.Row);
    return QRect(g.left(), top, g.width(), bottom - top);
}

void TCustomInspector::PaintCell(QPainter& painter, const TGridCell& cell, const QRect& rect) {
    TCustomGridView::PaintCell(painter, cell, rect);
}

QRect TCustomInspector::TipBounds(const TGridCell& cell) const {
    QRect r = CellInnerBounds(cell);
    if (IsCategoryRow(cell.Row)) r.setLeft(ColumnSpan(0).first);
    return r;
}

// ---- the column border drag

bool TCustomInspector::InResizeZone(const QPoint& pos) const {
    if (Columns().Count() < 1 || !ClientRect().contains(pos)) return false;
    const int w = Columns()[0].Width();
    return pos.x() >= w - ResizeZone && pos.x() <= w;
}

int TCustomInspector::DragWidth(int x) const {
    const TGridColumn& name = Columns()[0];
    const int w = GridArea().width();
    int width = x + pressOffset_ - ColumnSpan(0).first;
    width = std::clamp(width, name.MinWidth(), name.MaxWidth());
    width = std::max(std::min(width, w - MinColumnWidth), MinColumnWidth);
    return std::clamp(width, name.MinWidth(), name.MaxWidth());
}

void TCustomInspector::ApplyDragWidth(int width) {
    const int left = ColumnSpan(0).first;
    BeginUpdate();
    Columns()[0].SetWidth(width);
    EndUpdate();
    const QRect client = ClientRect();
    viewport()->repaint(QRect(left, client.top(), client.right() + 1 - left, client.height()));
}

void TCustomInspector::paintEvent(QPaintEvent* e) {
    TCustomGridView::paintEvent(e);
    if (dragLine_ < 0) return;
    Guarded([&] {
        QPainter painter(viewport());
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        painter.fillRect(QRect(dragLine_ - 1, 0, 1, viewport()->height()), Qt::white);
    });
}

void TCustomInspector::resizeEvent(QResizeEvent* e) {
    Guarded([&] { FitValueColumn(); });
    TCustomGridView::resizeEvent(e);
}

void TCustomInspector::mousePressEvent(QMouseEvent* e) {
    Guarded([&] {
        const QPoint pos = e->position().toPoint();
        lastPointer_ = pos;
        if (resizing_ && e->button() == Qt::RightButton) {
            // Ends the resize; the width it reached is not applied.
            resizing_ = false;
            dragLine_ = -1;
            viewport()->update();
            return;
        }
        if (e->button() == Qt::LeftButton && InResizeZone(pos)) {
            if (!TakeFocus()) return;
            resizing_ = true;
            pressOffset_ = ColumnSpan(0).second - pos.x();
            return;
        }
        HandleMousePress(e);
    });
}

void TCustomInspector::mouseMoveEvent(QMouseEvent* e) {
    Guarded([&] {
        const QPoint pos = e->position().toPoint();
        lastPointer_ = pos;
        if (resizing_) {
            const int width = DragWidth(pos.x());
            if (ColumnsFullDrag()) {
                ApplyDragWidth(width);
            } else {
                dragLine_ = ColumnSpan(0).first + width;
                viewport()->update();
            }
            return;
        }
        if (e->buttons() == Qt::NoButton) {
            if (InResizeZone(pos)) viewport()->setCursor(Qt::SplitHCursor);
            else viewport()->unsetCursor();
        }
        HandleMouseMove(e);
    });
}

void TCustomInspector::mouseReleaseEvent(QMouseEvent* e) {
    Guarded([&] {
        if (resizing_ && e->button() == Qt::LeftButton) {
            resizing_ = false;
            dragLine_ = -1;
            ApplyDragWidth(DragWidth(e->position().toPoint().x()));
            return;
        }
        TCustomGridView::mouseReleaseEvent(e);
    });
}

}  // namespace lk63
