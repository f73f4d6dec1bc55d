#pragma once
// The inspector grid as the main window uses it.

#include "controls/name_value_grid.h"

namespace lk63 {

class TInspectorGrid : public TCustomInspector {
public:
    using TCustomInspector::TCustomInspector;
};

}  // namespace lk63
