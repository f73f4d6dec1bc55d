#include "report/font.h"

#include "report/units.h"

namespace lk63 {

int TrpFont::Size() const {
    return static_cast<int>(DivRoundHalfAway(-static_cast<std::int64_t>(height_) * 72, 96));
}

void TrpFont::SetSize(int points) {
    height_ = static_cast<int>(-DivRoundHalfAway(static_cast<std::int64_t>(points) * 96, 72));
}

}  // namespace lk63
