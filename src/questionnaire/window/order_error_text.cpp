#include "questionnaire/window/order_error_text.h"

#include <cerrno>
#include <cstring>

#include "platform/io/echoed_text.h"
#include "questionnaire/order_input.h"

namespace lk63 {
namespace {

std::string ReadReason(int code) {
    switch (code) {
        case ENOENT:
        case ENOTDIR:
            return "такого файла нет";
        case EACCES:
        case EPERM:
            return "нет прав на чтение";
        case EISDIR:
            return "это папка, а не файл";
        case ENAMETOOLONG:
            return "слишком длинное имя";
        default:
            break;
    }
    // The system's own text, in the language of the process's locale.
    char buffer[256];
    return strerror_r(code, buffer, sizeof buffer);
}

}  // namespace

std::string WindowOrderErrorText(const TOrderError& error, const std::string& path) {
    const std::string file = "«" + platform::EchoedText(path) + "»";
    // The reader's message on a line of its own.
    const std::string detail = std::string("\n\n") + error.what();
    switch (error.Failure()) {
        case TOrderFailure::Unreadable:
            return "Не удаётся открыть файл " + file + ": " + ReadReason(error.ErrorCode()) + ".";
        case TOrderFailure::TooLarge:
            return "Файл " + file + " слишком велик для опросного листа.";
        case TOrderFailure::DamagedPdf:
            return "Файл " + file + " повреждён: данные заказа из него не читаются." + detail;
        case TOrderFailure::NoOrder:
            return "В файле " + file + " нет данных заказа: это не опросный лист, сохранённый этой программой.";
        case TOrderFailure::OrderTooLarge:
            return "Данные заказа в файле " + file + " больше 1 МБ: такой опросный лист не открывается.";
        case TOrderFailure::InvalidJson:
            return "Данные заказа в файле " + file + " повреждены: это не JSON." + detail;
        case TOrderFailure::FutureFormat:
            return "Файл " + file + " сохранён более новой версией программы: эта версия его не открывает." + detail;
        case TOrderFailure::BadOrder:
            return "Данные заказа в файле " + file + " неверны." + detail;
        case TOrderFailure::RefusedChoice:
            return "Выбор из файла " + file + " не допускается правилами опросного листа." + detail;
        case TOrderFailure::Incomplete:
            break;
    }
    return "Опросный лист в файле " + file + " заполнен не полностью." + detail;
}

}  // namespace lk63
