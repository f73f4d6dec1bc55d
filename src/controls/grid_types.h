#pragma once
// Enumerations and option sets shared by the grid controls.

#include "controls/enum_set.h"

namespace lk63 {

enum class TGridEditStyle { geSimple = 0, geEllipsis = 1, gePickList = 2, geDataList = 3, geUserDefine = 4 };

enum class TGridStyle { gsHorzLine, gsVertLine, gsFullHorzLine, gsFullVertLine, gsListViewLike, gsDotLines };
using TGridStyles = TEnumSet<TGridStyle>;

// Values are the flags' bit values.
enum class TMoveKey : unsigned {
    mkArrows = 1, mkTabs = 2, mkReturn = 4, mkMouse = 8, mkMouseDrag = 16, mkMouseWheel = 32,
    BitValued = 0
};
using TMoveKeys = TEnumSet<TMoveKey>;

enum class TFocusDirection {
    fdLeft, fdRight, fdUp, fdDown, fdPageUp, fdPageDown, fdRowStart, fdRowEnd,
    fdGridStart, fdGridEnd, fdNearest, fdFirst, fdNext, fdPrev
};

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };
enum class TEditWordWrap { ewAuto, ewEnabled, ewDisabled };
enum class TBorderStyle { bsNone, bsSingle };
enum class TInspectorGridMode { gmInspector = 0, gmStandard = 1, gmNoGridLines = 2 };

}  // namespace lk63
