#pragma once
// A two-column name/value grid: column 0 names a parameter, column 1 shows its
// value, one parameter per row. Column 1 always takes the width that column 0
// leaves; the border between them can be dragged in the rows.

#include "controls/custom_grid_view.h"

namespace lk63 {

class TCustomInspector : public TCustomGridView {
public:
    static constexpr int MinColumnWidth = 35;
    static constexpr int ResizeZone = 4;

    explicit TCustomInspector(QWidget* parent = nullptr);

    [[nodiscard]] const TFont& NameFont() const { return nameFont_; }
    void SetNameFont(const TFont& value);
    [[nodiscard]] const TFont& ValueFont() const { return valueFont_; }
    void SetValueFont(const TFont& value);
    [[nodiscard]] const TFont& CategoryFont() const { return categoryFont_; }
    void SetCategoryFont(const TFont& value);
    [[nodiscard]] TInspectorGridMode GridMode() const { return gridMode_; }
    void SetGridMode(TInspectorGridMode value);

    // Column 1 takes what column 0 leaves of the grid area, both at least 35 wide.
    void FitValueColumn();
    // After a stored layout has been applied: the width is split evenly.
    void Loaded() override;
    [[nodiscard]] bool IsCategoryRow(int row) const;
    [[nodiscard]] bool Resizing() const { return resizing_; }

    // A category row shows its name's text in every column.
    QString CellText(const TGridCell& cell) override;
    [[nodiscard]] QRect GridArea() const override;
    [[nodiscard]] QPoint CellTextIndent(const TGridCell& cell) const override;
    void ApplyCellColors(const TGridCell& cell, TCellCanvas& canvas) override;
    [[nodiscard]] bool EditorCanShow(const TGridCell& cell) override;
    void AdjustListRect(QRect& screenRect) override;
    void LayoutScrollBars() override;

    std::function<void(TCustomGridView& Sender, int Row, bool& Category)> OnGetCategoryRow;

protected:
    void ColumnsChanged() override;
    TCustomGridEdit* CreateEditor() override;
    [[nodiscard]] TGridCell HitTestCell(const QPoint& pos) const override;
    [[nodiscard]] QRect CellPaintRect(const TGridCell& cell) const override;
    void PaintCell(QPainter& painter, const TGridCell& cell, const QRect& rect) override;
    [[nodiscard]] QRect TipBounds(const TGridCell& cell) const override;

    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    [[nodiscard]] bool InResizeZone(const QPoint& pos) const;
    [[nodiscard]] int DragWidth(int x) const;
    void ApplyDragWidth(int width);
    void FontsChanged();

    TFont nameFont_;
    TFont valueFont_;
    TFont categoryFont_;
    TInspectorGridMode gridMode_ = TInspectorGridMode::gmInspector;
    int fitLock_ = 0;
    QPoint lastPointer_;
    bool resizing_ = false;
    int pressOffset_ = 0;  // column 0's right edge minus the press point
    int dragLine_ = -1;    // the marked border while dragging without ColumnsFullDrag
};

}  // namespace lk63
