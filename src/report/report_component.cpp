#include "report/report_component.h"

namespace lk63 {

void TrpReportComponent::SaveBounds() {
    savedLeft_ = Left();
    savedTop_ = Top();
    savedWidth_ = Width();
    savedHeight_ = Height();
    hasSavedBounds_ = true;
}

void TrpReportComponent::RestoreBounds() {
    if (!hasSavedBounds_) return;
    SetBounds(savedLeft_, savedTop_, savedWidth_, savedHeight_);
}

}  // namespace lk63
