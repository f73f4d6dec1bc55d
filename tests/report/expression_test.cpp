#include <gtest/gtest.h>

#include <memory>

#include "platform/unicode.h"
#include "report/band.h"
#include "report/data_set.h"
#include "report/error.h"
#include "report/memo_content.h"
#include "report/memo_view.h"
#include "report/page.h"
#include "report/report.h"

namespace lk63 {
namespace {

using Lines = std::vector<std::u16string>;

// The questionnaire's variables on a report with one memo, as the save
// command leaves them: single-line values quoted, a note of lines raw.
class Expansion : public ::testing::Test {
protected:
    Expansion() {
        auto* page = report.Add(std::make_unique<TrpReportPage>());
        auto* band = page->Add(std::make_unique<TrpChild>());
        memo = band->Add(std::make_unique<TrpMemoView>());
        memo->SetName("Memo16");
        report.Variables().Add(" Опросный лист");
        report.Variables().Add("Описание");
        report.Variables().Add("Наименование организации", std::string("'ООО Ромашка'"));
        composition.SetName("rpUserDataSet3");
        composition.RangeEnd = TrpRangeEnd::reCount;
        composition.RangeEndCount = 2;
        report.Datasets().Add(&composition);
    }

    // The memo's lines after fetching its content from `text`.
    Lines Fetch(const std::u16string& text) {
        memo->Memo.SetText(text);
        report.CurObject = memo->Name();
        FetchMemoContent(report, *memo);
        return memo->Memo.Lines();
    }

    // The message of the error a fetch raises; it is also the last one listed.
    std::string FetchError(const std::u16string& text) {
        try {
            Fetch(text);
        } catch (const TrpError& e) {
            const auto& errors = report.Errors().Items();
            EXPECT_NE(std::find(errors.begin(), errors.end(), e.what()), errors.end()) << e.what();
            return e.what();
        }
        ADD_FAILURE() << platform::Utf16ToUtf8(text) << " raised nothing";
        return {};
    }

