#include "controls/grid_columns.h"

#include <algorithm>

namespace lk63 {

TGridColumn& TGridColumns::Add() {
    items_.push_back(std::make_unique<TGridColumn>(this));
    TGridColumn& added = *items_.back();
    Notify();
    return added;
}

void TGridColumns::Delete(int index) {
    if (index < 0 || index >= Count()) return;
    items_.erase(items_.begin() + index);
    Notify();
}

void TGridColumns::Clear() {
    if (items_.empty()) return;
    items_.clear();
    Notify();
}

void TGridColumns::SetCount(int count) {
    count = std::max(count, 0);
    if (count == Count()) return;
    BeginUpdate();
    while (Count() < count) Add();
    while (Count() > count) Delete(Count() - 1);
    EndUpdate();
}

void TGridColumns::EndUpdate() {
    if (updateCount_ > 0 && --updateCount_ == 0 && pending_) {
        pending_ = false;
        if (OnChange) OnChange();
    }
}

int TGridColumns::TotalWidth() const {
    int sum = 0;
    for (const auto& c : items_) sum += c->Width();
    return sum;
}

void TGridColumns::ColumnChanged(bool /*layout: both kinds lead to the same refresh*/) { Notify(); }

void TGridColumns::Notify() {
    if (updateCount_ > 0) {
        pending_ = true;
        return;
    }
    if (OnChange) OnChange();
}

}  // namespace lk63
