// State, options, geometry and change propagation of the grid.
#include "controls/custom_grid_view.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include <QScrollBar>

#include "controls/custom_grid_edit.h"
#include "controls/grid_edit.h"
#include "controls/grid_tips_window.h"

namespace lk63 {
namespace {

int ClampToInt(std::int64_t v) {
    return static_cast<int>(std::clamp<std::int64_t>(v, std::numeric_limits<int>::min() / 2,
                                                     std::numeric_limits<int>::max() / 2));
}

}  // namespace

TCustomGridView::TCustomGridView(QWidget* parent) : QAbstractScrollArea(parent) {
    resize(185, 105);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAutoFillBackground(false);
    viewport()->setMouseTracking(true);
    viewport()->setFocusProxy(this);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    ApplyFrame();

    font_.Font = font();
    font_.Color = clWindowText;

    vert_.SetLineSize(rows_.Height());
    ConnectScrollBar(horz_, horizontalScrollBar());
    ConnectScrollBar(vert_, verticalScrollBar());
    columns_.OnChange = [this] { ColumnsChange(); };
    rows_.OnChange = [this] { RowsChange(); };
    tips_ = std::make_unique<TGridTipsWindow>(*this);
    LayoutScrollBars();
}

TCustomGridView::~TCustomGridView() {
    destroying_ = true;
    columns_.OnChange = nullptr;
    rows_.OnChange = nullptr;
    horz_ = TGridScrollBar(TScrollBarKind::sbHorizontal);
    vert_ = TGridScrollBar(TScrollBarKind::sbVertical);
    tips_.reset();
    // The editor goes first, while the grid it calls back is still whole.
    delete editor_.data();
}

// ---- options

void TCustomGridView::SetColor(TControlColor value) {
    if (color_ == value) return;
    color_ = value;
    Invalidate();
    if (editor_ && editorActive_) editor_->ApplyColors();
}

void TCustomGridView::SetFont(const TFont& value) {
    font_ = value;
    parentFont_ = false;
    Invalidate();
    if (editor_ && editorActive_) {
        editor_->ApplyColors();
        editor_->UpdateBounds();
    }
}

void TCustomGridView::SetGridStyle(TGridStyles value) {
    if (gridStyle_ == value) return;
    gridStyle_ = value;
    LookChanged();
}

void TCustomGridView::SetGridColor(TControlColor value) {
    if (gridColor_ == value) return;
    gridColor_ = value;
    Invalidate();
}

void TCustomGridView::SetLineWidth(int value) {
    value = std::max(value, 0);
    if (lineWidth_ == value) return;
    lineWidth_ = value;
    LookChanged();
}

void TCustomGridView::SetShowGridLines(bool value) {
    if (showGridLines_ == value) return;
    showGridLines_ = value;
    LookChanged();
}

void TCustomGridView::SetTextIndentLeft(int value) {
    if (textIndentLeft_ == value) return;
    textIndentLeft_ = value;
    LookChanged();
}

void TCustomGridView::SetTextIndentRight(int value) {
    if (textIndentRight_ == value) return;
    textIndentRight_ = value;
    LookChanged();
}

void TCustomGridView::SetTextIndentTop(int value) {
    if (textIndentTop_ == value) return;
    textIndentTop_ = value;
    LookChanged();
}

void TCustomGridView::SetEndEllipsis(bool value) {
    if (endEllipsis_ == value) return;
    endEllipsis_ = value;
    Invalidate();
}

void TCustomGridView::SetShowFocusRect(bool value) {
    if (showFocusRect_ == value) return;
    showFocusRect_ = value;
    InvalidateRect(FocusArea());
}

void TCustomGridView::SetAllowEdit(bool value) {
    if (allowEdit_ == value) return;
    allowEdit_ = value;
    if (!value) {
        alwaysEdit_ = false;
        HideEditor();
    }
    Invalidate();
}

void TCustomGridView::SetAlwaysEdit(bool value) {
    if (alwaysEdit_ == value) return;
    alwaysEdit_ = value;
    if (value) {
        allowEdit_ = true;
        TakeFocus();
        ShowEditor();
    } else {
        HideEditor();
    }
    Invalidate();
}

void TCustomGridView::SetAlwaysSelected(bool value) {
    alwaysSelected_ = value;
    if (value && !focusSelected_) MoveFocus(focusedCell_, true, false);
}

void TCustomGridView::SetMoveKeys(TMoveKeys value) {
    if (value.Contains(TMoveKey::mkMouseDrag)) value += TMoveKey::mkMouse;
    if (!value.Contains(TMoveKey::mkMouse)) value -= TMoveKey::mkMouseDrag;
    moveKeys_ = value;
}

void TCustomGridView::SetShowCellTips(bool value) {
    showCellTips_ = value;
    if (value) showHint_ = true;
    if (!value) CancelCellTip();
}

void TCustomGridView::SetShowHint(bool value) {
    showHint_ = value;
    if (!value) SetShowCellTips(false);
}

void TCustomGridView::SetBorderStyle(TBorderStyle value) {
    if (borderStyle_ == value) return;
    borderStyle_ = value;
    ApplyFrame();
}

void TCustomGridView::SetFlatBorder(bool value) {
    if (flatBorder_ == value) return;
    flatBorder_ = value;
    ApplyFrame();
}

void TCustomGridView::ApplyFrame() {
    if (borderStyle_ == TBorderStyle::bsNone) {
        setFrameStyle(QFrame::NoFrame);
    } else if (flatBorder_) {
        setFrameStyle(QFrame::Box | QFrame::Plain);
        setLineWidth(1);
    } else {
        // A sunken client edge two pixels wide.
        setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    }
}

void TCustomGridView::EndUpdate() {
    if (updateCount_ > 0 && --updateCount_ == 0) Invalidate();
}

// Options that move the text or the grid lines move the editor's text too.
void TCustomGridView::LookChanged() {
    Invalidate();
    if (editor_ && editorActive_) editor_->UpdateBounds();
}

// ---- cells and geometry

bool TCustomGridView::IsCellValid(const TGridCell& cell) const {
    return cell.Col >= 0 && cell.Col < columns_.Count() && cell.Row >= 0 && cell.Row < rows_.Count();
}

QString TCustomGridView::CellText(const TGridCell& cell) {
    QString value;
    if (OnGetCellText) OnGetCellText(*this, cell, value);
    return value;
}

QRect TCustomGridView::ClientRect() const {
    // Computed rather than read from the viewport: Qt lays the viewport out
    // only when the widget is shown and after a bar has come or gone, while
    // the grid's geometry must hold as soon as its size and ranges are set.
    QSize size = contentsRect().size();
    if (vert_.WindowInfo().Max > 0) size.rwidth() -= verticalScrollBar()->sizeHint().width();
    if (horz_.WindowInfo().Max > 0) size.rheight() -= horizontalScrollBar()->sizeHint().height();
    return QRect(QPoint(0, 0), size.expandedTo(QSize(0, 0)));
}

QRect TCustomGridView::GridArea() const { return ClientRect(); }

std::pair<int, int> TCustomGridView::ColumnSpan(int col) const {
    int left = ClientRect().left() - horz_.Position();
    if (col < 0) return {left, left};
    const int last = std::min(col, columns_.Count());
    for (int c = 0; c < last; ++c) left += columns_[c].Width();
    if (col >= columns_.Count()) return {left, left};
    return {left, left + columns_[col].Width()};
}

std::pair<int, int> TCustomGridView::RowSpan(int row) const {
    const std::int64_t h = rows_.Height();
    const std::int64_t top = GridArea().top() + (static_cast<std::int64_t>(row) - vert_.Position()) * h;
    return {ClampToInt(top), ClampToInt(top + h)};
}

QRect TCustomGridView::CellBounds(const TGridCell& cell) const {
    const auto [left, right] = ColumnSpan(cell.Col);
    const auto [top, bottom] = RowSpan(cell.Row);
    return QRect(left, top, right - left, bottom - top);
}

QRect TCustomGridView::InnerOf(const QRect& bounds) const {
    int right = bounds.left() + bounds.width();
    int bottom = bounds.top() + bounds.height();
    if (showGridLines_ && gridStyle_.Contains(TGridStyle::gsVertLine)) right -= lineWidth_;
    if (showGridLines_ && gridStyle_.Contains(TGridStyle::gsHorzLine)) bottom -= lineWidth_;
    right = std::max(right, bounds.left());
    bottom = std::max(bottom, bounds.top());
    return QRect(bounds.left(), bounds.top(), right - bounds.left(), bottom - bounds.top());
}

QRect TCustomGridView::CellInnerBounds(const TGridCell& cell) const { return InnerOf(CellBounds(cell)); }

TGridCell TCustomGridView::CellAtPoint(int x, int y) const {
    int col = -1;
    int left = ClientRect().left() - horz_.Position();
    for (int c = 0; c < columns_.Count(); ++c) {
        const int w = columns_[c].Width();
        if (w > 0 && left <= x && x < left + w) {
            col = c;
            break;
        }
        left += w;
    }
    int row = -1;
    const int h = rows_.Height();
    const std::int64_t d = static_cast<std::int64_t>(y) - GridArea().top() +
                           static_cast<std::int64_t>(vert_.Position()) * h;
    if (d >= 0 && h > 0 && d / h < rows_.Count()) row = static_cast<int>(d / h);
    if (col < 0 || row < 0) return NoCell;
    return {col, row};
}

QPoint TCustomGridView::CellTextIndent(const TGridCell& /*cell*/) const {
    return {textIndentLeft_, textIndentTop_};
}

TCellTextFormat TCustomGridView::TextFormat(const TGridCell& cell, const QPoint& indent) const {
    TCellTextFormat f;
    if (cell.Col >= 0 && cell.Col < columns_.Count()) {
        const TGridColumn& c = columns_[cell.Col];
        f.WordWrap = c.WordWrap();
        f.WantReturns = c.WantReturns();
        f.Alignment = c.Alignment();
    }
    f.EndEllipsis = endEllipsis_;
    f.IndentTop = indent.y();
    f.IndentLeft = indent.x();
    f.IndentRight = textIndentRight_;
    return f;
}

void TCustomGridView::PaintCellText(QPainter& painter, const QRect& rect, const QString& text, bool wordWrap,
                                    bool wantReturns, TAlignment alignment, int indentTop, int indentLeft) const {
    lk63::PaintCellText(painter, rect, text,
                        {wordWrap, wantReturns, endEllipsis_, alignment, indentTop, indentLeft, textIndentRight_});
}

QRect TCustomGridView::MeasureCellText(const QFont& font, const QRect& rect, const QString& text, bool wordWrap,
                                       bool wantReturns, TAlignment alignment, int indentTop,
                                       int indentLeft) const {
    return lk63::MeasureCellText(
        QFontMetrics(font), rect, text,
        {wordWrap, wantReturns, endEllipsis_, alignment, indentTop, indentLeft, textIndentRight_});
}

void TCustomGridView::ApplyCellColors(const TGridCell& cell, TCellCanvas& canvas) {
    canvas.BrushColor = color_.Resolve(palette());
    canvas.Font = font_.Font;
    canvas.FontColor = font_.Color.Resolve(palette());
    ApplyStateColors(cell, canvas);
}

void TCustomGridView::ApplyStateColors(const TGridCell& cell, TCellCanvas& canvas) {
    if (!isEnabled()) {
        canvas.FontColor = SystemColor(TSysColor::clGrayText, palette());
    } else if (FocusHighlightAllowed() && focusSelected_ && cell == focusedCell_) {
        if (FocusInside()) {
            canvas.BrushColor = SystemColor(TSysColor::clHighlight, palette());
            canvas.FontColor = SystemColor(TSysColor::clHighlightText, palette());
        } else {
            canvas.BrushColor = SystemColor(TSysColor::clBtnFace, palette());
        }
    }
    if (OnGetCellColors) OnGetCellColors(*this, cell, canvas);
}

TCellCanvas TCustomGridView::PrepareCanvas(const TGridCell& cell) {
    TCellCanvas canvas;
    ApplyCellColors(cell, canvas);
    return canvas;
}

bool TCustomGridView::FocusInside() const {
    return hasFocus() || viewport()->hasFocus() || (editor_ && editor_->hasFocus());
}

// ---- invalidation

void TCustomGridView::Invalidate() {
    if (updateCount_ > 0) return;
    viewport()->update();
}

void TCustomGridView::InvalidateRect(const QRect& rect) {
    if (updateCount_ > 0 || !isVisible() || rect.isEmpty()) return;
    viewport()->update(rect);
}

QRect TCustomGridView::FocusArea() const { return CellBounds(focusedCell_).intersected(GridArea()); }

void TCustomGridView::RefreshCell(const TGridCell& cell) {
    const bool sharesLine = cell.Col == focusedCell_.Col || cell.Row == focusedCell_.Row;
    InvalidateRect(CellBounds(cell));
    if (sharesLine && FocusHighlightAllowed()) InvalidateRect(FocusArea());
}

// ---- change propagation

void TCustomGridView::ComputeVisibleRange() {
    const QRect g = GridArea();
    if (columns_.Count() == 0) {
        firstVisible_.Col = 0;
        visibleCount_.Columns = 0;
    } else {
        int left = ClientRect().left() - horz_.Position();
        int first = 0;
        for (; first < columns_.Count() - 1; ++first) {
            const int right = left + columns_[first].Width();
            if (right >= g.left()) break;
            left = right;
        }
        int right = left + columns_[first].Width();
        int last = first;
        while (right < g.left() + g.width() && last < columns_.Count() - 1) {
            ++last;
            right += columns_[last].Width();
        }
        firstVisible_.Col = first;
        visibleCount_.Columns = last - first + 1;
    }
    const int h = rows_.Height();
    if (rows_.Count() == 0 || h <= 0) {
        firstVisible_.Row = 0;
        visibleCount_.Rows = 0;
    } else {
        firstVisible_.Row = vert_.Position();
        int count = (g.height() + h - 1) / h;
        count = std::min<std::int64_t>(count, static_cast<std::int64_t>(rows_.Count()) - firstVisible_.Row);
        visibleCount_.Rows = std::max(count, 0);
    }
}

void TCustomGridView::ColumnsChange() {
    if (destroying_) return;
    LayoutScrollBars();
    ComputeVisibleRange();
    EnsureFocusedCell();
    SyncEditor(editorActive_);
    Invalidate();
    ColumnsChanged();
}

void TCustomGridView::RowsChange() {
    if (destroying_) return;
    CancelCellTip();
    vert_.SetLineSize(rows_.Height());
    LayoutScrollBars();
    ComputeVisibleRange();
    EnsureFocusedCell();
    SyncEditor(editorActive_);
    Invalidate();
}

void TCustomGridView::ResizeChange() {
    if (destroying_) return;
    if (updateCount_ == 0) LayoutScrollBars();
    ComputeVisibleRange();
    SyncEditor(editorActive_);
}

TCustomGridEdit* TCustomGridView::CreateEditor() { return new TGridEdit(this); }

void TCustomGridView::AfterEditorDestroyed() {
    editorCell_ = NoCell;
    editorActive_ = false;
}

}  // namespace lk63

namespace lk63 {

void TCustomGridView::Loaded() {
    SyncEditor(alwaysEdit_);
    focusSelected_ = alwaysSelected_;
    EnsureFocusedCell();
}

}  // namespace lk63

namespace lk63 {

TCustomGridEdit* TCustomGridView::Editor() const { return editor_.data(); }

}  // namespace lk63
