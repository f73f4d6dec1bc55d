#include "report/variables.h"

#include <gtest/gtest.h>

#include "report/error_list.h"

namespace lk63 {
namespace {

TEST(Variables, NamesCompareIgnoringUnicodeLetterCase) {
    TrpVariables v;
    v.Add(" Опросный лист");
    v.Add("Описание");
    v.Add("Наименование организации", std::string(""));
    struct Case {
        const char* name;
        int index;
    } const cases[] = {
        {"Описание", 1},
        {"ОПИСАНИЕ", 1},
        {"описание", 1},
        {" опросный лист", 0},
        {"Наименование Организации", 2},
        {"Опросный лист", -1},
        {"Описание ", -1},
        {"", -1},
    };
    for (const Case& c : cases) EXPECT_EQ(v.IndexOf(c.name), c.index) << c.name;
}

TEST(Variables, WritingReplacesTheEntryWhateverTheCaseAndReadingAnAbsentOneGivesNull) {
    TrpVariables v;
    v.Add("Описание");
    v.Set("ОПИСАНИЕ", std::string("'one'"));
    ASSERT_EQ(v.Count(), 1u);
    EXPECT_EQ(v.Items(0).Name, "Описание");
    EXPECT_EQ(v.Get("описание"), TVariant("'one'"));
    v.Set("Код для заказа", std::string("'ЛК63'"));
    ASSERT_EQ(v.Count(), 2u);
    EXPECT_EQ(v.Items(1).Name, "Код для заказа");
    EXPECT_TRUE(v.Get("Нет такой").IsNull());
    EXPECT_TRUE(TrpVariables().Get("x").IsNull());
}

TEST(ErrorList, IsSortedIgnoringCaseAndKeepsEachTextOnce) {
    TrpErrorList errors;
    for (const char* e :
         {"Memo2: b", "memo1: a", "Memo1: A", "Memo10: c", "МЕМО: я", "мемо: Я", "Memo2: b"}) {
        errors.Add(e);
    }
    EXPECT_EQ(errors.Items(), (std::vector<std::string>{"Memo10: c", "memo1: a", "Memo2: b", "МЕМО: я"}));
    errors.Clear();
    EXPECT_TRUE(errors.Empty());
}

}  // namespace
}  // namespace lk63
