#include "report/expression_evaluator.h"

#include "platform/unicode.h"
#include "report/messages.h"

namespace lk63 {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

}  // namespace

bool CompileStringLiteral(std::string_view expression, std::string& value, std::string& reason) {
    std::size_t i = 0;
    while (i < expression.size() && IsBlank(expression[i])) ++i;
    if (i == expression.size() || expression[i] != '\'') {
        reason = RpMessage("ExpectedString");
        return false;
    }
    ++i;
    std::string text;
    while (true) {
        if (i == expression.size()) {
            reason = RpMessage("UnterminatedString");
            return false;
        }
        if (expression[i] == '\'') {
            if (i + 1 < expression.size() && expression[i + 1] == '\'') {
                text.push_back('\'');
                i += 2;
                continue;
            }
            ++i;
            break;
        }
        text.push_back(expression[i++]);
    }
    while (i < expression.size() && IsBlank(expression[i])) ++i;
    if (i != expression.size()) {
        reason = RpMessage("TextAfterExpression");
        return false;
    }
    value = std::move(text);
    reason.clear();
    return true;
}

std::string ExpressionErrorText(std::string_view expression, std::string_view reason) {
    return std::string(RpMessage("ExpressionError")) + " '" + std::string(expression) +
           "': " + std::string(reason);
}

std::string EvaluateExpression(TrpExpressionCache& cache, std::string_view language,
                               std::string_view expression, TVariant& value) {
    if (const TrpCompiledExpression* compiled = cache.Find(expression)) {
        value = compiled->Value;
        return {};
    }
    std::string text, reason;
    if (!platform::EqualsIgnoreCase(language, "Pascal")) {
        reason = std::string(RpMessage("UnknownLanguage")) + " " + std::string(language);
    } else if (CompileStringLiteral(expression, text, reason)) {
        value = cache.Add(std::string(expression), std::move(text)).Value;
        return {};
    }
    value = TVariant();
    return ExpressionErrorText(expression, reason);
}

}  // namespace lk63
