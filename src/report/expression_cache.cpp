#include "report/expression_cache.h"

namespace lk63 {

const TrpCompiledExpression* TrpExpressionCache::Find(std::string_view expression) const {
    const auto it = items_.find(expression);
    return it == items_.end() ? nullptr : &it->second;
}

const TrpCompiledExpression& TrpExpressionCache::Add(std::string expression, TVariant value) {
    const std::size_t number = items_.size();
    return items_.insert_or_assign(std::move(expression), TrpCompiledExpression{number, std::move(value)})
        .first->second;
}

}  // namespace lk63
