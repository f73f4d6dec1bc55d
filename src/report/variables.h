#pragma once
// The report's ordered list of named values. Names compare ignoring letter
// case by Unicode rules; a name that begins with a space is a category
// heading, an ordinary entry for every operation here.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "report/variant.h"

namespace lk63 {

// Names equal ignoring letter case by Unicode rules. Simple case folding maps
// one code point to one, so texts whose byte lengths differ more than a
// code point's length allows are told apart without folding them.
bool SameNameIgnoringCase(std::string_view a, std::string_view b);

struct TrpVariable {
    std::string Name;
    TVariant Value;  // Null when created
};

class TrpVariables {
public:
    // Index of the first entry with this name, or -1.
    [[nodiscard]] int IndexOf(std::string_view name) const;
    // The value, or Null when there is no such entry.
    [[nodiscard]] TVariant Get(std::string_view name) const;
    // Replaces the value of the entry with this name, or appends one.
    void Set(std::string_view name, TVariant value);
    TrpVariable& Add(std::string name, TVariant value = {});
    void Delete(std::size_t index);
    void Clear() { items_.clear(); }

    [[nodiscard]] std::size_t Count() const { return items_.size(); }
    [[nodiscard]] const TrpVariable& Items(std::size_t index) const { return items_[index]; }
    [[nodiscard]] TrpVariable& Items(std::size_t index) { return items_[index]; }

private:
    std::vector<TrpVariable> items_;
};

// The process-wide variable list (empty in this system).
TrpVariables& GlobalVariables();

}  // namespace lk63
