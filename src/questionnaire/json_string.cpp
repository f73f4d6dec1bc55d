#include "questionnaire/json_string.h"

namespace lk63 {

bool IsWellFormedUtf8(std::string_view text) {
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const auto* const end = p + text.size();
    const auto continuation = [](unsigned char b) { return (b & 0xC0) == 0x80; };
    while (p < end) {
        const unsigned char b = *p;
        if (b < 0x80) {
            ++p;
            continue;
        }
        const std::ptrdiff_t left = end - p;
        if (b >= 0xC2 && b <= 0xDF) {
            if (left < 2 || !continuation(p[1])) return false;
            p += 2;
        } else if (b >= 0xE0 && b <= 0xEF) {
            // E0 needs A0..BF (no overlong form), ED needs 80..9F (no surrogate).
            const unsigned char lo = b == 0xE0 ? 0xA0 : 0x80;
            const unsigned char hi = b == 0xED ? 0x9F : 0xBF;
            if (left < 3 || p[1] < lo || p[1] > hi || !continuation(p[2])) return false;
            p += 3;
        } else if (b >= 0xF0 && b <= 0xF4) {
            // F0 needs 90..BF (no overlong form), F4 needs 80..8F (up to U+10FFFF).
            const unsigned char lo = b == 0xF0 ? 0x90 : 0x80;
            const unsigned char hi = b == 0xF4 ? 0x8F : 0xBF;
            if (left < 4 || p[1] < lo || p[1] > hi || !continuation(p[2]) || !continuation(p[3])) return false;
            p += 4;
        } else {
            return false;
        }
    }
    return true;
}

namespace {

bool NeedsEscape(unsigned char c) { return c < 0x20 || c == '"' || c == '\\'; }

}  // namespace

std::size_t JsonStringSize(std::string_view text) {
    std::size_t size = text.size() + 2;
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (!NeedsEscape(c)) continue;
        const bool named = c == '"' || c == '\\' || c == '\b' || c == '\t' || c == '\n' || c == '\f' || c == '\r';
        size += named ? 1 : 5;
    }
    return size;
}

void AppendJsonString(std::string& out, std::string_view text) {
    static constexpr char kHex[] = "0123456789abcdef";
    out.reserve(out.size() + JsonStringSize(text));
    out += '"';
    std::size_t from = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (!NeedsEscape(c)) continue;
        out.append(text, from, i - from);
        from = i + 1;
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\b':
                out += "\\b";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\f':
                out += "\\f";
                break;
            case '\r':
                out += "\\r";
                break;
            default:
                out += "\\u00";
                out += kHex[c >> 4];
                out += kHex[c & 0xF];
                break;
        }
    }
    out.append(text, from, text.size() - from);
    out += '"';
}

}  // namespace lk63
