// The command-line tool as an integrator runs it: real process, real files.
#include <algorithm>

#include "app/tool_test.h"

namespace {

using lk63::testing::TResult;
using OrderTool = lk63::testing::ToolTest;
namespace fs = std::filesystem;

TEST_F(OrderTool, DerivePrintsTheTextsOfBothExamples) {
    for (const std::string name : {"all_first", "four_pole"}) {
        const TResult r = Run("derive " + Data(name + ".json"));
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.err, "");
        EXPECT_EQ(r.out, Expected(name + ".expected.json")) << name;
    }
}

TEST_F(OrderTool, DeriveReadsStandardInput) {
    const TResult r = Run("derive -", Expected("all_first.json"));
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, Expected("all_first.expected.json"));
}

TEST_F(OrderTool, OptionsListsWhatTheRowOffersAfterTheRowsAbove) {
    const fs::path order = Write("order.json", R"({"breaker": [0, 0, 0, 0, 0, 0, 0, 0],
                                                  "accessories": [1, 0, 0, 0]})");
    TResult r = Run("options '" + order.string() + "' --row 2.2");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "Отсутствует\nАС 230 B\n");
    // Rows at and below the one asked for are not applied.
    r = Run("options '" + order.string() + "' --row 1.1");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 15);
    r = Run("options '" + order.string() + "' --row 2.5");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "Отсутствует\n");
    // A row whose row above is open offers nothing: that is bad input.
    const fs::path empty = Write("empty.json", "{}");
    r = Run("options '" + empty.string() + "' --row 1.2");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("row 1.2 (1.2 "), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("offers nothing while row 1.1 (1.1 Номинальный ток) is not chosen"), std::string::npos)
        << r.err;
}

// Every bad input: exit status 2, one line on stderr that says what is wrong,
// nothing on stdout.
TEST_F(OrderTool, BadInputIsOneClearLine) {
    struct Case {
        const char* what;
        std::string command;
        std::string json;  // written to order.json when not empty
        std::string expectedInError;
    } const cases[] = {
        {"missing file", "derive /nonexistent/order.json", "", "cannot read /nonexistent/order.json: No such file"},
        {"invalid JSON", "derive ORDER", "{\"breaker\": [0,", "invalid JSON"},
        {"not an object", "derive ORDER", "[1, 2]", "expected a JSON object"},
        {"unknown key", "derive ORDER", R"({"organization": "x"})", "unknown key \"organization\""},
        {"text of wrong type", "derive ORDER", R"({"contact": 5})", "\"contact\": expected a text"},
        {"entry of wrong type", "derive ORDER", R"({"breaker": [0, true]})",
         "row 1.2: expected an option number or the option text"},
        {"too many rows", "derive ORDER", R"({"breaker": [0,0,0,0,0,0,0,0,0]})", "9 entries, the group has 8 rows"},
        {"unknown option text", "derive ORDER", R"({"breaker": ["201 А"]})",
         "row 1.1 (1.1 Номинальный ток): unknown option \"201 А\"; offered: 0 \"200 А\", 1 \"400 А\""},
        {"option number out of range", "derive ORDER", R"({"breaker": [0, 0, 0, 0, 0, 0, 0, 0], "accessories": [7]})",
         "row 2.1 (2.1 Моторный привод): there is no option 7; offered: 0 \"Отсутствует\", 1 \"АС 230 B\""},
        {"option not offered", "derive ORDER", R"({"breaker": [0, 5]})",
         "row 1.2 (1.2 Номинальная предельная наибольшая отключающая способность (Icu), кА (действ.)): option 5 "
         "\"100 кА при АС 400 В, 85 кА при АС 690 В\" is not offered after the choices above; offered: 0 \"65 кА "
         "при АС 400 В, 42 кА при АС 690 В\", 1 \"65 кА при АС 400 В, 50 кА при АС 690 В\""},
        {"accessory before the breaker is complete", "derive ORDER", R"({"breaker": [0], "accessories": [0]})",
         "row 2.1 (2.1 Моторный привод): option 0 \"Отсутствует\" cannot be chosen while row 1.2 (1.2 "},
        {"incomplete", "derive ORDER", R"({"breaker": [0, 0, 0]})",
         "the questionnaire is incomplete: row 1.4 (1.4 Количество полюсов) is not chosen"},
        {"quantity zero", "derive ORDER", R"({"quantity": 0})", "\"quantity\": 0 is not a whole number from 1 to 999999"},
        {"quantity too large", "derive ORDER", R"({"quantity": "1000000"})", "\"1000000\" is not a whole number"},
        {"quantity not whole", "derive ORDER", R"({"quantity": 2.5})", "\"quantity\": expected a whole number"},
        {"quantity with letters", "derive ORDER", R"({"quantity": "12ab"})", "\"12ab\" is not a whole number"},
        {"unknown row", "options ORDER --row 1.9", "{}", "no row \"1.9\""},
        {"row 2.01", "options ORDER --row 2.01", "{}", "no row \"2.01\""},
        {"no row given", "options ORDER", "{}", "options needs --row ROW"},
        {"unknown command", "print ORDER", "{}", "unknown command \"print\""},
        {"no command", "", "", "no command"},
    };
    for (const Case& c : cases) {
        std::string command = c.command;
        if (!c.json.empty()) {
            const fs::path order = Write("order.json", c.json);
            const auto at = command.find("ORDER");
            command.replace(at, 5, "'" + order.string() + "'");
        }
        const TResult r = Run(command);
        EXPECT_EQ(r.status, 2) << c.what;
        EXPECT_EQ(r.out, "") << c.what;
        EXPECT_NE(r.err.find(c.expectedInError), std::string::npos) << c.what << ": " << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << c.what << ": " << r.err;
    }
}

TEST_F(OrderTool, HelpDescribesTheCommands) {
    const TResult r = Run("--help");
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("lk63-order options ORDER.json --row ROW"), std::string::npos);
    EXPECT_NE(r.out.find("lk63-order derive  ORDER.json"), std::string::npos);
}

}  // namespace
