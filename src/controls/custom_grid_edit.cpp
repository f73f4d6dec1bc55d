// The editor's state: binding to the grid's cell, colours, placement, and
// opening and closing its pick list.
#include "controls/custom_grid_edit.h"

#include <algorithm>
#include <limits>

#include <QApplication>
#include <QScreen>
#include <QStyle>

#include "controls/custom_grid_view.h"
#include "controls/event_guard.h"
#include "controls/grid_list_box.h"
#include "controls/list_cancel_filter.h"

namespace lk63 {
namespace {

// Only one pick list is open at a time in the whole program.
QPointer<TCustomGridEdit>& OpenListOwner() {
    static QPointer<TCustomGridEdit> owner;
    return owner;
}

bool IsListStyle(TGridEditStyle s) { return s == TGridEditStyle::gePickList || s == TGridEditStyle::geDataList; }

Qt::Alignment ToQt(TAlignment a) {
    switch (a) {
    case TAlignment::taRightJustify: return Qt::AlignRight;
    case TAlignment::taCenter: return Qt::AlignHCenter;
    case TAlignment::taLeftJustify: break;
    }
    return Qt::AlignLeft;
}

}  // namespace

TCustomGridEdit::TCustomGridEdit(TCustomGridView* grid)
    : QLineEdit(grid->viewport()),
      grid_(grid),
      buttonWidth_(QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent)) {
    hide();
    setFrame(false);
    setFocusPolicy(Qt::ClickFocus);
    setMouseTracking(true);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setAttribute(Qt::WA_MacShowFocusRect, false);
    QObject::connect(this, &QLineEdit::textChanged, this, [this] { Guarded([&] { TextEdited(); }); });
}

TCustomGridEdit::~TCustomGridEdit() {
    // Closed without telling anyone: the grid is going away.
    if (listOpen_ && list_) list_->hide();
    listOpen_ = false;
    if (OpenListOwner() == this) OpenListOwner() = nullptr;
}

void TCustomGridEdit::SetEditStyle(TGridEditStyle value) {
    if (editStyle_ == value) return;
    if (listOpen_) CloseList(false);
    editStyle_ = value;
    if (!isHidden()) UpdateBounds();
    update();
}

void TCustomGridEdit::SetButtonWidth(int value) {
    value = std::max(value, 0);
    if (buttonWidth_ == value) return;
    buttonWidth_ = value;
    update();
}

QRect TCustomGridEdit::ButtonRect() const {
    if (editStyle_ == TGridEditStyle::geSimple) return {};
    return QRect(width() - buttonWidth_, 0, buttonWidth_, height());
}

void TCustomGridEdit::RefreshContents() {
    const TGridCell cell = grid_->EditorCell();
    int maxLength = 0;
    wantReturns_ = false;
    wordWrap_ = false;
    alignment_ = TAlignment::taLeftJustify;
    editMask_.clear();
    if (grid_->IsCellValid(cell)) {
        const TGridColumn& column = grid_->Columns()[cell.Col];
        maxLength = column.MaxLength();
        wantReturns_ = column.WantReturns();
        switch (column.EditWordWrap()) {
        case TEditWordWrap::ewAuto: wordWrap_ = column.WordWrap(); break;
        case TEditWordWrap::ewEnabled: wordWrap_ = true; break;
        case TEditWordWrap::ewDisabled: wordWrap_ = false; break;
        }
        if (column.AlignEdit()) alignment_ = column.Alignment();
        editMask_ = column.EditMask();
    }
    setReadOnly(grid_->IsCellReadOnly(cell) || maxLength == -1);
    setAlignment(ToQt(alignment_) | Qt::AlignTop);
    const QPointer<TCustomGridEdit> self(this);
    const QString text = grid_->EditTextFor(cell);
    if (!self) return;
    // The limit applies to typing; a longer text from the owner is shown whole.
    const int limit = maxLength > 0 ? maxLength : std::numeric_limits<int>::max();
    setMaxLength(static_cast<int>(std::max<qsizetype>(limit, text.size())));
    setText(text);
}

void TCustomGridEdit::RefreshStyle() { SetEditStyle(grid_->EditStyleFor(grid_->EditorCell())); }

void TCustomGridEdit::ApplyColors() {
    const TCellCanvas canvas = grid_->PrepareCanvas(grid_->EditorCell());
    QPalette p = palette();
    p.setColor(QPalette::Base, canvas.BrushColor);
    p.setColor(QPalette::Text, canvas.FontColor);
    setPalette(p);
    setFont(canvas.Font);
}

