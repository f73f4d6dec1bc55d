#include "report/memo_content.h"

#include "platform/unicode.h"
#include "report/bracket_extraction.h"
#include "report/data_set.h"
#include "report/expression_evaluator.h"
#include "report/memo_view.h"
#include "report/messages.h"
#include "report/report.h"

#include <utility>

namespace lk63 {

void FetchMemoContent(TrpReport& report, TrpCustomMemoView& memo) {
    if (memo.IsDataField()) {
        TrpDataSet& dataSet = *memo.DataSet();
        memo.Value = dataSet.Value(memo.DataField);
        memo.Memo.SetText(dataSet.DisplayText(memo.DataField));
    } else if (memo.AllowExpressions) {
        memo.Memo.SetText(ExpandExpressions(report, memo, memo.Memo.Text()));
    }
}

std::u16string ExpandExpressions(TrpReport& report, TrpCustomMemoView& memo, std::u16string_view text) {
    const std::u16string open = memo.OpeningDelimiter();
    const std::u16string close = memo.ClosingDelimiter();
    std::u16string s(text);
    // Without both delimiters there is nothing to find.
    if (open.empty() || close.empty() || s.find(open) == std::u16string::npos) return s;
    std::size_t i = 0;
    while (true) {
        while (i + 1 < s.size() && s.compare(i, open.size(), open) != 0) ++i;
        const TrpBracket b = ExtractBracketed(s, i, open, close);
        if (!b.Closed) {
            // Evaluating the truncated rest would run part of the text.
            const std::u16string rest = s.substr(b.Start + std::min(open.size(), s.size() - b.Start));
            report.RaiseError(ExpressionErrorText(platform::Utf16ToUtf8(rest), RpMessage("UnclosedBracket")));
        }
        if (b.End == b.Start) break;
        TVariant value = report.Calc(platform::Utf16ToUtf8(b.Expression));
        std::u16string inserted = value.ToText();
        memo.Value = std::move(value);
        i = b.Start + inserted.size();
        if (b.Start == 0 && b.End + 1 == s.size()) {
            s = std::move(inserted);  // the whole text was the expression
        } else {
            s.replace(b.Start, b.End - b.Start + 1, inserted);
        }
    }
    return s;
}

}  // namespace lk63
