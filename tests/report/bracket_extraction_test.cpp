#include "report/bracket_extraction.h"

#include <gtest/gtest.h>

#include "platform/unicode.h"

namespace lk63 {
namespace {

TEST(BracketExtraction, FindsTheWholeExpressionRespectingQuotesAndNesting) {
    struct Case {
        std::u16string text;
        std::size_t start;
        std::u16string expression;
        std::size_t end;
        bool closed;
    } const cases[] = {
        {u"[abc]", 0, u"abc", 4, true},
        {u"Код: [Код для заказа] конец", 5, u"Код для заказа", 20, true},
        {u"[a[b]c] tail", 0, u"a[b]c", 6, true},
        {u"[[[x]]]", 0, u"[[x]]", 6, true},
        {u"['a]b']", 0, u"'a]b'", 6, true},
        {u"[\"a]b\"]", 0, u"\"a]b\"", 6, true},
        {u"[\"it's\"]", 0, u"\"it's\"", 7, true},
        {u"['say \"]\"']", 0, u"'say \"]\"'", 10, true},
        {u"[rpUserDataSet1.\"Param\"]", 0, u"rpUserDataSet1.\"Param\"", 23, true},
        {u"[]", 0, u"", 1, true},
        {u"[a][b]", 0, u"a", 2, true},
        {u"[a][b]", 3, u"b", 5, true},
        // A text that ends first: the expression stops one character short.
        {u"[abc", 0, u"ab", 3, false},
        {u"[It's]", 0, u"It's", 5, false},  // the apostrophe opens a quote that never closes
        {u"[a[b]", 0, u"a[b", 4, false},
        {u"[", 0, u"", 0, false},
        // No bracket starts here.
        {u"x[abc]", 0, u"", 0, true},
        {u"]", 0, u"", 0, true},
        {u"", 0, u"", 0, true},
        {u"[abc]", 7, u"", 7, true},
    };
    for (const Case& c : cases) {
        const TrpBracket b = ExtractBracketed(c.text, c.start, u"[", u"]");
        const std::string label = platform::Utf16ToUtf8(c.text) + " at " + std::to_string(c.start);
        EXPECT_EQ(b.Expression, c.expression) << label;
        EXPECT_EQ(b.End, c.end) << label;
        EXPECT_EQ(b.Closed, c.closed) << label;
        EXPECT_EQ(b.Start, c.start) << label;
    }
}

TEST(BracketExtraction, LongDelimitersCloseOnTheirLastCharacter) {
    struct Case {
        std::u16string text;
        std::u16string expression;
        std::size_t end;
        bool closed;
    } const cases[] = {
        {u"<%name%>", u"name", 7, true},
        {u"<%a<%b%>c%> rest", u"a<%b%>c", 10, true},
        {u"<%open", u"ope", 5, false},
        {u"<%x%", u"x", 3, false},
    };
    for (const Case& c : cases) {
        const TrpBracket b = ExtractBracketed(c.text, 0, u"<%", u"%>");
        EXPECT_EQ(b.Expression, c.expression) << platform::Utf16ToUtf8(c.text);
        EXPECT_EQ(b.End, c.end) << platform::Utf16ToUtf8(c.text);
        EXPECT_EQ(b.Closed, c.closed) << platform::Utf16ToUtf8(c.text);
    }
}

}  // namespace
}  // namespace lk63
