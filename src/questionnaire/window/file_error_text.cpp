#include "questionnaire/window/file_error_text.h"

#include <cerrno>
#include <cstring>

#include "platform/io/echoed_text.h"
#include "platform/io/file_error.h"

namespace lk63 {
namespace {

std::string Reason(int code) {
    switch (code) {
        case ENOENT:
        case ENOTDIR:
            return "такой папки нет";
        case EACCES:
        case EPERM:
            return "нет прав на запись";
        case ENOSPC:
        case EDQUOT:
            return "на диске нет места";
        case ENAMETOOLONG:
            return "слишком длинное имя";
        case EISDIR:
            return "это папка, а не файл";
        case EROFS:
            return "диск доступен только для чтения";
        default:
            break;
    }
    // The system's own text, in the language of the process's locale.
    char buffer[256];
    return strerror_r(code, buffer, sizeof buffer);
}

}  // namespace

std::string WindowFileErrorText(const platform::TFileError& error) {
    std::string text = error.Action() == platform::TFileAction::Create ? "Не удаётся создать файл «"
                                                                        : "Не удаётся записать файл «";
    text += platform::EchoedText(error.Path());
    text += "»: ";
    text += Reason(error.Code());
    text += '.';
    return text;
}

}  // namespace lk63
