#pragma once
// A grid of text cells that holds no values of its own: every text, colour,
// edit style and list comes from the owner through the On... events, called
// with the grid as Sender and the cell by reference; a variable parameter
// arrives with its default and carries the answer back.
//
// The implementation is split by concern: custom_grid_view.cpp (state,
// geometry, change propagation) and custom_grid_view_paint.cpp, _focus.cpp,
// _scroll.cpp, _tips.cpp, _edit.cpp and _input.cpp (Qt events).

#include <functional>
#include <memory>

#include <QAbstractScrollArea>
#include <QPointer>
#include <QString>
#include <QStringList>

#include "controls/cell_canvas.h"
#include "controls/cell_count.h"
#include "controls/cell_text.h"
#include "controls/control_font.h"
#include "controls/grid_cell.h"
#include "controls/grid_columns.h"
#include "controls/grid_rows.h"
#include "controls/grid_scroll_bar.h"
#include "controls/grid_types.h"
#include "controls/system_colors.h"

class QPainter;
class QScrollBar;

namespace lk63 {

class TCustomGridEdit;
class TGridTipsWindow;

class TCustomGridView : public QAbstractScrollArea {
public:
    using TCellTextEvent = std::function<void(TCustomGridView& Sender, const TGridCell& Cell, QString& Value)>;
    using TCellEvent = std::function<void(TCustomGridView& Sender, const TGridCell& Cell)>;
    using TCellFlagEvent = std::function<void(TCustomGridView& Sender, const TGridCell& Cell, bool& Value)>;

    explicit TCustomGridView(QWidget* parent = nullptr);
    ~TCustomGridView() override;

    // ---- data model
    TGridColumns& Columns() { return columns_; }
    const TGridColumns& Columns() const { return columns_; }
    TGridRows& Rows() { return rows_; }
    const TGridRows& Rows() const { return rows_; }
    TGridScrollBar& HorzScroll() { return horz_; }
    TGridScrollBar& VertScroll() { return vert_; }
    const TGridScrollBar& HorzScroll() const { return horz_; }
    const TGridScrollBar& VertScroll() const { return vert_; }

    [[nodiscard]] TGridCell FocusedCell() const { return focusedCell_; }
    [[nodiscard]] bool FocusSelected() const { return focusSelected_; }
    [[nodiscard]] TGridCell FirstVisible() const { return firstVisible_; }
    [[nodiscard]] TCellCount VisibleCount() const { return visibleCount_; }
    [[nodiscard]] TGridCell EditorCell() const { return editorCell_; }
    [[nodiscard]] bool EditorActive() const { return editorActive_; }
    [[nodiscard]] TGridCell ClickCell() const { return clickCell_; }
    [[nodiscard]] TGridCell TipCell() const { return tipCell_; }
    [[nodiscard]] const QString& TipText() const { return tipText_; }
    [[nodiscard]] bool TipShowing() const;
    // The tip window's rectangle on the screen while it shows.
    [[nodiscard]] QRect TipGeometry() const;

