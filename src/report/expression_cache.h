#pragma once
// Compiled expressions of a run, keyed by their exact text (letter case
// counts). Emptied at the start of every run.

#include <cstddef>
#include <map>
#include <string>
#include <string_view>

#include "report/variant.h"

namespace lk63 {

struct TrpCompiledExpression {
    std::size_t Number = 0;  // how many expressions were cached before it
    TVariant Value;          // a string literal evaluates to a constant
};

class TrpExpressionCache {
public:
    [[nodiscard]] const TrpCompiledExpression* Find(std::string_view expression) const;
    const TrpCompiledExpression& Add(std::string expression, TVariant value);
    void Clear() { items_.clear(); }
    [[nodiscard]] std::size_t Count() const { return items_.size(); }

private:
    std::map<std::string, TrpCompiledExpression, std::less<>> items_;
};

}  // namespace lk63
