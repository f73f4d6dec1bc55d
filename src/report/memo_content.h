#pragma once
// What a memo prints: the field it is bound to, or its own text with every
// bracketed expression replaced by the expression's value.

#include <string>
#include <string_view>

namespace lk63 {

class TrpCustomMemoView;
class TrpReport;

// A bound memo (DataSet and DataField) takes the field's value and display
// text and never evaluates its own text; otherwise, with AllowExpressions,
// the text is expanded; otherwise it stays.
void FetchMemoContent(TrpReport& report, TrpCustomMemoView& memo);

// Replaces every bracketed expression, left to right, by its value as text;
// inserted text is not scanned again. An expression that cannot be evaluated,
// or a bracket that is not closed, is added to the report's error list and
// raised as TrpError. Each value becomes the memo's Value.
std::u16string ExpandExpressions(TrpReport& report, TrpCustomMemoView& memo, std::u16string_view text);

}  // namespace lk63
