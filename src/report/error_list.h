#pragma once
// The errors of a run: sorted ignoring letter case, each text once.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace lk63 {

class TrpErrorList {
public:
    // A text equal to one already listed (ignoring letter case) is dropped.
    void Add(std::string message);
    void Clear() { items_.clear(); }
    [[nodiscard]] bool Empty() const { return items_.empty(); }
    [[nodiscard]] std::size_t Count() const { return items_.size(); }
    [[nodiscard]] const std::string& operator[](std::size_t index) const { return items_[index]; }
    [[nodiscard]] const std::vector<std::string>& Items() const { return items_; }

private:
    std::vector<std::string> items_;
};

}  // namespace lk63
