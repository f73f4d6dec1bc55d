// Memo text and report variables from the input: the brackets found, the
// text expanded, and the string literals of the save command evaluated.
#include <memory>

#include "fuzz_check.h"
#include "fuzz_targets.h"
#include "platform/unicode.h"
#include "questionnaire/report_texts.h"
#include "report/band.h"
#include "report/bracket_extraction.h"
#include "report/error.h"
#include "report/expression_evaluator.h"
#include "report/memo_content.h"
#include "report/memo_view.h"
#include "report/page.h"
#include "report/report.h"

namespace lk63::fuzz {
namespace {

void CheckBracket(std::u16string_view text, std::size_t start) {
    const TrpBracket b = ExtractBracketed(text, start, u"[", u"]");
    Require(b.End >= b.Start, "bracket ends before it starts");
    if (b.End == b.Start) return;
    Require(b.End < text.size(), "bracket ends after the text");
    Require(b.Start >= start && text[b.Start] == u'[', "bracket does not start with its delimiter");
    Require(b.Closed ? text[b.End] == u']' : b.End == text.size() - 1, "bracket end is off");
    Require(b.Expression == text.substr(b.Start + 1, b.End - b.Start - 1), "expression is not the inner text");
}

class TExpressionReport {
public:
    TExpressionReport() {
        auto* band = report.Add(std::make_unique<TrpReportPage>())->Add(std::make_unique<TrpChild>());
        memo = band->Add(std::make_unique<TrpMemoView>());
        memo->SetName("Memo");
        report.CurObject = "Memo";
    }

    // Expands `text`; an error must be reported the way the engine reports it.
    bool Expand(std::u16string_view text, std::u16string& result) {
        report.Errors().Clear();
        try {
            result = ExpandExpressions(report, *memo, text);
        } catch (const TrpError& e) {
            const std::string message = e.what();
            Require(message.starts_with("Memo: "), "expression error without the memo's name");
            Require(report.Errors().Count() == 1, "expression error not in the error list exactly once");
            return false;
        }
        Require(report.Errors().Empty(), "successful expansion left an error");
        return true;
    }

    TrpReport report;
    TrpMemoView* memo;
};

}  // namespace

void ExpressionTarget(std::string_view input) {
    const std::vector<std::string_view> pieces = SplitInput(input, 8);
    TExpressionReport r;

    // The first piece is memo text; the others become variables, "name=value"
    // or a value under a name of its own.
    for (std::size_t k = 1; k < pieces.size(); ++k) {
        const std::string_view piece = pieces[k];
        const std::size_t eq = piece.find('=');
        if (eq != std::string_view::npos) {
            r.report.Variables().Set(piece.substr(0, eq), std::string(piece.substr(eq + 1)));
        } else {
            r.report.Variables().Set("v" + std::to_string(k), std::string(piece));
        }
    }

    const std::u16string text = platform::Utf8ToUtf16(pieces[0]);
    CheckBracket(text, 0);
    if (const std::size_t first = text.find(u'['); first != std::u16string::npos) CheckBracket(text, first);
    if (!text.empty()) CheckBracket(text, text.size() / 2);
    CheckBracket(text, text.size());

    std::u16string result;
    if (r.Expand(text, result) && text.find(u'[') == std::u16string::npos) {
        Require(result == text, "text without brackets changed");
    }

    // Every piece, quoted as the save command quotes it, is a literal whose
    // value is the piece; with a line break the variable is taken as it stands.
    for (const std::string_view piece : pieces) {
        const std::string literal = QuoteLiteral(piece);
        std::string value, reason;
        Require(CompileStringLiteral(literal, value, reason), "a quoted text does not compile");
        Require(value == piece, "a quoted text does not evaluate to itself");

        TVariant evaluated;
        TrpExpressionCache cache;
        Require(EvaluateExpression(cache, "Pascal", literal, evaluated).empty(), "a quoted text fails to evaluate");
        Require(evaluated.ToUtf8() == piece, "the evaluator's value differs from the literal's");

        TExpressionReport q;
        q.report.Variables().Set("quoted", literal);
        q.report.Variables().Set("raw", std::string(piece) + "\r\n");
        std::u16string printed;
        Require(q.Expand(u"<[quoted]|[raw]>", printed), "a variable set by the save command fails to print");
        const std::u16string wide = platform::Utf8ToUtf16(piece);
        const std::u16string shown = literal.find("\r\n") == std::string::npos ? wide : platform::Utf8ToUtf16(literal);
        Require(printed == u"<" + shown + u"|" + wide + u"\r\n>", "a variable prints other than its value");
    }
}

}  // namespace lk63::fuzz
