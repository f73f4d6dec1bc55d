#include "report/variables.h"

#include "platform/unicode.h"

namespace lk63 {

bool SameNameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() > 4 * b.size() || b.size() > 4 * a.size()) return false;
    return platform::EqualsIgnoreCase(a, b);
}

int TrpVariables::IndexOf(std::string_view name) const {
    for (std::size_t i = 0; i < items_.size(); ++i) {
        if (SameNameIgnoringCase(items_[i].Name, name)) return static_cast<int>(i);
    }
    return -1;
}

TVariant TrpVariables::Get(std::string_view name) const {
    const int i = IndexOf(name);
    return i < 0 ? TVariant() : items_[static_cast<std::size_t>(i)].Value;
}

void TrpVariables::Set(std::string_view name, TVariant value) {
    const int i = IndexOf(name);
    if (i < 0) {
        Add(std::string(name), std::move(value));
    } else {
        items_[static_cast<std::size_t>(i)].Value = std::move(value);
    }
}

TrpVariable& TrpVariables::Add(std::string name, TVariant value) {
    items_.push_back({std::move(name), std::move(value)});
    return items_.back();
}

void TrpVariables::Delete(std::size_t index) {
    if (index < items_.size()) items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(index));
}

TrpVariables& GlobalVariables() {
    static TrpVariables variables;
    return variables;
}

}  // namespace lk63