    // ---- options
    [[nodiscard]] TControlColor Color() const { return color_; }
    void SetColor(TControlColor value);
    [[nodiscard]] const TFont& Font() const { return font_; }
    void SetFont(const TFont& value);
    [[nodiscard]] TGridStyles GridStyle() const { return gridStyle_; }
    void SetGridStyle(TGridStyles value);
    [[nodiscard]] TControlColor GridColor() const { return gridColor_; }
    void SetGridColor(TControlColor value);
    [[nodiscard]] int LineWidth() const { return lineWidth_; }
    void SetLineWidth(int value);
    [[nodiscard]] bool ShowGridLines() const { return showGridLines_; }
    void SetShowGridLines(bool value);
    [[nodiscard]] int TextIndentLeft() const { return textIndentLeft_; }
    void SetTextIndentLeft(int value);
    [[nodiscard]] int TextIndentRight() const { return textIndentRight_; }
    void SetTextIndentRight(int value);
    [[nodiscard]] int TextIndentTop() const { return textIndentTop_; }
    void SetTextIndentTop(int value);
    [[nodiscard]] bool EndEllipsis() const { return endEllipsis_; }
    void SetEndEllipsis(bool value);
    [[nodiscard]] bool ShowFocusRect() const { return showFocusRect_; }
    void SetShowFocusRect(bool value);
    [[nodiscard]] bool AllowEdit() const { return allowEdit_; }
    void SetAllowEdit(bool value);
    [[nodiscard]] bool AlwaysEdit() const { return alwaysEdit_; }
    // false hides the editor; true turns AllowEdit on, takes the input focus
    // and shows the editor with freshly fetched text and style.
    void SetAlwaysEdit(bool value);
    [[nodiscard]] bool AlwaysSelected() const { return alwaysSelected_; }
    void SetAlwaysSelected(bool value);
    [[nodiscard]] bool CancelOnExit() const { return cancelOnExit_; }
    void SetCancelOnExit(bool value) { cancelOnExit_ = value; }
    [[nodiscard]] TMoveKeys MoveKeys() const { return moveKeys_; }
    // mkMouseDrag brings mkMouse with it; without mkMouse there is no mkMouseDrag.
    void SetMoveKeys(TMoveKeys value);
    [[nodiscard]] bool RightClickFocus() const { return rightClickFocus_; }
    void SetRightClickFocus(bool value) { rightClickFocus_ = value; }
    [[nodiscard]] bool ColumnsFullDrag() const { return columnsFullDrag_; }
    void SetColumnsFullDrag(bool value) { columnsFullDrag_ = value; }
    [[nodiscard]] bool ShowCellTips() const { return showCellTips_; }
    // true also turns ShowHint on.
    void SetShowCellTips(bool value);
    [[nodiscard]] bool ShowHint() const { return showHint_; }
    // false also turns ShowCellTips off.
    void SetShowHint(bool value);
    [[nodiscard]] bool DoubleBuffered() const { return doubleBuffered_; }
    void SetDoubleBuffered(bool value) { doubleBuffered_ = value; }
    [[nodiscard]] TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle value);
    [[nodiscard]] bool FlatBorder() const { return flatBorder_; }
    void SetFlatBorder(bool value);

    // While UpdateCount() is above 0 the grid does not invalidate its window.
    [[nodiscard]] int UpdateCount() const { return updateCount_; }
    void BeginUpdate() { ++updateCount_; }
    void EndUpdate();

    // ---- cells
    // The owner's text of a cell (OnGetCellText).
    virtual QString CellText(const TGridCell& cell);
    [[nodiscard]] QRect CellBounds(const TGridCell& cell) const;
    [[nodiscard]] QRect CellInnerBounds(const TGridCell& cell) const;
    [[nodiscard]] TGridCell CellAtPoint(int x, int y) const;
    [[nodiscard]] virtual QRect GridArea() const;
    [[nodiscard]] virtual QPoint CellTextIndent(const TGridCell& cell) const;
    virtual void ApplyCellColors(const TGridCell& cell, TCellCanvas& canvas);
    void PaintCellText(QPainter& painter, const QRect& rect, const QString& text, bool wordWrap,
                       bool wantReturns, TAlignment alignment, int indentTop, int indentLeft) const;
    [[nodiscard]] QRect MeasureCellText(const QFont& font, const QRect& rect, const QString& text,
                                        bool wordWrap, bool wantReturns, TAlignment alignment,
                                        int indentTop, int indentLeft) const;
    [[nodiscard]] bool IsCellValid(const TGridCell& cell) const;

    void RefreshCell(const TGridCell& cell);
    void Invalidate();
    void InvalidateRect(const QRect& rect);
    [[nodiscard]] bool FocusHighlightAllowed() const { return !editorActive_ && !alwaysEdit_; }
    // The input focus lies on the grid or on its editor.
    [[nodiscard]] bool FocusInside() const;
    void SetFocus() { setFocus(Qt::OtherFocusReason); }
    // After the owner has set the grid up as a stored layout would: the editor
    // follows the focused cell and the focused cell is made valid.
    virtual void Loaded();

    // ---- focus and navigation
    [[nodiscard]] bool CanFocusCell(const TGridCell& cell) const;
    [[nodiscard]] TGridCell FindFocusTarget(TGridCell cell, TFocusDirection direction) const;
    void MoveFocus(TGridCell cell, bool select, bool scrollIntoView);
    void EnsureFocusedCell();
    void ScrollCellIntoView(const TGridCell& cell, bool partialOK);
    bool TakeFocus();
    void HideFocusMark();
    void ShowFocusMark();
    void CancelCellTip();
    virtual void LayoutScrollBars();
    // The grid's own handling of a key: OnKeyDown, then navigation.
    void KeyDown(int key, Qt::KeyboardModifiers modifiers);
    // The grid's handling of a typed character: OnKeyPress, then the Enter and
    // Esc editing commands. Returns true when the character was consumed.
    bool KeyPress(QChar key);

