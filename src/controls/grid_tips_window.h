#pragma once
// The tip of a grid cell: a frameless window that lays the cell's whole text
// exactly over the text of the cell. It never takes the focus or the mouse.

#include <QWidget>

namespace lk63 {

class TCustomGridView;

class TGridTipsWindow : public QWidget {
public:
    explicit TGridTipsWindow(TCustomGridView& grid);

    // Shows the tip of the grid's TipCell() with its TipText() in `screenRect`.
    void ShowTip(const QRect& screenRect);

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    TCustomGridView& grid_;
};

}  // namespace lk63
