#include "controls/grid_column.h"

#include <algorithm>

#include "controls/grid_columns.h"

namespace lk63 {

TGridColumn::TGridColumn(TGridColumns* owner) : owner_(owner) {}

void TGridColumn::Changed(bool layout) {
    if (owner_) owner_->ColumnChanged(layout);
}

template <class T>
void TGridColumn::Assign(T& field, const T& value, bool layout) {
    if (field == value) return;
    field = value;
    Changed(layout);
}

void TGridColumn::SetCaption(const QString& value) { Assign(caption_, value, false); }

void TGridColumn::SetWidth(int value) {
    Assign(defWidth_, std::clamp(value, minWidth_, maxWidth_), true);
}

void TGridColumn::SetMinWidth(int value) {
    const int clamped = std::clamp(value, 0, maxWidth_);
    if (clamped == minWidth_) return;
    minWidth_ = clamped;
    defWidth_ = std::clamp(defWidth_, minWidth_, maxWidth_);
    Changed(true);
}

void TGridColumn::SetMaxWidth(int value) {
    const int clamped = std::clamp(value, minWidth_, MaxColumnWidth);
    if (clamped == maxWidth_) return;
    maxWidth_ = clamped;
    defWidth_ = std::clamp(defWidth_, minWidth_, maxWidth_);
    Changed(true);
}

void TGridColumn::SetAlignment(TAlignment value) { Assign(alignment_, value, false); }
void TGridColumn::SetReadOnly(bool value) { Assign(readOnly_, value, false); }
void TGridColumn::SetWantReturns(bool value) { Assign(wantReturns_, value, false); }
void TGridColumn::SetWordWrap(bool value) { Assign(wordWrap_, value, false); }
void TGridColumn::SetEditStyle(TGridEditStyle value) { Assign(editStyle_, value, false); }
void TGridColumn::SetEditMask(const QString& value) { Assign(editMask_, value, false); }
void TGridColumn::SetEditWordWrap(TEditWordWrap value) { Assign(editWordWrap_, value, false); }
void TGridColumn::SetMaxLength(int value) { Assign(maxLength_, value, false); }
void TGridColumn::SetAlignEdit(bool value) { Assign(alignEdit_, value, false); }
void TGridColumn::SetAllowEdit(bool value) { Assign(allowEdit_, value, false); }
void TGridColumn::SetTabStop(bool value) { Assign(tabStop_, value, false); }
void TGridColumn::SetVisible(bool value) { Assign(visible_, value, true); }
void TGridColumn::SetFixedSize(bool value) { Assign(fixedSize_, value, false); }
void TGridColumn::SetAllowClick(bool value) { Assign(allowClick_, value, false); }

QStringList& TGridColumn::PickList() {
    if (!pickList_) pickList_ = std::make_unique<QStringList>();
    return *pickList_;
}

}  // namespace lk63
