#pragma once
// The rows of a grid: how many there are and how high each one is.

#include <functional>

namespace lk63 {

class TGridRows {
public:
    static constexpr int MaxRowLimit = 0x7FFFFFFD;

    [[nodiscard]] int Count() const { return count_; }
    // Clamped into [0, MaxCount()].
    void SetCount(int value);
    [[nodiscard]] int Height() const { return height_; }
    // At least 0; a height that lowers MaxCount() below Count() clamps Count() too.
    void SetHeight(int value);
    [[nodiscard]] int MaxCount() const;
    [[nodiscard]] bool AutoHeight() const { return autoHeight_; }
    void SetAutoHeight(bool value) { autoHeight_ = value; }

    std::function<void()> OnChange;

private:
    void Changed();

    int count_ = 0;
    int height_ = 17;
    bool autoHeight_ = false;
};

}  // namespace lk63
