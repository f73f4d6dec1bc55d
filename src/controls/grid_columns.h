#pragma once
// The ordered column collection of a grid (display order, left to right).
// Changes are batched between BeginUpdate and EndUpdate; the grid hears of
// them through OnChange.

#include <functional>
#include <memory>
#include <vector>

#include "controls/grid_column.h"

namespace lk63 {

class TGridColumns {
public:
    TGridColumns() = default;
    TGridColumns(const TGridColumns&) = delete;
    TGridColumns& operator=(const TGridColumns&) = delete;

    [[nodiscard]] int Count() const { return static_cast<int>(items_.size()); }
    // Valid for 0 <= index < Count().
    TGridColumn& operator[](int index) { return *items_.at(static_cast<std::size_t>(index)); }
    const TGridColumn& operator[](int index) const { return *items_.at(static_cast<std::size_t>(index)); }

    TGridColumn& Add();
    void Delete(int index);
    void Clear();
    // Count() becomes `count`: new columns are added at the end, surplus ones removed.
    void SetCount(int count);

    void BeginUpdate() { ++updateCount_; }
    void EndUpdate();

    // The sum of the effective widths of all columns.
    [[nodiscard]] int TotalWidth() const;

    std::function<void()> OnChange;

private:
    friend class TGridColumn;
    void ColumnChanged(bool layout);
    void Notify();

    std::vector<std::unique_ptr<TGridColumn>> items_;
    int updateCount_ = 0;
    bool pending_ = false;
};

}  // namespace lk63
