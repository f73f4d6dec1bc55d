#include "controls/grid_scroll_bar.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "controls/mul_div.h"

namespace lk63 {
namespace {

int SaturatedAdd(int a, int b) {
    const std::int64_t sum = static_cast<std::int64_t>(a) + b;
    return static_cast<int>(std::clamp<std::int64_t>(sum, std::numeric_limits<int>::min(),
                                                     std::numeric_limits<int>::max()));
}

}  // namespace

void TGridScrollBar::SetVisible(bool value) {
    if (visible_ == value) return;
    visible_ = value;
    Refresh();
}

void TGridScrollBar::SetRangeSteps(int min, int max, int lineStep, int pageStep) {
    lineStep = std::max(lineStep, 0);
    pageStep = std::max(pageStep, 0);
    max = std::max(max, min);
    if (min == min_ && max == max_ && lineStep == lineStep_ && pageStep == pageStep_) return;
    min_ = min;
    max_ = max;
    lineStep_ = lineStep;
    pageStep_ = pageStep;
    const int highest = (max_ - min_) - pageStep_;
    if (position_ > highest) position_ = highest;
    if (position_ < 0) position_ = 0;
    Refresh();
    if (OnParamsChanged) OnParamsChanged();
}

int TGridScrollBar::Clamp(int value) const {
    value = std::min(value, max_ - pageStep_);
    return std::max(value, min_);
}

void TGridScrollBar::MoveToPosition(int value, TScrollCode code) {
    value = Clamp(value);
    if (value != position_ && OnChanging) {
        OnChanging(code, value);
        value = Clamp(value);
    }
    if (value == position_) return;
    const std::int64_t pixels = (static_cast<std::int64_t>(position_) - value) * lineSize_;
    if (OnScrollContent) {
        OnScrollContent(static_cast<int>(std::clamp<std::int64_t>(
            pixels, std::numeric_limits<int>::min(), std::numeric_limits<int>::max())));
    }
    position_ = value;
    Refresh();
    if (OnChanged) OnChanged();
}

void TGridScrollBar::Scroll(TScrollCode code, int thumb) {
    BeginUpdate();
    struct Unlock {
        TGridScrollBar* bar;
        ~Unlock() { bar->EndUpdate(); }
    } unlock{this};
    switch (code) {
    case TScrollCode::scLineUp: MoveToPosition(SaturatedAdd(position_, -lineStep_), code); break;
    case TScrollCode::scLineDown: MoveToPosition(SaturatedAdd(position_, lineStep_), code); break;
    case TScrollCode::scPageUp: MoveToPosition(SaturatedAdd(position_, -pageStep_), code); break;
    case TScrollCode::scPageDown: MoveToPosition(SaturatedAdd(position_, pageStep_), code); break;
    case TScrollCode::scThumbTrack:
        if (!tracking_) break;
        [[fallthrough]];
    case TScrollCode::scThumbPosition:
        MoveToPosition(min_ + MulDiv(thumb, max_ - min_, WindowScale), code);
        break;
    case TScrollCode::scEndScroll: MoveToPosition(position_, code); break;
    case TScrollCode::scTop:
    case TScrollCode::scBottom:
    case TScrollCode::scPosition: break;
    }
}

TScrollBarWindowInfo TGridScrollBar::WindowInfo() const {
    const int range = max_ - min_;
    if (!visible_ || pageStep_ >= range) return {};
    return {WindowScale, MulDiv(pageStep_, WindowScale, range),
            range == 0 ? 0 : MulDiv(position_ - min_, WindowScale, range)};
}

void TGridScrollBar::EndUpdate() {
    if (updateCount_ > 0 && --updateCount_ == 0) Refresh();
}

void TGridScrollBar::Refresh() {
    if (updateCount_ > 0) return;
    if (OnRefresh) OnRefresh();
}

}  // namespace lk63