void TCustomGridEdit::UpdateBounds() {
    const TGridCell cell = grid_->EditorCell();
    const QRect inner = grid_->CellInnerBounds(cell);
    const QRect g = grid_->GridArea();
    // A cell scrolled out to the left or the top gives an editor cut at the grid area.
    const int left = std::max(inner.left(), g.left());
    const int right = std::max(inner.left() + inner.width(), g.left());
    const int top = std::max(inner.top(), g.top());
    const int bottom = std::max(inner.top() + inner.height(), g.top());
    setGeometry(left, top, right - left, bottom - top);

    const QPoint indent = grid_->CellTextIndent(cell);
    const int reserved = editStyle_ != TGridEditStyle::geSimple ? buttonWidth_ + 1 : grid_->TextIndentRight();
    int textWidth = inner.width() - reserved - indent.x();
    if (alignment_ == TAlignment::taRightJustify) textWidth += 1;
    SetTextArea(QRect(inner.left() + indent.x() - left, inner.top() + indent.y() - top, std::max(textWidth, 0),
                      inner.height()));
}

void TCustomGridEdit::SetTextArea(const QRect& area) {
    textRect_ = area;
    // The text field adds 2 pixels on each side and 1 on top of its own.
    constexpr int fieldMarginX = 2;
    constexpr int fieldMarginY = 1;
    setTextMargins(area.left() - fieldMarginX, area.top() - fieldMarginY,
                   width() - (area.left() + area.width()) - fieldMarginX, 0);
}

TGridListBox& TCustomGridEdit::EnsureList() {
    if (!list_) {
        list_ = std::make_unique<TGridListBox>();
        list_->OnRelease = [this](bool inside) { ListReleased(inside); };
        cancelFilter_ = std::make_unique<TListCancelFilter>(*this);
    }
    return *list_;
}

void TCustomGridEdit::OpenList() {
    if (listOpen_ || !grid_ || !IsListStyle(editStyle_)) return;
    const QPointer<TCustomGridEdit> self(this);
    if (TCustomGridEdit* other = OpenListOwner(); other && other != this) other->CloseList(false);
    if (!self || listOpen_) return;

    TGridListBox& list = EnsureList();
    list.hide();
    list.setFont(font());
    QStringList items;
    grid_->FillEditList(grid_->EditorCell(), items);
    if (!self) return;
    list.SetItems(items);

    int match = -1;
    if (!text().isEmpty()) {
        for (int i = 0; i < items.size(); ++i) {
            if (items[i].startsWith(text(), Qt::CaseInsensitive)) {
                match = i;
                break;
            }
        }
    }

    const QFontMetrics metrics(list.font());
    int clientWidth = 100;
    if (!items.isEmpty()) {
        int widest = 0;
        for (const QString& item : items) widest = std::max(widest, metrics.horizontalAdvance(item));
        clientWidth = widest + 6;
    }
    const int rows = (items.isEmpty() || listRows_ <= 0) ? 1 : std::min<int>(items.size(), listRows_);
    list.SetClientSize(QSize(clientWidth, rows * list.RowHeight()), items.size() > rows);
    const int cellWidth = grid_->CellBounds(grid_->EditorCell()).width();
    if (list.width() < cellWidth) list.resize(cellWidth, list.height());
    list.SetItemIndex(match);

    const QPoint origin = mapToGlobal(QPoint(0, 0));
    QRect r(origin.x() + width() - list.width(), origin.y() + height(), list.width(), list.height());
    const QScreen* s = screen();
    const QRect work = s ? s->availableGeometry() : QRect();
    if (s && r.bottom() > work.bottom()) r.moveTop(origin.y() - r.height());
    grid_->AdjustListRect(r);
    if (s) {
        // Moved, never cut, to stay inside the work area.
        if (r.right() > work.right()) r.moveRight(work.right());
        if (r.left() < work.left()) r.moveLeft(work.left());
        if (r.top() < work.top()) r.moveTop(work.top());
    }
    list.setGeometry(r);
    list.show();
    listOpen_ = true;
    OpenListOwner() = this;
    update();
    setFocus(Qt::OtherFocusReason);
}

void TCustomGridEdit::CloseList(bool accept) {
    if (!listOpen_) return;
    if (QWidget* grabber = QWidget::mouseGrabber(); grabber && grabber == list_.get()) grabber->releaseMouse();
    buttonTracking_ = false;
    buttonPressed_ = false;
    forwardingToList_ = false;
    list_->CancelMode();
    list_->hide();
    listOpen_ = false;
    if (OpenListOwner() == this) OpenListOwner() = nullptr;
    update();

    const int index = list_->ItemIndex();
    const TGridCell cell = grid_->EditorCell();
    bool accepted = accept;
    const QPointer<TCustomGridEdit> self(this);
    if (grid_->OnEditCloseUp) grid_->OnEditCloseUp(*grid_, cell, index, accepted);
    if (!self || !list_) return;
    if (accepted && index >= 0 && index < list_->Count()) {
        setText(list_->Items().at(index));
        selectAll();
    }
}

void TCustomGridEdit::ListReleased(bool inside) { CloseList(inside); }

void TCustomGridEdit::TextEdited() {
    if (inField_) return;  // reported once the field has kept the change
    if (grid_->OnEditChange) grid_->OnEditChange(*grid_, grid_->EditorCell());
}

}  // namespace lk63
