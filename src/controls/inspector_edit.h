#pragma once
// The editor of the name/value grid: window-coloured, with a square button.

#include "controls/grid_edit.h"

namespace lk63 {

class TInspectorEdit : public TGridEdit {
public:
    using TGridEdit::TGridEdit;

    void ApplyColors() override;
    // The button becomes square after placement (the text area of this
    // placement still used the previous width).
    void UpdateBounds() override;
};

}  // namespace lk63
