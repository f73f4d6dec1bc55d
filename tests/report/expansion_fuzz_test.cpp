#include <gtest/gtest.h>

#include <memory>
#include <random>

#include "platform/unicode.h"
#include "report/band.h"
#include "report/bracket_extraction.h"
#include "report/error.h"
#include "report/memo_content.h"
#include "report/memo_view.h"
#include "report/page.h"
#include "report/report.h"

namespace lk63 {
namespace {

// Texts built from the pieces that matter to brackets and lines, with now
// and then a long run of one of them.
class TextGenerator {
public:
    explicit TextGenerator(unsigned seed) : random_(seed) {}

    std::u16string Next() {
        static const std::u16string pieces[] = {
            u"[",  u"]",    u"'",      u"\"",  u"\r",
            u"\n", u"\r\n", u"\u2028", u"a",   u"Описание",
            u" ",  u".\"",  u"''",     u"[a]", std::u16string(1, char16_t{0xD800})};  // a lone surrogate too
        std::u16string text;
        const int count = Pick(0, 40);
        for (int k = 0; k < count; ++k) {
            const std::u16string& piece = pieces[static_cast<std::size_t>(Pick(0, std::size(pieces) - 1))];
            const int repeat = Pick(0, 200) == 0 ? Pick(100, 2000) : 1;
            for (int r = 0; r < repeat; ++r) text += piece;
        }
        return text;
    }

    int Pick(std::size_t low, std::size_t high) {
        return static_cast<int>(std::uniform_int_distribution<std::size_t>(low, high)(random_));
    }

private:
    std::mt19937 random_;
};

void CheckExtraction(const std::u16string& text, std::size_t start) {
    const TrpBracket b = ExtractBracketed(text, start, u"[", u"]");
    ASSERT_GE(b.End, b.Start);
    ASSERT_LE(b.Expression.size(), text.size());
    if (b.End == b.Start) return;
    ASSERT_LT(b.End, text.size());
    ASSERT_EQ(text[b.Start], u'[');
    if (b.Closed) {
        ASSERT_EQ(text[b.End], u']');
        ASSERT_EQ(b.Expression, text.substr(b.Start + 1, b.End - b.Start - 1));
    } else {
        ASSERT_EQ(b.End, text.size() - 1);
        ASSERT_EQ(b.Expression, text.substr(b.Start + 1, b.End - b.Start - 1));
    }
}

class ExpansionFuzz : public ::testing::Test {
protected:
    ExpansionFuzz() {
        auto* band = report.Add(std::make_unique<TrpReportPage>())->Add(std::make_unique<TrpChild>());
        memo = band->Add(std::make_unique<TrpMemoView>());
        memo->SetName("Memo");
        report.CurObject = "Memo";
        report.Variables().Add("a", std::string("'v[a]'"));
        report.Variables().Add("Описание", std::string("raw\r\n[a]"));
    }
    TrpReport report;
    TrpMemoView* memo;
};

TEST_F(ExpansionFuzz, HundredThousandTextsExtractAndExpandWithoutAFault) {
    TextGenerator generator(20261210);
    // Every name answers with a marker that holds a bracket and a quote: if
    // inserted text were scanned again, the markers would not add up.
    constexpr char16_t kMarker = u'\uE000';
    int answered = 0;
    const auto answerAll = [&](const std::string&, TVariant& value) {
        ++answered;
        value = std::u16string{kMarker, u'[', u'\''};
    };
    for (int n = 0; n < 100000; ++n) {
        const std::u16string text = generator.Next();
        CheckExtraction(text, 0);
        CheckExtraction(text, static_cast<std::size_t>(generator.Pick(0, text.size() + 1)));
        if (const auto first = text.find(u'['); first != std::u16string::npos) CheckExtraction(text, first);
        if (HasFatalFailure()) {
            FAIL() << "text " << n << ": " << platform::Utf16ToUtf8(text);
        }

        const bool everyNameAnswers = n % 2 == 0;
        report.OnGetValue =
            everyNameAnswers ? std::function<void(const std::string&, TVariant&)>(answerAll) : nullptr;
        report.Errors().Clear();
        answered = 0;
        std::u16string result;
        try {
            result = ExpandExpressions(report, *memo, text);
        } catch (const TrpError& e) {
            const std::string message = e.what();
            ASSERT_TRUE(message.starts_with("Memo: Ошибка в выражении '")) << message;
            if (everyNameAnswers) {
                ASSERT_NE(message.find("не закрыта скобка выражения"), std::string::npos);
            }
            ASSERT_EQ(report.Errors().Count(), 1u);
            continue;
        }
        ASSERT_TRUE(report.Errors().Empty());
        if (text.find(u'[') == std::u16string::npos) {
            ASSERT_EQ(result, text);
        }
        if (everyNameAnswers) {
            ASSERT_EQ(std::count(result.begin(), result.end(), kMarker), answered)
                << platform::Utf16ToUtf8(text);
        }
    }
}

}  // namespace
}  // namespace lk63
