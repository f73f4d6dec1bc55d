#pragma once
// The tip of a grid cell: a frameless window that lays the cell's whole text
// exactly over the text of the cell. It never takes the focus, and it is no
// target of its own for the mouse: not every window system lets input pass
// through such a window, so whatever reaches it goes on to what lies beneath
// (a click on the tip is a click on the cell), and the pointer leaving it
// outside the tip's area ends the tip.

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
    void mousePressEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void leaveEvent(QEvent* e) override;

private:
    // Ends the tip and hands `e` to the widget beneath it.
    void PassOn(QMouseEvent* e);
    [[nodiscard]] QWidget* WidgetBeneath(const QPoint& global) const;

    TCustomGridView& grid_;
};

}  // namespace lk63
