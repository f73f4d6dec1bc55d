#include "controls/grid_rows.h"

#include <algorithm>

namespace lk63 {

int TGridRows::MaxCount() const {
    // Keeps Count * Height (and a row beyond it) within 32 bits.
    return height_ > 0 ? MaxRowLimit / height_ - 2 : MaxRowLimit;
}

void TGridRows::SetCount(int value) {
    value = std::clamp(value, 0, MaxCount());
    if (value == count_) return;
    count_ = value;
    Changed();
}

void TGridRows::SetHeight(int value) {
    value = std::max(value, 0);
    if (value == height_) return;
    height_ = value;
    count_ = std::min(count_, MaxCount());
    Changed();
}

void TGridRows::Changed() {
    if (OnChange) OnChange();
}

}  // namespace lk63
