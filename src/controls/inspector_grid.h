#pragma once
// The name/value grid as the main window uses it.

#include "controls/custom_inspector.h"

namespace lk63 {

class TInspectorGrid : public TCustomInspector {
public:
    using TCustomInspector::TCustomInspector;
};

}  // namespace lk63