    TrpReport report;
    TrpMemoView* memo;
    TrpUserDataSet composition;
};

TEST_F(Expansion, VariablesPrintTheirQuotedOrRawValues) {
    struct Case {
        const char* what;
        TVariant value;
        Lines lines;
    } const cases[] = {
        {"quoted", std::string("'ООО Ромашка'"), {u"ООО Ромашка"}},
        {"doubled quotes", std::string("'It''s'"), {u"It's"}},
        {"only doubled quotes", std::string("''''"), {u"'"}},
        {"empty literal keeps one blank line", std::string("''"), {u""}},
        {"blanks around the literal", std::string("  'x'  "), {u"x"}},
        {"raw lines", std::string("first line\r\nsecond line"), {u"first line", u"second line"}},
        {"quoted lines keep their quotes", std::string("'first\r\nsecond'"), {u"'first", u"second'"}},
        {"raw lines with brackets stay literal", std::string("[a]\r\n[b"), {u"[a]", u"[b"}},
        {"a literal holding brackets", std::string("'[Описание] ['"), {u"[Описание] ["}},
        {"UTF-16 text", std::u16string(u"'Ω'"), {u"Ω"}},
        {"null", TVariant(), {u""}},
        {"integer", 7, {u"7"}},
        {"float", 0.5, {u"0.5"}},
        {"boolean", true, {u"True"}},
    };
    for (const Case& c : cases) {
        report.Variables().Set("Наименование организации", c.value);
        EXPECT_EQ(Fetch(u"[Наименование организации]"), c.lines) << c.what;
    }
    EXPECT_TRUE(report.Errors().Empty());
}

TEST_F(Expansion, TheMemoValueIsTheLastValueFetched) {
    report.Variables().Set("Описание", std::string("'one'"));
    report.Variables().Set("Код для заказа", 42);
    Fetch(u"[Описание] and [Код для заказа]");
    EXPECT_EQ(memo->Value, TVariant(42));
    Fetch(u"[Код для заказа] and [Описание]");
    EXPECT_EQ(memo->Value, TVariant("one"));
}

TEST_F(Expansion, TextAroundAndBetweenExpressionsStaysAndValuesAreNotScannedAgain) {
    report.Variables().Set("Описание", std::string("'[Наименование организации]'"));
    report.Variables().Set("Код для заказа", std::string("'ЛК63-19-2500S'"));
    struct Case {
        std::u16string text;
        Lines lines;
    } const cases[] = {
        {u"Количество выключателей, шт.", {u"Количество выключателей, шт."}},
        {u"Код: [Код для заказа], описание: [Описание].",
         {u"Код: ЛК63-19-2500S, описание: [Наименование организации]."}},
        {u"[Код для заказа][Код для заказа]", {u"ЛК63-19-2500SЛК63-19-2500S"}},
        {u"a]b", {u"a]b"}},
        {u"line one\r\n[Код для заказа]\r\nline three", {u"line one", u"ЛК63-19-2500S", u"line three"}},
        {u"['quoted [bracket] inside']", {u"quoted [bracket] inside"}},
        {u"ends with ]", {u"ends with ]"}},
    };
    for (const Case& c : cases) EXPECT_EQ(Fetch(c.text), c.lines) << platform::Utf16ToUtf8(c.text);
}

TEST_F(Expansion, NamesIgnoreLetterCaseButLiteralsKeepIt) {
    report.Variables().Add("Адрес и номер телефона организации", std::string("'Москва'"));
    report.Variables().Add("ФИО контактного лица", std::string("'МОСКВА'"));
    EXPECT_EQ(Fetch(u"[адрес и номер телефона организации]/[фио КОНТАКТНОГО лица]"), Lines{u"Москва/МОСКВА"});
    EXPECT_EQ(report.ExpressionCache().Count(), 2u);  // two texts, two compiled forms
}

TEST_F(Expansion, WhatCannotBeEvaluatedStopsWithTheExactMessage) {
    report.Variables().Set("Наименование организации", std::string("ООО Ромашка"));
    report.Variables().Add("Незакрытая", std::string("'abc"));
    struct Case {
        std::u16string text;
        std::string message;
    } const cases[] = {
        {u"[Нет такой]", "Memo16: Ошибка в выражении 'Нет такой': ожидается строковая константа"},
        {u"[Наименование организации]",
         "Memo16: Ошибка в выражении 'ООО Ромашка': ожидается строковая константа"},
        {u"[]", "Memo16: Ошибка в выражении '': ожидается строковая константа"},
        {u"['open]", "Memo16: Ошибка в выражении ''open]\r\n': не закрыта скобка выражения"},
        {u"[Незакрытая]", "Memo16: Ошибка в выражении ''abc': не закрыта строковая константа"},
        {u"['a' 'b']", "Memo16: Ошибка в выражении ''a' 'b'': лишний текст после выражения"},
        {u"['a'+'b']", "Memo16: Ошибка в выражении ''a'+'b'': лишний текст после выражения"},
        {u"[[Описание]]", "Memo16: Ошибка в выражении '[Описание]': ожидается строковая константа"},
        {u"text [Описание", "Memo16: Ошибка в выражении 'Описание\r\n': не закрыта скобка выражения"},
        {u"[", "Memo16: Ошибка в выражении '\r\n': не закрыта скобка выражения"},
        {u"[It's]", "Memo16: Ошибка в выражении 'It's]\r\n': не закрыта скобка выражения"},
    };
    for (const Case& c : cases) {
        report.Errors().Clear();
        EXPECT_EQ(FetchError(c.text), c.message) << platform::Utf16ToUtf8(c.text);
        EXPECT_EQ(report.Errors().Count(), 1u);
    }
}

TEST_F(Expansion, AnUnclosedBracketEvaluatesNothing) {
    int asked = 0;
    report.OnGetValue = [&](const std::string&, TVariant& value) {
        ++asked;
        value = std::string("x");
    };
    FetchError(u"[Описание] and [Описа");
    EXPECT_EQ(asked, 1);  // the first, closed expression only
}

TEST_F(Expansion, ErrorsAreListedOnceAndWithoutAPrefixOutsideAnObject) {
    FetchError(u"[Нет такой]");
    FetchError(u"[Другой]");
    FetchError(u"[Нет такой]");
    EXPECT_EQ(report.Errors().Count(), 2u);
    report.CurObject.clear();
    try {
        (void)report.Calc("Нет такой");
        ADD_FAILURE();
    } catch (const TrpError& e) {
        EXPECT_STREQ(e.what(), "Ошибка в выражении 'Нет такой': ожидается строковая константа");
    }
}

TEST_F(Expansion, VariablesThatNameEachOtherEndInAnErrorNotARecursion) {
    report.Variables().Add("A", std::string("B"));
    report.Variables().Add("B", std::string("a"));
    report.Variables().Add("Self", std::string("Self"));
    EXPECT_EQ(FetchError(u"[A]"), "Memo16: Ошибка в выражении 'a': переменная ссылается сама на себя");
    EXPECT_EQ(FetchError(u"[Self]"), "Memo16: Ошибка в выражении 'Self': переменная ссылается сама на себя");
    // A long chain of distinct variables stops at a fixed depth.
    for (int i = 0; i < 5000; ++i) {
        report.Variables().Add("V" + std::to_string(i), std::string("V" + std::to_string(i + 1)));
    }
    report.Variables().Add("V5000", std::string("'end'"));
    EXPECT_EQ(FetchError(u"[V0]"),
              "Memo16: Ошибка в выражении 'V64': слишком глубокая вложенность переменных");
    // A chain within the limit resolves.
    report.Variables().Add("C0", std::string("C1"));
    report.Variables().Add("C1", std::string("'chained'"));
    EXPECT_EQ(Fetch(u"[C0]"), Lines{u"chained"});
}

TEST_F(Expansion, DataSetFieldsComeFromTheReportListAndNullsAreConverted) {
    composition.OnGetValue = [](const std::string& name, TVariant& value) {
        if (name == "line") value = std::string("1 ЛК63-19");
    };
    EXPECT_EQ(Fetch(u"[rpUserDataSet3.\"line\"]"), Lines{u"1 ЛК63-19"});
    EXPECT_EQ(Fetch(u"[RPUSERDATASET3.\"line\"]"), Lines{u"1 ЛК63-19"});
    EXPECT_EQ(Fetch(u"[rpUserDataSet3.\"other\"]"), Lines{u"0"});  // Null of a numeric field
    report.EngineOptions.ConvertNulls = false;
    EXPECT_EQ(Fetch(u"[rpUserDataSet3.\"other\"]"), Lines{u""});
    // A data set not in the report's list is no field: the name goes on and fails.
    EXPECT_EQ(FetchError(u"[rpUserDataSet9.\"line\"]"),
              "Memo16: Ошибка в выражении 'rpUserDataSet9.\"line\"': ожидается строковая константа");
}

TEST_F(Expansion, ABoundMemoShowsItsFieldAndNeverItsText) {
    std::vector<std::string> asked;
    composition.OnGetValue = [&](const std::string& name, TVariant& value) {
        asked.push_back(name);
        value = std::string("2 Привод\r\nмоторный");
    };
    memo->SetDataSet(&composition);
    memo->DataField = "line";
    EXPECT_EQ(Fetch(u"[rpUserDataSet1.\"Value\"] [unclosed"), (Lines{u"2 Привод", u"моторный"}));
    EXPECT_EQ(memo->Value, TVariant("2 Привод\r\nмоторный"));
    EXPECT_EQ(asked, (std::vector<std::string>{"line", "line"}));  // once for the value, once for the text
    composition.OnGetValue = nullptr;
    EXPECT_EQ(Fetch(u"[x]"), Lines{});  // an empty display text gives no lines
    memo->DataField.clear();            // a data set without a field is not bound
    EXPECT_EQ(FetchError(u"[x]"), "Memo16: Ошибка в выражении 'x': ожидается строковая константа");
    EXPECT_EQ(report.Errors().Count(), 1u);
}

TEST_F(Expansion, DelimitersAndTheExpressionSwitchDecideWhatIsExpanded) {
    report.Variables().Set("Описание", std::string("'desc'"));
    memo->ExpressionDelimiters = "<%,%>";
    EXPECT_EQ(Fetch(u"[Описание] <%Описание%>"), Lines{u"[Описание] desc"});
    memo->ExpressionDelimiters = "";
    EXPECT_EQ(Fetch(u"[Описание]"), Lines{u"[Описание]"});
    memo->ExpressionDelimiters = "[";
    EXPECT_EQ(Fetch(u"[Описание]"), Lines{u"[Описание]"});
    memo->ExpressionDelimiters = "[,]";
    memo->AllowExpressions = false;
    EXPECT_EQ(Fetch(u"[Описание] [unclosed"), Lines{u"[Описание] [unclosed"});
}

TEST_F(Expansion, TheCacheKeepsCompiledTextsByExactTextAndNeverAFailure) {
    TrpExpressionCache& cache = report.ExpressionCache();
    EXPECT_EQ(report.Calc("'a'"), TVariant("a"));
    EXPECT_EQ(report.Calc("'a'"), TVariant("a"));
    EXPECT_EQ(report.Calc("'A'"), TVariant("A"));
    EXPECT_THROW((void)report.Calc("'b"), TrpError);
    ASSERT_EQ(cache.Count(), 2u);
    EXPECT_EQ(cache.Find("'a'")->Number, 0u);
    EXPECT_EQ(cache.Find("'A'")->Number, 1u);
    EXPECT_EQ(cache.Find("'b"), nullptr);
    cache.Clear();
    EXPECT_EQ(report.Calc("'A'"), TVariant("A"));
    EXPECT_EQ(cache.Find("'A'")->Number, 0u);
    report.ScriptLanguage = "C++Script";
    EXPECT_THROW((void)report.Calc("'new'"), TrpError);
}

TEST_F(Expansion, SystemVariablesAndTheValueEventComeBeforeVariables) {
    report.StartDate = TDateTime{45000};
    report.OnSystemVariable = [](std::string_view name) {
        return name == "Page#" ? TVariant(3) : TVariant();
    };
    report.Variables().Add("Date", std::string("'shadowed'"));
    EXPECT_EQ(Fetch(u"[date] [PAGE#] [TotalPages]"), Lines{u"15.03.2023 3 "});
    report.OnGetValue = [](const std::string& name, TVariant& value) {
        if (name == "Описание") value = std::string("from the event");
    };
    report.Variables().Set("Описание", std::string("'from the variable'"));
    EXPECT_EQ(Fetch(u"[Описание] [Наименование организации]"), Lines{u"from the event ООО Ромашка"});
    GlobalVariables().Add("CopyName0", std::string("Копия"));
    GlobalVariables().Add("Глобальная", 5);
    EXPECT_EQ(Fetch(u"[CopyName#] [глобальная]"), Lines{u"Копия 5"});
    GlobalVariables().Clear();
    EXPECT_EQ(Fetch(u"[CopyName#]"), Lines{u""});
}

}  // namespace
}  // namespace lk63
