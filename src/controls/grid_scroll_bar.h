#pragma once
// The grid's own model of one scroll bar. Positions are in the grid's units
// (pixels horizontally, rows vertically); the window's scroll bar always runs
// on a 0 to 10000 scale computed from the model (WindowInfo).

#include <functional>

namespace lk63 {

enum class TScrollBarKind { sbHorizontal, sbVertical };

// Scroll requests of the window's scroll bar, and scPosition for moves made
// by the program itself.
enum class TScrollCode {
    scLineUp, scLineDown, scPageUp, scPageDown, scThumbPosition, scThumbTrack,
    scEndScroll, scTop, scBottom, scPosition
};

// What the window's scroll bar shows: range 0 to Max, a page of Page, the
// thumb at Pos. Max 0 hides the bar.
struct TScrollBarWindowInfo {
    int Max = 0;
    int Page = 0;
    int Pos = 0;
    friend bool operator==(const TScrollBarWindowInfo&, const TScrollBarWindowInfo&) = default;
};

class TGridScrollBar {
public:
    static constexpr int WindowScale = 10000;

    explicit TGridScrollBar(TScrollBarKind kind) : kind_(kind) {}

    [[nodiscard]] TScrollBarKind Kind() const { return kind_; }
    [[nodiscard]] int Position() const { return position_; }
    [[nodiscard]] int Min() const { return min_; }
    [[nodiscard]] int Max() const { return max_; }
    [[nodiscard]] int LineStep() const { return lineStep_; }
    [[nodiscard]] int PageStep() const { return pageStep_; }
    [[nodiscard]] int LineSize() const { return lineSize_; }
    void SetLineSize(int value) { lineSize_ = value; }
    [[nodiscard]] bool Tracking() const { return tracking_; }
    void SetTracking(bool value) { tracking_ = value; }
    [[nodiscard]] bool Visible() const { return visible_; }
    void SetVisible(bool value);

    // Negative steps become 0 and a Max below Min becomes Min.
    void SetRangeSteps(int min, int max, int lineStep, int pageStep);
    // Clamped into [Min, Max - PageStep] before and after OnChanging.
    void MoveToPosition(int value, TScrollCode code = TScrollCode::scPosition);
    void SetPosition(int value) { MoveToPosition(value); }
    // A request of the window's scroll bar; `thumb` is on the 0..10000 scale.
    void Scroll(TScrollCode code, int thumb = 0);

    [[nodiscard]] TScrollBarWindowInfo WindowInfo() const;

    // While locked, the window's scroll bar is not refreshed; unlocking refreshes it once.
    void BeginUpdate() { ++updateCount_; }
    void EndUpdate();
    [[nodiscard]] bool Locked() const { return updateCount_ > 0; }

    // Before a move; may change the target.
    std::function<void(TScrollCode code, int& value)> OnChanging;
    // The content is to be moved by `pixels` (old position - new, times LineSize).
    std::function<void(int pixels)> OnScrollContent;
    // After a move.
    std::function<void()> OnChanged;
    std::function<void()> OnParamsChanged;
    // Applies WindowInfo() to the window's scroll bar.
    std::function<void()> OnRefresh;

private:
    [[nodiscard]] int Clamp(int value) const;
    void Refresh();

    TScrollBarKind kind_;
    int position_ = 0;
    int min_ = 0;
    int max_ = 0;
    int lineStep_ = 8;
    int pageStep_ = 100;
    int lineSize_ = 1;
    bool tracking_ = true;
    bool visible_ = true;
    int updateCount_ = 0;
};

}  // namespace lk63
