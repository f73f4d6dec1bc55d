#pragma once
// A cell address of a grid. (-1, -1) is "no cell".

#include <cstdint>

namespace lk63 {

struct TGridCell {
    std::int32_t Col = -1;
    std::int32_t Row = -1;

    // Either half missing makes the whole address meaningless.
    [[nodiscard]] constexpr bool Empty() const { return Col == -1 || Row == -1; }
    friend constexpr bool operator==(const TGridCell&, const TGridCell&) = default;
};

inline constexpr TGridCell NoCell{-1, -1};

}  // namespace lk63
