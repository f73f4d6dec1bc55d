// Scrolling: the two scroll bar models, their window scroll bars on the
// 0..10000 scale, and keeping cells in view.
#include <algorithm>

#include <QScrollBar>

#include "controls/custom_grid_edit.h"
#include "controls/custom_grid_view.h"
#include "controls/event_guard.h"

namespace lk63 {

void TCustomGridView::ConnectScrollBar(TGridScrollBar& model, QScrollBar* bar) {
    bar->setTracking(true);
    model.OnRefresh = [this, &model, bar] { ApplyScrollBar(model, bar); };
    model.OnScrollContent = [this, &model](int pixels) { ScrollContent(model, pixels); };
    model.OnChanging = [this](TScrollCode, int&) { CancelCellTip(); };
    model.OnChanged = [this] { ScrollChanged(); };

    QObject::connect(bar, &QAbstractSlider::actionTriggered, this, [this, &model, bar](int action) {
        Guarded([&] {
            switch (action) {
            case QAbstractSlider::SliderSingleStepAdd: model.Scroll(TScrollCode::scLineDown); break;
            case QAbstractSlider::SliderSingleStepSub: model.Scroll(TScrollCode::scLineUp); break;
            case QAbstractSlider::SliderPageStepAdd: model.Scroll(TScrollCode::scPageDown); break;
            case QAbstractSlider::SliderPageStepSub: model.Scroll(TScrollCode::scPageUp); break;
            case QAbstractSlider::SliderToMinimum: model.Scroll(TScrollCode::scTop); break;
            case QAbstractSlider::SliderToMaximum: model.Scroll(TScrollCode::scBottom); break;
            case QAbstractSlider::SliderMove:
                if (bar->isSliderDown()) {
                    // Without tracking the thumb follows the pointer alone until released.
                    if (!model.Tracking()) return;
                    model.Scroll(TScrollCode::scThumbTrack, bar->sliderPosition());
                } else {
                    model.Scroll(TScrollCode::scThumbPosition, bar->sliderPosition());
                }
                break;
            default: break;
            }
            // The window's bar shows the model, whatever the request did.
            ApplyScrollBar(model, bar);
        });
    });
    QObject::connect(bar, &QAbstractSlider::sliderReleased, this, [this, &model, bar] {
        Guarded([&] {
            model.Scroll(TScrollCode::scThumbPosition, bar->sliderPosition());
            model.Scroll(TScrollCode::scEndScroll);
            ApplyScrollBar(model, bar);
        });
    });
}

void TCustomGridView::ApplyScrollBar(TGridScrollBar& model, QScrollBar* bar) {
    if (model.Locked() || destroying_) return;
    const TScrollBarWindowInfo info = model.WindowInfo();
    // Qt's maximum is the highest thumb position: the range less one page.
    // The range change must be heard: it shows or hides the bar.
    bar->setRange(0, info.Max > 0 ? std::max(info.Max - info.Page, 1) : 0);
    bar->setPageStep(std::max(info.Page, 1));
    bar->setSingleStep(1);
    bar->setValue(info.Pos);
}

void TCustomGridView::scrollContentsBy(int /*dx*/, int /*dy*/) {
    // Scrolling is driven by the models, never by the bars' values.
}

void TCustomGridView::ScrollContent(TGridScrollBar& model, int pixels) {
    if (!isVisible() || updateCount_ > 0) return;
    if (model.Kind() == TScrollBarKind::sbVertical) {
        viewport()->scroll(0, pixels, GridArea().intersected(ClientRect()));
    } else {
        viewport()->scroll(pixels, 0, ClientRect());
    }
}

void TCustomGridView::ScrollChanged() {
    ComputeVisibleRange();
    // The focus rectangle is clipped to the grid area; the moved pixels may miss a part.
    InvalidateRect(FocusArea());
    SyncEditor(editorActive_);
}

void TCustomGridView::LayoutScrollBars() {
    ++updateCount_;
    // A bar that appears or goes away changes the grid area; lay out again then.
    for (int pass = 0; pass < 3; ++pass) {
        const QSize before = GridArea().size();
        const QRect g = GridArea();
        const int h = rows_.Height();
        vert_.SetLineSize(h);
        if (rows_.Count() > 0 && h > 0) vert_.SetRangeSteps(0, rows_.Count() - 1, 1, g.height() / h - 1);
        else vert_.SetRangeSteps(0, 0, 0, 0);
        horz_.SetLineSize(1);
        if (columns_.Count() > 0) horz_.SetRangeSteps(0, columns_.TotalWidth(), 8, g.width());
        else horz_.SetRangeSteps(0, 0, 0, 0);
        if (GridArea().size() == before) break;
    }
    --updateCount_;
}

void TCustomGridView::ScrollCellIntoView(const TGridCell& cell, bool partialOK) {
    const QRect g = GridArea();
    const QRect r = CellBounds(cell);
    const bool inside = partialOK ? g.intersects(r) : g.contains(r, false) || (r.isEmpty() && g.contains(r.topLeft()));
    if (inside) return;
    const int gRight = g.left() + g.width();
    const int gBottom = g.top() + g.height();
    const auto [cl, cr] = ColumnSpan(cell.Col);
    int dx = 0;
    if (cl < g.left() || cr - cl > g.width()) dx = g.left() - cl;
    else if (cr > gRight) dx = gRight - cr;
    const auto [rt, rb] = RowSpan(cell.Row);
    int t = 0;
    if (rt < g.top() || rb - rt > g.height()) t = g.top() - rt;
    else if (rb > gBottom) t = gBottom - rb;
    const int h = rows_.Height();
    int dy = 0;
    if (h > 0) {
        dy = t / h;
        if (visibleCount_.Rows > 1 && t % h != 0) dy -= 1;
    }
    vert_.MoveToPosition(vert_.Position() - dy);
    horz_.MoveToPosition(horz_.Position() - dx);
}

}  // namespace lk63