    // ---- editing
    [[nodiscard]] virtual bool EditorCanShow(const TGridCell& cell);
    [[nodiscard]] bool EditorCanModify(const TGridCell& cell);
    [[nodiscard]] bool EditorCanUndo(const TGridCell& cell) { return EditorCanModify(cell); }
    [[nodiscard]] bool IsCellReadOnly(const TGridCell& cell);
    [[nodiscard]] TGridEditStyle EditStyleFor(const TGridCell& cell);
    [[nodiscard]] QString EditTextFor(const TGridCell& cell);
    void FillEditList(const TGridCell& cell, QStringList& items);
    void SyncEditor(bool activate);
    void ShowEditor() { SyncEditor(true); }
    void HideEditor();
    void SetEditorActive(bool value);
    void StoreEditorText();
    void CommitEditor() { SetEditorActive(false); }
    void CancelEditor();
    void UndoEditor();
    void RefreshEditor(bool keepText);
    [[nodiscard]] TCustomGridEdit* Editor() const;
    // Where the pick list goes; the inspector shifts it.
    virtual void AdjustListRect(QRect& /*screenRect*/) {}
    // The wheel as the editor hands it on: positive `steps` turn away from the user.
    void WheelTurned(int steps, Qt::KeyboardModifiers modifiers, const QPoint& pos);
    // A double click as the editor reports it.
    void DblClick();

    // ---- owner events
    TCellTextEvent OnGetCellText;
    std::function<void(TCustomGridView& Sender, const TGridCell& Cell, TCellCanvas& Canvas)> OnGetCellColors;
    TCellFlagEvent OnGetCellReadOnly;
    std::function<void(TCustomGridView& Sender, const TGridCell& Cell, Qt::KeyboardModifiers Shift, int X, int Y)>
        OnCellClick;
    std::function<void(TCustomGridView& Sender, TGridCell& Cell, bool& Selected)> OnChanging;
    std::function<void(TCustomGridView& Sender, const TGridCell& Cell, bool Selected)> OnChange;
    TCellFlagEvent OnEditCanShow;
    std::function<void(TCustomGridView& Sender, const TGridCell& Cell, TGridEditStyle& Style)> OnGetEditStyle;
    TCellTextEvent OnGetEditText;
    std::function<void(TCustomGridView& Sender, const TGridCell& Cell, QStringList& Items)> OnGetEditList;
    TCellFlagEvent OnEditCanModify;
    std::function<void(TCustomGridView& Sender, const TGridCell& Cell, QChar Key, bool& Accept)> OnEditAcceptKey;
    TCellEvent OnEditChange;
    std::function<void(TCustomGridView& Sender, const TGridCell& Cell, int ItemIndex, bool& Accept)> OnEditCloseUp;
    TCellEvent OnEditButtonPress;
    TCellTextEvent OnEditSelectNext;
    TCellTextEvent OnSetEditText;
    TCellEvent OnEditCanceled;
    std::function<void(TCustomGridView& Sender, int& Key, Qt::KeyboardModifiers Shift)> OnKeyDown;
    std::function<void(TCustomGridView& Sender, QChar& Key)> OnKeyPress;
    std::function<void(TCustomGridView& Sender)> OnDblClick;
    std::function<void(TCustomGridView& Sender, Qt::KeyboardModifiers Shift, QPoint MousePos, bool& Handled)>
        OnMouseWheelDown;
    std::function<void(TCustomGridView& Sender, Qt::KeyboardModifiers Shift, QPoint MousePos, bool& Handled)>
        OnMouseWheelUp;

protected:
    // ---- hooks for derived grids
    virtual void ColumnsChanged() {}
    virtual TCustomGridEdit* CreateEditor();
    // The cell a mouse press or drag lands on.
    [[nodiscard]] virtual TGridCell HitTestCell(const QPoint& pos) const { return CellAtPoint(pos.x(), pos.y()); }
    // The rectangle a cell paints into (and is tested against the repainted region).
    [[nodiscard]] virtual QRect CellPaintRect(const TGridCell& cell) const { return CellBounds(cell); }
    virtual void PaintCell(QPainter& painter, const TGridCell& cell, const QRect& rect);
    // The rectangle a tip is measured against.
    [[nodiscard]] virtual QRect TipBounds(const TGridCell& cell) const { return CellInnerBounds(cell); }
    // The base colour rules of a cell after the font has been chosen.
    void ApplyStateColors(const TGridCell& cell, TCellCanvas& canvas);
    // A cell rectangle less the grid lines on its right and bottom edges.
    [[nodiscard]] QRect InnerOf(const QRect& bounds) const;
    void LookChanged();

