#include "controls/grid_list_box.h"

#include <algorithm>
#include <chrono>

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>

#include "controls/event_guard.h"
#include "controls/system_colors.h"

namespace lk63 {
namespace {

std::int64_t SteadyMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace

TGridListBox::TGridListBox()
    : QAbstractScrollArea(nullptr), clock_(&SteadyMs) {
    // A tool-tip window is shown without activation: the editor keeps the focus.
    setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    viewport()->setFocusPolicy(Qt::NoFocus);
    verticalScrollBar()->setFocusPolicy(Qt::NoFocus);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QPalette p = palette();
    p.setColor(QPalette::WindowText, Qt::black);
    setPalette(p);
}

void TGridListBox::SetClock(TClock clock) { clock_ = clock ? std::move(clock) : TClock(&SteadyMs); }

void TGridListBox::SetItems(const QStringList& items) {
    items_ = items;
    itemIndex_ = -1;
    searchText_.clear();
    verticalScrollBar()->setValue(0);
    viewport()->update();
}

int TGridListBox::RowHeight() const { return std::max(QFontMetrics(font()).height(), 1); }

int TGridListBox::VisibleRows() const { return std::max(viewport()->height() / RowHeight(), 1); }

int TGridListBox::TopIndex() const { return verticalScrollBar()->value(); }

QSize TGridListBox::ClientSize() const { return viewport()->size(); }

void TGridListBox::SetClientSize(const QSize& size, bool scrollBar) {
    const int bar = scrollBar ? style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this) : 0;
    setVerticalScrollBarPolicy(scrollBar ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    const int frame = 2 * frameWidth();
    resize(size.width() + frame + bar, size.height() + frame);
    const int rows = std::max(size.height() / RowHeight(), 1);
    verticalScrollBar()->setRange(0, std::max(Count() - rows, 0));
    verticalScrollBar()->setPageStep(rows);
    verticalScrollBar()->setSingleStep(1);
}

void TGridListBox::SetItemIndex(int index) {
    if (index < -1 || index >= Count()) index = -1;
    itemIndex_ = index;
    if (index >= 0) EnsureVisible(index);
    viewport()->update();
}

void TGridListBox::EnsureVisible(int index) {
    const int rows = std::max(verticalScrollBar()->pageStep(), 1);
    const int top = TopIndex();
    if (index < top) verticalScrollBar()->setValue(index);
    else if (index >= top + rows) verticalScrollBar()->setValue(index - rows + 1);
}

int TGridListBox::RowAt(int y) const { return TopIndex() + (y >= 0 ? y / RowHeight() : -1); }

void TGridListBox::KeyDown(const QKeyEvent& e) {
    const int last = Count() - 1;
    if (last < 0 && e.key() != Qt::Key_Backspace && e.key() != Qt::Key_Escape) return;
    const int page = std::max(verticalScrollBar()->pageStep() - 1, 1);
    const int current = itemIndex_;
    switch (e.key()) {
    case Qt::Key_Up: SetItemIndex(current < 0 ? 0 : std::max(current - 1, 0)); return;
    case Qt::Key_Down: SetItemIndex(current < 0 ? 0 : std::min(current + 1, last)); return;
    case Qt::Key_PageUp: SetItemIndex(std::max(current - page, 0)); return;
    case Qt::Key_PageDown: SetItemIndex(std::min(std::max(current, 0) + page, last)); return;
    case Qt::Key_Home: SetItemIndex(0); return;
    case Qt::Key_End: SetItemIndex(last); return;
    case Qt::Key_Backspace:
    case Qt::Key_Escape: searchText_.clear(); return;
    default: break;
    }
    const QString text = e.text();
    if (text.isEmpty() || (e.modifiers() & (Qt::ControlModifier | Qt::AltModifier))) return;
    const QChar ch = text.at(0);
    // Every printable character searches, Cyrillic as well as Latin.
    if (ch.unicode() >= 0x20 && ch.isPrint()) Search(ch);
}

void TGridListBox::Search(QChar ch) {
    const std::int64_t now = clock_();
    if (!anyKeyTyped_ || now - lastKeyTime_ > SearchWindowMs) searchText_.clear();
    anyKeyTyped_ = true;
    lastKeyTime_ = now;
    if (searchText_.size() < MaxSearchLength) searchText_.append(ch);
    for (int i = 0; i < Count(); ++i) {
        if (items_[i].startsWith(searchText_, Qt::CaseInsensitive)) {
            SetItemIndex(i);
            return;
        }
    }
}

void TGridListBox::PressAt(const QPoint& pos, Qt::MouseButton button) {
    pressed_ = true;
    pressedButton_ = button;
    if (viewport()->rect().contains(pos)) {
        const int row = RowAt(pos.y());
        if (row >= 0 && row < Count()) SetItemIndex(row);
    }
}

void TGridListBox::MoveAt(const QPoint& pos) {
    if (!pressed_ || Count() == 0) return;
    // Dragging past an edge scrolls one row at a time.
    const int row = std::clamp(RowAt(pos.y()), 0, Count() - 1);
    SetItemIndex(row);
}

void TGridListBox::ReleaseAt(const QPoint& pos) {
    if (!pressed_) return;
    pressed_ = false;
    const bool inside = viewport()->rect().contains(pos);
    if (OnRelease) OnRelease(inside);
}

// Any button picks the entry under the pointer; releasing it closes the list.
void TGridListBox::mousePressEvent(QMouseEvent* e) {
    Guarded([&] {
        if (!pressed_) PressAt(e->position().toPoint(), e->button());
    });
}

void TGridListBox::mouseDoubleClickEvent(QMouseEvent* e) { mousePressEvent(e); }

void TGridListBox::mouseMoveEvent(QMouseEvent* e) {
    Guarded([&] { MoveAt(e->position().toPoint()); });
}

void TGridListBox::mouseReleaseEvent(QMouseEvent* e) {
    Guarded([&] {
        if (e->button() == pressedButton_) ReleaseAt(e->position().toPoint());
    });
}

void TGridListBox::scrollContentsBy(int /*dx*/, int /*dy*/) { viewport()->update(); }

void TGridListBox::paintEvent(QPaintEvent* /*e*/) {
    Guarded([&] {
        QPainter painter(viewport());
        const QPalette& pal = palette();
        painter.fillRect(viewport()->rect(), SystemColor(TSysColor::clWindow, pal));
        const int h = RowHeight();
        const int top = TopIndex();
        const int width = viewport()->width();
        for (int i = top; i < Count(); ++i) {
            const QRect row(0, (i - top) * h, width, h);
            if (row.top() > viewport()->height()) break;
            const bool selected = i == itemIndex_;
            if (selected) painter.fillRect(row, SystemColor(TSysColor::clHighlight, pal));
            painter.setPen(SystemColor(selected ? TSysColor::clHighlightText : TSysColor::clWindowText, pal));
            painter.drawText(row.adjusted(2, 0, -2, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                             items_[i]);
            if (selected) {
                // Drawn as focused, though the focus stays in the editor.
                QPen pen(SystemColor(TSysColor::clHighlightText, pal));
                pen.setDashPattern({1.0, 1.0});
                painter.setPen(pen);
                painter.drawRect(row.adjusted(0, 0, -1, -1));
            }
        }
    });
}

}  // namespace lk63
