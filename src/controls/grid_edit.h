#pragma once
// The base grid's editor class: TCustomGridEdit as it is.

#include "controls/custom_grid_edit.h"

namespace lk63 {

class TGridEdit : public TCustomGridEdit {
public:
    using TCustomGridEdit::TCustomGridEdit;
};

}  // namespace lk63
