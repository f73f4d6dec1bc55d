#include "platform/io/file_error.h"

#include <cstring>

namespace lk63::platform {
namespace {

// A file name may hold line breaks; the message stays on one line.
std::string PrintablePath(std::string_view path) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(path.size());
    for (char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            out += "\\x";
            out += kHex[byte >> 4];
            out += kHex[byte & 0x0F];
        } else {
            out += c;
        }
    }
    return out;
}

std::string Message(std::string_view action, std::string_view path, int code) {
    std::string text(action);
    text += " \"";
    text += PrintablePath(path);
    text += "\". ";
    text += ErrnoText(code);
    return text;
}

}  // namespace

TFileError::TFileError(std::string_view action, std::string path, int code)
    : std::runtime_error(Message(action, path, code)), path_(std::move(path)), code_(code) {}

std::string ErrnoText(int code) {
    // strerror follows LC_MESSAGES, and the program runs under Russian locales.
    const char* text = strerrordesc_np(code);
    return text ? std::string(text) : "Unknown error " + std::to_string(code);
}

}  // namespace lk63::platform
