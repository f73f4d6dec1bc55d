#include "report/messages.h"

#include <array>
#include <utility>

namespace lk63 {
namespace {

constexpr std::array<std::pair<std::string_view, std::string_view>, 18> kMessages{{
    {"CircularChild", "Circular child reference is not allowed"},
    {"EmptyUserName", "The name of a data set must not be empty"},
    {"ExpressionError", "Ошибка в выражении"},
    {"ScriptError", "Ошибка в скрипте %s: %s"},
    {"ErrorCaption", "Ошибка"},
    {"ErrorsFound", "Были обнаружены следующие ошибки:"},
    {"UnattachedHeaderFooter", "Не подключенный header/footer"},
    {"WrongBandPlace", "Неправильно расположен бэнд:"},
    {"SameDataSetReportPage", "Cannot use the same dataset for Report.DataSet and Page.DataSet"},
    {"SameDataSetReportBand", "Cannot use the same dataset for Report.DataSet and Band.DataSet"},
    {"SameDataSetPageBand", "Cannot use the same dataset for Page.DataSet and Band.DataSet"},
    // Reasons of the string-literal compiler and of name resolution.
    {"ExpectedString", "ожидается строковая константа"},
    {"UnterminatedString", "не закрыта строковая константа"},
    {"TextAfterExpression", "лишний текст после выражения"},
    {"UnclosedBracket", "не закрыта скобка выражения"},
    {"UnknownLanguage", "неизвестный язык выражений"},
    {"CircularVariable", "переменная ссылается сама на себя"},
    {"VariablesTooDeep", "слишком глубокая вложенность переменных"},
}};

}  // namespace

std::string_view RpMessage(std::string_view key) {
    for (const auto& [k, text] : kMessages) {
        if (k == key) return text;
    }
    return key;
}

}  // namespace lk63
