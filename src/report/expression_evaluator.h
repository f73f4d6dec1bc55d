#pragma once
// The expression language of memo text: string literals in Pascal syntax,
// a single quote, any characters with every single quote doubled, a single
// quote. Blanks around the literal are allowed.

#include <string>
#include <string_view>

#include "report/expression_cache.h"
#include "report/variant.h"

namespace lk63 {

// True and the literal's characters, or false and the compiler's reason why
// the text is no expression.
bool CompileStringLiteral(std::string_view expression, std::string& value, std::string& reason);

// Evaluates through the cache: a known text reuses its compiled form, a new
// one is added only when it compiles. Returns the evaluator's message, empty
// on success; on failure `value` is Null and the message reads
// "Ошибка в выражении '<expression>': <reason>".
std::string EvaluateExpression(TrpExpressionCache& cache, std::string_view language,
                               std::string_view expression, TVariant& value);

// "Ошибка в выражении '<expression>': <reason>".
std::string ExpressionErrorText(std::string_view expression, std::string_view reason);

}  // namespace lk63
