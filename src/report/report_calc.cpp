#include <algorithm>

#include "platform/unicode.h"
#include "report/data_set.h"
#include "report/error.h"
#include "report/expression_evaluator.h"
#include "report/messages.h"
#include "report/report.h"

namespace lk63 {
namespace {

// A chain of variables whose values name further variables is followed this
// deep at most, so that no template can exhaust the stack.
constexpr std::size_t kMaxVariableDepth = 64;

bool HoldsLineBreak(const TVariant& v) {
    if (const auto* s = std::get_if<std::string>(&v.Data())) return s->find("\r\n") != std::string::npos;
    if (const auto* w = std::get_if<std::u16string>(&v.Data()))
        return w->find(u"\r\n") != std::u16string::npos;
    return false;
}

std::string AsUtf8(const TVariant& v) {
    if (const auto* s = std::get_if<std::string>(&v.Data())) return *s;
    return platform::Utf16ToUtf8(std::get<std::u16string>(v.Data()));
}

}  // namespace

void TrpReport::RaiseError(const std::string& message) {
    const std::string full = CurObject.empty() ? message : CurObject + ": " + message;
    errors_.Add(full);
    throw TrpError(full);
}

TVariant TrpReport::Calc(std::string_view expression) {
    TVariant value;
    if (ResolveName(expression, value)) return value;
    const std::string message = EvaluateExpression(expressionCache_, ScriptLanguage, expression, value);
    if (!message.empty()) RaiseError(message);
    return value;
}

bool TrpReport::ResolveName(std::string_view expression, TVariant& value) {
    // A data set field: Set."Field".
    if (const std::size_t dot = expression.find(".\""); dot != std::string_view::npos) {
        const std::string_view rest = expression.substr(dot + 2);
        const std::string field(rest.substr(0, rest.empty() ? 0 : rest.size() - 1));
        if (TrpDataSet* dataSet = GetDataset(expression.substr(0, dot)); dataSet && !field.empty()) {
            value = dataSet->Value(field);
            if (value.IsNull() && EngineOptions.ConvertNulls) {
                switch (dataSet->FieldType(field)) {
                    case TrpFieldType::fftNumeric:
                        value = 0;
                        break;
                    case TrpFieldType::fftString:
                        value = std::string();
                        break;
                    case TrpFieldType::fftBoolean:
                        value = false;
                        break;
                }
            }
            return true;
        }
    }

    for (const std::string_view name : kSystemVariableNames) {
        if (!SameNameIgnoringCase(expression, name)) continue;
        if (name == "Date")
            value = StartDate;
        else if (name == "Time")
            value = StartTime;
        else if (name == "CopyName#")
            value = GlobalVariables().Get("CopyName0");
        else
            value = OnSystemVariable ? OnSystemVariable(name) : TVariant();
        return true;
    }

    if (OnGetValue) {
        TVariant answer;
        OnGetValue(std::string(expression), answer);
        if (!answer.IsNull()) {
            value = std::move(answer);
            return true;
        }
    }

    if (const int index = variables_.IndexOf(expression); index >= 0) {
        const TVariant& v = variables_.Items(static_cast<std::size_t>(index)).Value;
        if (!v.IsString() || HoldsLineBreak(v)) {
            value = v;
            return true;
        }
        if (std::find(resolving_.begin(), resolving_.end(), index) != resolving_.end()) {
            RaiseError(ExpressionErrorText(expression, RpMessage("CircularVariable")));
        }
        if (resolving_.size() >= kMaxVariableDepth) {
            RaiseError(ExpressionErrorText(expression, RpMessage("VariablesTooDeep")));
        }
        resolving_.push_back(index);
        struct TPop {
            std::vector<int>& stack;
            ~TPop() { stack.pop_back(); }
        } pop{resolving_};
        value = Calc(AsUtf8(v));
        return true;
    }

    if (const int index = GlobalVariables().IndexOf(expression); index >= 0) {
        value = GlobalVariables().Items(static_cast<std::size_t>(index)).Value;
        return true;
    }
    return false;
}

}  // namespace lk63
