#include "platform/io/file_error.h"

#include <cstring>

#include "platform/io/echoed_text.h"

namespace lk63::platform {
namespace {

std::string Message(TFileAction action, std::string_view path, int code) {
    std::string text = action == TFileAction::Create ? "Cannot create file" : "Cannot write file";
    // A file name may hold line breaks; the message stays on one line.
    text += " \"";
    text += EchoedText(path);
    text += "\". ";
    text += ErrnoText(code);
    return text;
}

}  // namespace

TFileError::TFileError(TFileAction action, std::string path, int code)
    : std::runtime_error(Message(action, path, code)), action_(action), path_(std::move(path)), code_(code) {}

std::string ErrnoText(int code) {
    // strerror follows LC_MESSAGES, and the program runs under Russian locales.
    const char* text = strerrordesc_np(code);
    return text ? std::string(text) : "Unknown error " + std::to_string(code);
}

}  // namespace lk63::platform