    // Left and right edges of a column in client coordinates.
    [[nodiscard]] std::pair<int, int> ColumnSpan(int col) const;
    [[nodiscard]] std::pair<int, int> RowSpan(int row) const;
    [[nodiscard]] QRect ClientRect() const;
    void ComputeVisibleRange();
    void ColumnsChange();
    void RowsChange();
    void ResizeChange();
    [[nodiscard]] QRect FocusArea() const;
    [[nodiscard]] TCellCanvas PrepareCanvas(const TGridCell& cell);
    [[nodiscard]] TCellTextFormat TextFormat(const TGridCell& cell, const QPoint& indent) const;
    [[nodiscard]] bool Destroying() const { return destroying_; }

    // ---- Qt events
    bool event(QEvent* e) override;
    bool viewportEvent(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void changeEvent(QEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void scrollContentsBy(int dx, int dy) override;

    // Unguarded bodies of the mouse events, for derived grids to call.
    void HandleMousePress(QMouseEvent* e);
    void HandleMouseMove(QMouseEvent* e);

private:
    friend class TCustomGridEdit;
    friend class TGridTipsWindow;

    void PaintGrid(QPainter& painter, const QRegion& region);
    void PaintEmptyArea(QPainter& painter);
    void PaintFocusRect(QPainter& painter);
    void PaintGridLines(QPainter& painter);
    [[nodiscard]] QColor GridLineColor() const;

    void ConnectScrollBar(TGridScrollBar& model, QScrollBar* bar);
    void ApplyScrollBar(TGridScrollBar& model, QScrollBar* bar);
    void ScrollContent(TGridScrollBar& model, int pixels);
    void ScrollChanged();

    bool ShowTipAt(const QPoint& pos);
    void HideTipIfLeft(const QPoint& pos);

    void ExitControl();
    void ShowBoundEditor();
    void ApplyFrame();
    void GridKeyDown(int key, Qt::KeyboardModifiers modifiers);
    void AfterEditorDestroyed();

    TGridColumns columns_;
    TGridRows rows_;
    TGridScrollBar horz_{TScrollBarKind::sbHorizontal};
    TGridScrollBar vert_{TScrollBarKind::sbVertical};

    TGridCell focusedCell_{0, 0};
    bool focusSelected_ = false;
    TGridCell firstVisible_{0, 0};
    TCellCount visibleCount_;
    TGridCell editorCell_ = NoCell;
    bool editorActive_ = false;
    TGridCell clickCell_ = NoCell;
    TGridCell tipCell_ = NoCell;
    QString tipText_;
    QRect tipArea_;

    TControlColor color_ = clWindow;
    TFont font_;
    TGridStyles gridStyle_{TGridStyle::gsHorzLine, TGridStyle::gsVertLine};
    TControlColor gridColor_ = clSilver;
    int lineWidth_ = 1;
    bool showGridLines_ = true;
    int textIndentLeft_ = 6;
    int textIndentRight_ = 6;
    int textIndentTop_ = 2;
    bool endEllipsis_ = true;
    bool showFocusRect_ = true;
    bool allowEdit_ = true;
    bool alwaysEdit_ = false;
    bool alwaysSelected_ = false;
    bool cancelOnExit_ = true;
    TMoveKeys moveKeys_{TMoveKey::mkArrows, TMoveKey::mkMouse, TMoveKey::mkMouseWheel};
    bool rightClickFocus_ = true;
    bool columnsFullDrag_ = false;
    bool showCellTips_ = false;
    bool showHint_ = false;
    bool doubleBuffered_ = false;
    TBorderStyle borderStyle_ = TBorderStyle::bsSingle;
    bool flatBorder_ = false;
    int updateCount_ = 0;
    bool destroying_ = false;
    bool parentFont_ = true;
    int wheelRemainder_ = 0;
    bool mouseDropped_ = false;

    QPointer<TCustomGridEdit> editor_;
    std::unique_ptr<TGridTipsWindow> tips_;
};

}  // namespace lk63
